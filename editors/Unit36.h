#pragma once
// The "Procedure" dialog: a row declares a procedure (its name), ends one
// ("END") or calls one ("CALL " and the name); three radio buttons choose.
#include "editors/CommandDialog.h"
#include "core/Windows.h"

class QRadioButton;
class QToolButton;

class TForm36 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm36(QWidget* parent = nullptr);

    TComboBox* ComboBox1 = nullptr;  // the procedure's name
    QRadioButton* RadioButton1 = nullptr;  // "Déclaration"
    QRadioButton* RadioButton2 = nullptr;  // "Fin"
    QRadioButton* RadioButton3 = nullptr;  // "Appel"
    QToolButton* SpeedButton1 = nullptr;   // the event procedures' names

    // The command tree's preset: "Déclaration", "Fin" or "Appel".
    void Form36Show(const QString& role);
    void Preset(const QString& role) override { Form36Show(role); }

    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void SpeedButton1Click();

protected:
    void LoadFields(const QString& params) override;
    void LoadDefaults() override;
    QString BuildParams() const override;

private:
    // "Fin" is offered inside an open procedure only.
    void enableEnd();
    // Another row than the one modified declares that procedure.
    bool declaredElsewhere(const QString& name) const;
};

constexpr WindowRef<TForm36> Form36{36};
