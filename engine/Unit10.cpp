#include "engine/Unit10.h"

#include "core/RunState.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForm10::TForm10(QWidget* parent) : TForm(10, QStringLiteral("Question"), parent) {
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(20, 16);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->installEventFilter(this);
    Button1 = new QPushButton(QStringLiteral("Valider"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Annuler"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button1, &QPushButton::clicked, this, &TForm10::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm10::Button2Click);
}

QString TForm10::WrapText(const QString& text) {
    if (text.size() <= 90 || text.contains(u'\r') || text.contains(u'\n')) return text;
    QString out = text;
    for (qsizetype from = 80; from < out.size();) {
        const qsizetype blank = out.indexOf(u' ', from);
        if (blank < 0) break;
        out[blank] = u'\n';
        from = blank + 1 + 80;
    }
    return out;
}

void TForm10::Ask(const QString& title, const QString& message, const QString& answer, bool masked) {
    setWindowTitle(title);
    Label1->setText(WrapText(message));
    Label1->adjustSize();
    Edit1->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    Edit1->setText(answer);
    Edit1->show();
    Button2->show();
    Button1->setText(QStringLiteral("Valider"));
    Cancelled = false;
    const QSize label = Label1->size();
    int w = label.width() + 40, h = label.height() + 140;
    if (w < 260 || h < 140) {
        w = qMax(w, 260);
        h = qMax(h, 140);
    }
    resize(w, h);
    Edit1->setGeometry(20, label.height() + 30, w - 40, Edit1->sizeHint().height());
    Button1->move(w / 2 - Button1->sizeHint().width() - 5, h - 40);
    Button2->move(w / 2 + 5, h - 40);
    show();
    raise();
    activateWindow();
    Edit1->setFocus();
}

void TForm10::Button1Click() {
    hide();
    QCoreApplication::processEvents();
    RunState().QuestionAnswered = true;
}

void TForm10::Button2Click() {
    hide();
    Cancelled = true;
    RunState().QuestionAnswered = true;
}

// Closing the window answers like "Valider", so that a question never waits for ever.
void TForm10::closeEvent(QCloseEvent* e) {
    RunState().QuestionAnswered = true;
    TForm::closeEvent(e);
}

// Enter in the answer field validates.
bool TForm10::eventFilter(QObject* o, QEvent* e) {
    if (o == Edit1 && e->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) Button1->click();
    }
    return TForm::eventFilter(o, e);
}
