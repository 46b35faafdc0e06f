#pragma once
// The About box; also the owner of the hidden command lists.
#include "core/Form.h"

#include <QComboBox>
#include <QLabel>
#include <functional>

class TForm23 : public TForm {
    Q_OBJECT
public:
    explicit TForm23(QWidget* parent = nullptr);

    // Sets the program's process priority from the item index.
    void ComboBox1Change(QObject* sender);
    // Gives the process a nice value: 0, or the errno of the failure. Tests replace it.
    static std::function<int(int nice)> SetProcessNice;

    QLabel* Label5 = nullptr;        // system information line
    QComboBox* ComboBox1 = nullptr;  // process priority
};

extern TForm23* Form23;
// The program's version text, shown by the crash report.
extern QString ProgramVersion;
