#pragma once
// The "Type" dialog ("Frappe de texte"), and the background painter that every
// numbered dialog shares.
#include "editors/CommandDialog.h"
#include "core/Windows.h"

class QLabel;

class TForm2 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    TComboBox* ComboBox1 = nullptr;  // the text to type; lists the variables

    // Paints the shared background on sender: the background picture (a new
    // random-Bézier pattern each time another form paints) at the top-left of a
    // screen-sized area; radio buttons placed on the form take the colour behind them.
    static void FormPaint(QWidget* sender);

protected:
    void AfterCommit() override;
    bool eventFilter(QObject* watched, QEvent* e) override;
};

constexpr WindowRef<TForm2> Form2{2};
// The name of the form that last painted a random-Bézier background.
extern QString LastBackgroundForm;

// From now on every numbered window but "Form1", "Form34" and "Form36" paints
// FormPaint as its background (installed with the palette).
void InstallDialogBackgrounds();
