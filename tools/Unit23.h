#pragma once
// The About box; also the owner of the hidden command lists.
#include "core/Form.h"

#include <QComboBox>
#include <QLabel>

class TForm23 : public TForm {
    Q_OBJECT
public:
    explicit TForm23(QWidget* parent = nullptr);

    // Sets the program's process priority from the item index.
    void ComboBox1Change(QObject* sender);

    QLabel* Label5 = nullptr;        // system information line
    QComboBox* ComboBox1 = nullptr;  // process priority (core/ProcessPriority.h)

protected:
    void showEvent(QShowEvent* event) override;
};

extern TForm23* Form23;
