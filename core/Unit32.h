#pragma once
// The password dialog: sets a macro's password (mode 0) or asks for it (mode 1).
#include "core/Form.h"
#include "core/Windows.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm32 : public TForm {
    Q_OBJECT
public:
    explicit TForm32(QWidget* parent = nullptr);

    // The shift of protected records, for one text (length kept).
    static QString Crypte(const QString& s);
    static QString Decrypte(const QString& s);
    // The decoded parameters of the file's first "Info" record; empty when none.
    // The password of the open macro (OpenMacroFile().password) is not touched.
    static QString GetPass(const QString& fileName);
    static bool IsCrypted(const QString& fileName);
    static bool IsCryptedSourceOnly(const QString& fileName);
    // 1: the file has no password or the typed one matches; 0: it does not; 2: "Annuler".
    int Validation(const QString& fileName);
    // The same for a password already read from the file.
    int AskPassword(const QString& password);

    void FormShow();
    void Button1Click();  // "Valider"
    void Button2Click();  // "Annuler"
    void Label2Click();
    void CheckBox1Click();

    int Mode = 0;  // 0 sets a password, 1 asks for one
    QLineEdit* Edit1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormClose();
    bool dialogOpen_ = false;
    bool cancelled_ = false;
    QString firstEntry_;           // the password typed before its confirmation
    bool keptSourceOnly_ = false;  // OpenMacroFile().protectSourceOnly when the dialog opened
    bool confirmed_ = false;
};

constexpr WindowRef<TForm32> Form32{32};
