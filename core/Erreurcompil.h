#pragma once
// "Erreur": the errors of a macro whose check refused a run without the
// editor, with the macro author's mail address, to read, mail or save.
#include "core/Form.h"
#include "core/Windows.h"


class QLabel;
class QPlainTextEdit;
class QPushButton;
class TFileDialog;

class TForm35 : public TForm {
    Q_OBJECT
public:
    explicit TForm35(QWidget* parent = nullptr);

    // Shows the window and waits until it is closed.
    void ShowModal();

    void FormShow();
    void Button1Click();  // "Enregistrer"
    void Button2Click();  // "Consulter" / "Cacher"
    void Button3Click();  // "Fermer"
    void Label2Click();   // mails the author

    QLabel* Label1 = nullptr;  // the message
    QLabel* Label2 = nullptr;  // the author's address, "Inconnu" when none
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    TFileDialog* SaveDialog1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

constexpr WindowRef<TForm35> Form35{35};
