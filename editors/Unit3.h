#pragma once
// The "Label" and "Goto" dialog: one name, kept whole as the row's parameter
// string. Its caption is the command it writes.
#include "editors/CommandDialog.h"
#include "core/Windows.h"

class TForm3 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    TComboBox* ComboBox1 = nullptr;  // the label's name; for "Goto" it lists the labels

protected:
    void FillLists() override;
    void LoadDefaults() override;
};

constexpr WindowRef<TForm3> Form3{3};
