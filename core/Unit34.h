#pragma once
// The internal-error window: the crash report of an unexpected exception,
// which ends the program after a countdown, or the plain internal-error box.
#include "core/Form.h"
#include "core/Windows.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

class TForm34 : public TForm {
    Q_OBJECT
public:
    explicit TForm34(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;  // "Le module a généré l'erreur suivante :"
    QLabel* Panel1 = nullptr;  // first line of the report; also the window's mode
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;  // "Fermer"
    QTimer* Timer1 = nullptr;
    int countdownTotal = 30;  // seconds before the program ends
    int countdownElapsed = 0;

    void FormShow();
    void Timer1Timer();
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

constexpr WindowRef<TForm34> Form34{34};
