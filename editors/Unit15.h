#pragma once
// The "Lire" and "Ecrire" dialog: a file (or an "Alpha" variable naming it),
// the variable read into or the value written, and a record position. Its
// two radio buttons choose the command, and modifying a row may switch it.
#include "editors/CommandDialog.h"
#include "core/Windows.h"

class QRadioButton;
class QToolButton;
class TFileDialog;

class TForm15 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);

    TComboBox* ComboBox3 = nullptr;  // the file
    TComboBox* ComboBox1 = nullptr;  // the variable read into, or the value written
    TComboBox* ComboBox2 = nullptr;  // the record position
    QRadioButton* RadioButton1 = nullptr;  // "Lire"
    QRadioButton* RadioButton2 = nullptr;  // "Ecrire"
    QToolButton* SpeedButton1 = nullptr;   // picks the file
    TFileDialog* OpenDialog1 = nullptr;

    void RadioButton1Click();
    void RadioButton2Click();
    void SpeedButton1Click();
};

constexpr WindowRef<TForm15> Form15{15};
