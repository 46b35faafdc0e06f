#pragma once
// The "Question" and "Message" dialog: a window title, a message and, for a
// question, the variable that gets the answer. Its caption is the command it writes.
#include "editors/CommandDialog.h"
#include "core/Windows.h"

class TForm9 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);

    TComboBox* ComboBox2 = nullptr;  // the window title
    TComboBox* ComboBox3 = nullptr;  // the message
    TComboBox* ComboBox1 = nullptr;  // the variable of the answer ("Question" only)

    // The palette titles the window after the command and goes to the message.
    void OpenedFromPalette() override;

protected:
    void AfterShow() override;
};

constexpr WindowRef<TForm9> Form9{9};
