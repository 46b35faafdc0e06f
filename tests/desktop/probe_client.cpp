// A small X client for the desktop tests: a window of class "OrvanelProbe"
// with a line edit above a coloured area. It reports on stdout, one line each:
//   geometry X Y W H      its client area on the screen (after each move/resize)
//   active                when its window becomes the active one
//   inactive              when it stops being the active one
//   press B X Y           a mouse button went down (B: 1 left, 2 middle, 3 right)
//   release B X Y
//   wheel up|down         one wheel event
//   text T                the line edit's text after each change
//   key press K           with --keys: a key went down (K: its Qt name, "Control", "Del", "A"...)
//   key release K
// Options: --title T, --colour #rrggbb, --pos X,Y, --keys
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWidget>
#include <cstdio>

namespace {

void report(const QString& line) {
    std::fputs(qPrintable(line + '\n'), stdout);
    std::fflush(stdout);
}

int buttonNumber(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::MiddleButton: return 2;
    case Qt::RightButton: return 3;
    default: return 0;
    }
}

class ProbeWindow : public QWidget {
protected:
    void moveEvent(QMoveEvent*) override { reportGeometry(); }
    void resizeEvent(QResizeEvent*) override { reportGeometry(); }
    void changeEvent(QEvent* e) override {
        if (e->type() == QEvent::ActivationChange) report(isActiveWindow() ? "active" : "inactive");
        QWidget::changeEvent(e);
    }

private:
    void reportGeometry() {
        const QRect g = geometry();
        report(QStringLiteral("geometry %1 %2 %3 %4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()));
    }
};

// Reports each mouse event (and key event with --keys) once, as it reaches
// the window (before the widgets).
class MouseSpy : public QObject {
public:
    bool keys = false;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (!o->isWindowType()) return false;
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            auto* m = static_cast<QMouseEvent*>(e);
            const QPoint p = m->globalPosition().toPoint();
            report(QStringLiteral("%1 %2 %3 %4")
                       .arg(e->type() == QEvent::MouseButtonPress ? "press" : "release")
                       .arg(buttonNumber(m->button()))
                       .arg(p.x())
                       .arg(p.y()));
            return false;
        }
        case QEvent::Wheel: {
            const int dy = static_cast<QWheelEvent*>(e)->angleDelta().y();
            if (dy) report(dy > 0 ? "wheel up" : "wheel down");
            return false;
        }
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* k = static_cast<QKeyEvent*>(e);
            if (keys && !k->isAutoRepeat())
                report(QStringLiteral("key %1 %2")
                           .arg(e->type() == QEvent::KeyPress ? "press" : "release",
                                QKeySequence(k->key()).toString(QKeySequence::PortableText)));
            return false;
        }
        default: return false;
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName("OrvanelProbe");  // the class part of WM_CLASS
    QApplication app(argc, argv);
    QString title = "Orvanel probe", colour = "#3060c0";
    QPoint pos(-1, -1);
    MouseSpy spy;
    QStringList options = app.arguments().mid(1);
    spy.keys = options.removeAll("--keys") > 0;
    for (int i = 0; i + 1 < options.size(); i += 2) {
        if (options[i] == "--title") title = options[i + 1];
        if (options[i] == "--colour") colour = options[i + 1];
        if (options[i] == "--pos")
            pos = QPoint(options[i + 1].section(',', 0, 0).toInt(), options[i + 1].section(',', 1, 1).toInt());
    }

    ProbeWindow window;
    window.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* edit = new QLineEdit;
    layout->addWidget(edit);
    auto* area = new QWidget;
    area->setAutoFillBackground(true);
    QPalette palette = area->palette();
    palette.setColor(QPalette::Window, QColor(colour));
    area->setPalette(palette);
    layout->addWidget(area, 1);
    QObject::connect(edit, &QLineEdit::textChanged, [](const QString& t) { report("text " + t); });

    app.installEventFilter(&spy);
    window.resize(400, 300);
    if (pos.x() >= 0) window.move(pos);
    window.show();
    edit->setFocus();
    return app.exec();
}
