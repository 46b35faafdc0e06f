#pragma once
// The "Variable" dialog ("Déclaration de variable"): a name, an initial value
// (kept whole, separators included) and the kind "Alpha" or "Numerique".
// Renaming a used variable offers to rename it in every row, as one step of
// the history; a new declaration may go to the head of the macro; system
// variables can be picked from their list.
#include "editors/CommandDialog.h"
#include "core/Windows.h"

class QLineEdit;
class QMenu;
class QRadioButton;
class QToolButton;
class TFileDialog;

class TForm8 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;  // the name
    QLineEdit* Edit2 = nullptr;  // the initial value
    QLabel* Label2 = nullptr;    // Edit2's caption
    QRadioButton* RadioButton1 = nullptr;  // "Alpha"
    QRadioButton* RadioButton2 = nullptr;  // "Numerique"
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QToolButton* SpeedButton1 = nullptr;  // the system variables' list
    QMenu* PopupMenu1 = nullptr;          // Edit2's menu
    TFileDialog* OpenDialog1 = nullptr;   // "Fichier" of that menu
    TFileDialog* FolderDialog = nullptr;  // "Répertoire" of that menu

    // Characters a name cannot hold: the operators, and the separator.
    static bool ForbiddenInName(QChar c);

    void Edit1Change();
    void SpeedButton1Click();
    void PopupMenu1Popup();

protected:
    void LoadDefaults() override;
    void AfterShow() override;
    bool Commit() override;

private:
    // Takes the forbidden characters out of what was typed or pasted, and says why.
    void filterName(const QString& typed);
    // A new declaration after the "Variable" rows that begin the macro.
    bool addAtHead(const QString& params);
    QString openedName_;  // the name shown when the dialog opened
};

constexpr WindowRef<TForm8> Form8{8};
