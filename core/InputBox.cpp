#include "core/InputBox.h"

#include "core/Services.h"
#include "core/Unit1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

class InputBox : public QWidget {
public:
    InputBox(const QString& caption, const QString& prompt, const QString& text, bool password)
        : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint) {
        setObjectName(QStringLiteral("Saisie"));
        setWindowTitle(caption);
        setAttribute(Qt::WA_DeleteOnClose, false);
        auto* label = new QLabel(prompt, this);
        label->setObjectName(QStringLiteral("Label1"));
        label->move(8, 8);
        label->adjustSize();
        edit_ = new QLineEdit(text, this);
        edit_->setObjectName(QStringLiteral("Edit1"));
        if (password) {
            edit_->setEchoMode(QLineEdit::Password);
            edit_->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 215; }"));  // "×"
        }
        edit_->setGeometry(8, qMax(22, label->geometry().bottom() + 2), 250, edit_->sizeHint().height());
        auto* ok = new QPushButton(QStringLiteral("Valider"), this);
        ok->setObjectName(QStringLiteral("Button1"));
        ok->setDefault(true);
        ok->setGeometry(182, qMax(55, edit_->geometry().bottom() + 8), 75, 25);
        resize(290, qMax(120, ok->geometry().bottom() + 12));
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = rect();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        connect(edit_, &QLineEdit::returnPressed, this, &InputBox::confirm);
        connect(ok, &QPushButton::clicked, this, &InputBox::confirm);
    }

    // Shows the box and waits for its answer.
    bool exec(QString& text) {
        show();
        raise();
        activateWindow();
        edit_->setFocus();
        edit_->selectAll();
        loop_.exec();
        if (confirmed_) text = edit_->text();
        return confirmed_;
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        loop_.quit();
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) close();
        else QWidget::keyPressEvent(event);
    }

private:
    void confirm() {
        confirmed_ = true;
        close();
    }

    QLineEdit* edit_ = nullptr;
    QEventLoop loop_;
    bool confirmed_ = false;
};

}  // namespace

bool RunInputBox(const QString& caption, const QString& prompt, QString& text, bool password) {
    InputBox box(caption, prompt, text, password);
    return box.exec(text);
}

bool TForm1::Saisie(const QString& caption, const QString& prompt, QString& result, bool password,
                    const QString& defaultText) {
    QString text = defaultText;
    if (!Services().AskText(caption, prompt, text, password)) return false;
    result = text;
    return true;
}
