#pragma once
// The export wizard page "Ajout de fichiers supplèmentaires": the files a
// macro names, checked to be packed, and files added by hand.
#include "core/Form.h"
#include "core/Windows.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class TFileDialog;
class TListView;

// The wizard's outcome: 2 after "Valider", 3 after "Annuler"; kept otherwise.
extern unsigned char ExportWizardResult;

class TForm33 : public TForm {
    Q_OBJECT
public:
    explicit TForm33(QWidget* parent = nullptr);

    // Fills the list from the rows of list (null: the main command list),
    // shows the wizard and returns false when it ended with "Annuler". Files
    // the macro only writes to are listed unchecked: left where they are.
    bool CollectExportFiles(TListView* list);
    // An item has exactly path as caption and is checked.
    bool IsExportFileSelected(const QString& path) const;
    // Indent 0: found in the macro; 1: added by hand.
    void AddExportFile(const QString& path, int indent, bool checked = true);

    void Button1Click();  // "Tout séléctionner"
    void Button2Click();  // "Ajouter"
    void Button3Click();  // "Valider"
    void Button4Click();  // "Annuler"

    QLabel* Image1 = nullptr;
    QTreeWidget* ListView1 = nullptr;  // column "Fichier", check boxes; indent in Qt::UserRole
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr;
    TFileDialog* OpenDialog1 = nullptr;

protected:
    // Return validates, Esc cancels.
    void keyPressEvent(QKeyEvent* event) override;
};

constexpr WindowRef<TForm33> Form33{33};

// The main window's item "Exporter vers exécutable", which starts the export (at start-up).
void InstallExportMenu();
