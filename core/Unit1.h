#pragma once
// The main window: holds the macro (ListView1) and every operation on it.
// Its methods are spread over several files by topic (document, history,
// files, run control...); this header is the one declaration.

#include "core/MacroFileRecord.h"
#include "core/MacroList.h"
#include "core/Params.h"

#include <QLabel>
#include <QMainWindow>

class QAction;
class QMenu;
class QTabWidget;

// True while a dialog modifies the selected row; false while it adds one.
extern bool EditMode;
// The parameter string a row had when its modification began.
extern QString PreviousParams;
// History rows are recorded only while this is true.
extern bool HistoryEnabled;

class TForm1;
extern TForm1* Form1;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // --- Parameter strings ---
    static void GetParam(const QString& s, TParamFields& fields);
    static TParamFields GetParam(const QString& s);
    static void GetParamToStr(const TParamFields& fields, QString& s);
    static bool TextToBool(const QString& s);
    static void BoolToText(bool value, QString& s);
    static QString BoolToText(bool value);

    // --- Icons ---
    static int GetImageIndex(const TMacroFileRecord& record);
    static int GetImageIndexOfText(const QString& keyword);

    // --- List editing ---
    void Add_commande(TListView* list, const TMacroFileRecord& record);
    void Insert_commande(TListView* list, const TMacroFileRecord& record, int index);
    void add_insert(const QString& keyword, const QString& params, int imageIndex);
    void ChangeParam(TListView* list, int index, int fieldNo, const QString& newValue, bool saveHistory);
    void MoveCommande(TListView* list, int from, int to);
    static void Select_unique(QObject* control, int index);

    // --- Names used by the rows (variables, labels) ---
    bool VarUse(TListView* list, const QString& name) const;
    int Fonction_Pos(const QString& keyword, const QString& params, TListView* list) const;
    bool Fonction_existe(TListView* list, const QString& keyword, const QString& params) const;

    // ==== Start-up, command line, settings file, recent files (core/Startup.cpp) ====
    void Nouveau1Click();
    void UpdateLinePanel();

    // ==== Macro files and passwords (core/MacroFile.cpp); variables, labels,
    //      procedures, objects and the watch list (core/Variables.cpp) ====
    // Loads a macro file into list: position < 0 replaces the list, else inserts there.
    bool OpenFileMacro(const QString& fileName, TListView* list, const QString& statusText, int position);
    // Offers to save the open macro; false when the user cancelled.
    bool SaveBeforeExit();
    void ReadVariable(const QString& section, const QString& name, const QString& def, QString& value);
    void WriteVariable(const QString& section, const QString& name, const QString& value);
    void GetInitialValueofVar(const QString& name, QChar quote, QString& value);

    // ==== Undo history (core/History.cpp), command clipboard (core/CplBrd.cpp),
    //      inclusions (core/Inclusions.cpp), find and replace (core/Find.cpp) ====
    void SaveBeforeChange(int row);
    void AddHistory(int line, const QString& action, const QString& command, const QString& params);

    // ==== Checker (core/Debug.cpp) ====
    // Checks every row of list into the check list; true when no error was found.
    bool ControlAll(TListView* list);

    // ==== Run control, dispatcher, run-time errors and report (engine/) ====
    QString GetStateCaption();

    // ==== Command dialogs and palette (editors/) ====

    // --- Menu and list handlers ---
    void Supprimer1Click();
    void ListView1Deletion(int row, const MacroCommand& item);
    void Monterdunniveau1Click();
    void Descendredunniveau1Click();
    void Insertion1Click();
    void Edition2Click();
    void ListView1DblClick();
    void Editer1Click();

    // --- Controls (each topic adds its own) ---
    QMenu* MenuFichier = nullptr;
    QMenu* MenuEdition = nullptr;
    QMenu* MenuMode = nullptr;
    QMenu* MenuExecuter = nullptr;
    QMenu* MenuOutils = nullptr;
    QMenu* MenuAide = nullptr;
    TListView* ListView1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;  // "Contrôle commande", the check list's tab
    QTabWidget* PageControl2 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Nouveau1 = nullptr;
    QAction* Quitter1 = nullptr;
    QAction* Editer1 = nullptr;
    QAction* Supprimer1 = nullptr;
    QAction* Monterdunniveau1 = nullptr;
    QAction* Descendredunniveau1 = nullptr;
    QAction* Edition2 = nullptr;
    QAction* Insertion1 = nullptr;
    // Status bar panels: 0 macro file, 1 protection, 2 language, 3 line position.
    QLabel* StatusPanel[4] = {};

    // Shows the dialog of a row's keyword; installed by the command dialogs.
    using EditDispatcher = void (*)(const QString& keyword);
    static void setEditDispatcher(EditDispatcher dispatcher);

private:
    void buildMenus();
    void buildStatusBar();
    // Each topic adds its tabs, menu items and buttons; called by the
    // constructor in this order, after the list and the menus exist.
    void buildStartupUi();   // core/Startup.cpp
    void buildFilesUi();     // core/MacroFile.cpp, core/Variables.cpp
    void buildEditingUi();   // core/History.cpp and its neighbours
    void buildCheckUi();     // core/Debug.cpp
    void buildRunUi();       // engine/RunControl.cpp
    void buildPaletteUi();   // editors/Palette.cpp
};

// Run state shown in the caption: 0 idle, 1 running, 2 step, 3 paused,
// 4 stopped at a breakpoint, 5 step with a command running.
extern int ExecState;
