#pragma once
// The run-time question window of "Question" rows that ask for an answer.
#include "core/Form.h"
#include "core/Windows.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TForm10 : public TForm {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);

    // Shows the question without blocking: title, message (wrapped when
    // long), the answer field starting with `answer`, masked for passwords.
    void Ask(const QString& title, const QString& message, const QString& answer, bool masked);
    void Button1Click();  // "Valider"
    void Button2Click();  // "Annuler"
    // True when the last question was cancelled with "Annuler".
    bool Cancelled = false;

    // A message longer than 90 characters with no line break gets a break at
    // the first blank from each 81st character on.
    static QString WrapText(const QString& text);

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
};

constexpr WindowRef<TForm10> Form10{10};
