#pragma once
// The "ScriptEval" dialog ("MSScript Expression"): a language, an expression
// in it and the variable that receives its value. While the expression is
// typed, its value shows, the variables standing for their initial values; an
// expression whose value is a Boolean is a condition and has no result variable.
#include "editors/CommandDialog.h"
#include "core/Windows.h"

class QLabel;
class QLineEdit;
class QToolButton;

class TForm25 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm25(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    TComboBox* ComboBox1 = nullptr;  // "JScript", "VBScript"
    QLabel* Label2 = nullptr;        // "Expression", "Expression Booléenne", "Expression invalide"
    QLineEdit* Edit1 = nullptr;
    QLabel* Label3 = nullptr;
    TComboBox* ComboBox2 = nullptr;  // the result variable
    QLabel* Label5 = nullptr;
    QLabel* Label4 = nullptr;  // the value
    QToolButton* SpeedButton1 = nullptr;  // the language reference

    // The live preview.
    void Edit1Change();
    // Opens the reference of the chosen language in the browser.
    void SpeedButton1Click();

protected:
    void LoadFields(const QString& params) override;
    void LoadDefaults() override;
    void AfterShow() override;
    // The command tree names the language: "JScript" or "VBScript".
    void Preset(const QString& language) override;
};

constexpr WindowRef<TForm25> Form25{25};
