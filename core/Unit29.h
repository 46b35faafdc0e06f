#pragma once
// The progress window "Chargement": shown and filled through the system
// variable "[PROGRESS]" and by long loads; Esc cancels the progress.
#include "core/Form.h"
#include "core/Windows.h"

class QLabel;
class QProgressBar;

class TForm29 : public TForm {
    Q_OBJECT
public:
    explicit TForm29(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;  // what is in progress
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label2 = nullptr;  // "Appuiez sur la touche Echap pour interrompre la progression."
    // Set by Esc, cleared when the window is shown.
    bool Cancelled = false;
    // Shows the window; a run's progress never takes the keyboard focus, so
    // that the keys a macro types go on reaching the window that had it.
    void ShowProgress(bool takeFocus);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

constexpr WindowRef<TForm29> Form29{29};
