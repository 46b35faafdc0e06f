#pragma once
// The "Execute" dialog ("Commande Exécute"): a program or document, a
// "mailto:" address or a web address, kept whole as the row's parameter string.
#include "editors/CommandDialog.h"
#include "core/Windows.h"

class QLabel;

class TForm26 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm26(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    TComboBox* ComboBox1 = nullptr;  // the target; lists the "Alpha" variables and two samples
    QPushButton* Button3 = nullptr;  // "Parcourir ..."

    // The command tree's presets: "mailto:", "http://www." or an empty text.
    void Preset(const QString& text) override;
    // Picks a file with the main window's open dialog, prepared by the palette.
    void Button3Click();
};

constexpr WindowRef<TForm26> Form26{26};
