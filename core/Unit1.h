#pragma once
// The main window: holds the macro (ListView1) and every operation on it.
// Its methods are spread over several files by topic (document, history,
// files, run control...); this header is the one declaration.

#include "core/MacroFile.h"
#include "core/MacroFileRecord.h"
#include "core/Windows.h"
#include "core/MacroList.h"
#include "core/Params.h"
#include "core/RunControl.h"
#include "core/RunState.h"

#include <QLabel>
#include <QMainWindow>
#include <QPersistentModelIndex>
#include <QPointer>

class QAction;
class QMenu;
class QTabWidget;

// The editing of the macro's rows.
struct TRowEditing {
    bool modifying = false;      // a dialog modifies the selected row; false while it adds one
    QString previousParams;      // the parameter string a row had when its modification began
    bool historyEnabled = true;  // history rows are recorded only while this is true
};
TRowEditing& RowEditing();

class TForm1;
constexpr WindowRef<TForm1> Form1{1};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // --- Parameter strings ---
    // The editor's rule over SplitFields (core/Params.h): fields 1 to 19.
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

    // ==== Start-up, command line, settings file, recent files (core/Startup*.cpp) ====
    void Nouveau1Click();
    void UpdateLinePanel();
    // Runs once the window and its topics are built (the program body calls it).
    void FormCreate();
    // Settings, language, plug-ins, positions, recent files, then the command
    // line. False when the macro it names cannot be opened (said on stderr).
    bool InitForm1();
    void FormShow();
    void FormActivate();
    void FormDeactivate();
    void FormResize();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();
    void Quitter1Click();
    // The settings file: the open macro's own ".ini" when it exists, else
    // "config.ini" of the program folder.
    void GetConfigFileName(QString& name) const;
    QString GetConfigFileName() const;
    static void GetLongFileName(const QString& path, QString& longName);
    static QString GetLongFileName(const QString& path);
    // The n-th argument (from 1), arguments split at blanks joined back until they have an extension.
    static void GetExecParam(int n, QString& value);
    // The ring of ten recent files, [Recents] of the program folder's "config.ini".
    void AddRecents(const QString& fileName);
    void ReadRecents();
    void ClickRecents(QAction* sender);
    static void NoDoublonofListBox(class QListWidget* listBox);
    static int GetListBoxSelected(class QListWidget* listBox);
    void HelpRequested();  // F1: the help file at the focused control's help context
    // Positions of the windows "Form1" to "Form37" but "Form34" and "Form28",
    // [Form<n>] of the settings file in use; with them, the XP look.
    void ReadWindowPositions();
    // The same for one window made after start-up.
    void ReadWindowPosition(QWidget& window);
    void WriteWindowPositions();
    void AddTrayIcon();
    void RemoveTrayIcon();
    QString CommandLineFile;  // the macro named on the command line
    bool WasShown = false;    // the window was shown (not a hidden run)
    bool Closed = false;      // the window was closed: the program ends
    QMenu* Recents1 = nullptr;
    QMenu* mesoutils1 = nullptr;  // "Mes Outils", filled by the settings loader
    QMenu* PopupMenu3 = nullptr;  // the tray icon's menu
    QAction* Apropos2 = nullptr;
    QAction* Quitter2 = nullptr;
    QLabel* Image1 = nullptr;  // banner
    class QSystemTrayIcon* TrayIcon = nullptr;
    // The window accepted to close: the program ends.
    Q_SIGNAL void MainWindowClosed();
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // ==== Macro files and passwords (core/MacroFile*.cpp, core/Unit32.cpp); variables, labels,
    //      procedures, objects (core/Variables*.cpp) and the watch list (core/WatchList.cpp) ====
    // Loads a macro file into list: position < 0 replaces the list, else inserts
    // there. Answers the number of command rows read.
    int OpenFileMacro(const QString& fileName, TListView* list, const QString& statusText, int position);
    // Writes list (null: ListView1) to SaveDialog1's file; false when nothing
    // was written (read-only file, failed write, Save As cancelled).
    bool SaveMacro(TListView* list);
    void Ouvrir1Click();
    bool Enregistrer1Click();
    bool Enregistersous1Click();
    void Crypter1Click();
    // The main list differs from its file.
    bool MacroChange();
    // Offers to save the open macro; true only when it was saved, needed no
    // saving or the user answered "Non".
    bool SaveBeforeExit();
    // The open and save dialogs (core/FileDialog.h); SaveDialog1 names the macro's file.
    class TFileDialog* OpenDialog1 = nullptr;
    class TFileDialog* SaveDialog1 = nullptr;
    QAction* Ouvrir1 = nullptr;
    QAction* Enregistrer1 = nullptr;
    QAction* Enregistersous1 = nullptr;
    QAction* Crypter1 = nullptr;

    // Names declared by the rows; a null list means ListView1.
    void List_Var(QStringList& strings, bool alpha, bool numerique, TListView* list = nullptr) const;
    void GetInitialValueofVar(const QString& name, QChar quote, QString& value) const;
    void List_Label(QObject* comboBox) const;
    void List_procedure(QObject* comboBox) const;
    void List_Objet(QObject* comboBox) const;
    void List_var_and_objet(QObject* comboBox) const;
    bool Fonction_existe_with_param(TListView* list, const QString& keyword, int fieldNo, const QString& text) const;
    int procedure_exists(TListView* list, const QString& name) const;
    int FindEndOfProcedure(TListView* list, int start) const;
    bool CanGetEndofProcedure(TListView* list, int index, bool oneOpen) const;
    void New_Var_Name(QObject* edit) const;
    void New_Label_Name(QObject* comboBox) const;
    void OneVarOnly(const QString& name, TListView* list = nullptr);
    void Update_Objet(TListView* list, int oldNumber, int newNumber);
    bool ChangeVarName(const QString& oldName, const QString& newName, bool apply);
    static void ChangeVarNameIntoSimpleText(const QString& text, const QString& oldName, const QString& newName,
                                            QString& result);
    // The run-time store (core/Variables.h).
    void ReadVariable(const QString& section, const QString& name, const QString& def, QString& value);
    void WriteVariable(const QString& section, const QString& name, const QString& value);

    // The watch list, tab "Évaluer".
    void valuer1Click();
    void valuer2Click();
    void SpeedButton21Click();
    void Ajouter1Click();
    void Modifier1Click();
    void Supprimer4Click();
    void Reinitialiertouteslesvariable1Click();
    void Supprimertouteslesvariables1Click();
    void Copierlavaleur1Click();
    void ListView3Click();
    // Moves the selected watch row to row `to` (the end when past the last row).
    void ListView3EndDrag(int to);
    void RefreshWatchValue(const QString& name, const QString& value);
    // What the watch list's menu offers, by the selected rows; the menu opens beside its button.
    void PopupMenu6Popup();
    void SpeedButton28MouseUp();
    QWidget* TabSheet4 = nullptr;
    class TWatchList* ListView3 = nullptr;   // core/WatchList.h
    class QCheckBox* CheckBox1 = nullptr;    // "Évalution permanente"
    class QToolButton* SpeedButton21 = nullptr;
    class QToolButton* SpeedButton28 = nullptr;
    QMenu* PopupMenu6 = nullptr;
    QAction* valuer1 = nullptr;
    QAction* valuer2 = nullptr;
    QAction* Ajouter1 = nullptr;
    QAction* Modifier1 = nullptr;
    QAction* Supprimer4 = nullptr;
    QAction* Reinitialiertouteslesvariable1 = nullptr;
    QAction* Supprimertouteslesvariables1 = nullptr;
    QAction* Copierlavaleur1 = nullptr;

    // ==== Undo history (core/History.cpp), command clipboard (core/CplBrd.cpp),
    //      inclusions (core/Inclusions.cpp), find and replace (core/Find.cpp) ====
    // Undo history: ListView4 on the tab "Modifications"; its tag is the current position.
    void SaveBeforeChange(int row);
    // Records that row changed from before (its command too) as one modification.
    void SaveRowChange(int row, const MacroCommand& before);
    void AddHistory(int line, const QString& action, const QString& command, const QString& params);
    // Empties the history and starts it with one row: "Ouvrir" + file name, or "Nouvelle macro".
    void ResetHistory(const QString& action, const QString& params = QString());
    // The parameters of line `line` as of history row `from`, following the line
    // through the additions, deletions and moves recorded before; def when no row tells.
    QString FindModif(int line, int from, const QString& def) const;
    // The history row FindModif reads; -1 when none tells.
    int FindModifRow(int line, int from) const;
    void ListView4Click();      // jump to the selected history row
    void ListView4Changing();   // enables the buttons
    void SpeedButton25Click();  // "Défaire": one step back
    void SpeedButton23Click();  // "Refaire": one step forward
    void SpeedButton26Click();  // back to the previous group marker
    void SpeedButton27Click();  // forward to the next group marker
    void Dfaire1Click();
    void Refaire1Click();
    void Modificattion1Click();  // shows the tab "Modifications"
    void SpeedButton24Click();   // "Fermer": hides it
    class THistoryList* ListView4 = nullptr;
    QWidget* TabSheet5 = nullptr;
    class QToolButton *SpeedButton23 = nullptr, *SpeedButton24 = nullptr, *SpeedButton25 = nullptr,
                      *SpeedButton26 = nullptr, *SpeedButton27 = nullptr;
    QAction *Dfaire1 = nullptr, *Refaire1 = nullptr, *Modificattion1 = nullptr;

    // Command clipboard: rows through "clipboard.tmp", text through the system clipboard.
    // With the list unfocused, cut, copy, paste and delete act on the focused field of a dialog.
    void Couper2Click();
    void Copier2Click();
    void Coller2Click();
    void Supprimer2Click();
    void Collerapartirduntextesimple1Click();
    static QString GetClipboardText();
    QAction *Couper2 = nullptr, *Copier2 = nullptr, *Coller2 = nullptr, *Collerapartirduntextesimple1 = nullptr;
    QAction *Couper1 = nullptr, *Copier1 = nullptr, *Coller1 = nullptr, *Supprimer2 = nullptr;  // PopupMenu1

    // Inclusions of the main list (core/Inclusions.h), expanded and folded back.
    bool LoadInclusions();
    void UnloadInclusions();
    void Charger1Click();
    void Dcharger1Click();
    QAction *Charger1 = nullptr, *Dcharger1 = nullptr;

    // Find and replace in ListView1, and the report search.
    static bool StrExist(const QString& text, const QString& sub);
    void Danslescommandes1Click();
    void Danslesparamtres1Click();
    void Danslescommandesetparamtres1Click();
    void FindDialog2Find();
    void Occurencesuivante1Click();  // F3
    void Remplacer1Click();
    void ReplaceDialog1Replace(bool all);  // the replace and replace-all buttons
    void Rechercherladclaration1Click();
    void Rechercher1Click();  // the report pop-up's "Rechercher": shows FindDialog1
    void FindDialog1Find();   // one search step in the report RichEdit1
    void Rechercher3Click();  // Aide > "Rechercher": the help file for the focused control
    QAction *Danslescommandes1 = nullptr, *Danslesparamtres1 = nullptr, *Danslescommandesetparamtres1 = nullptr;
    QAction *Occurencesuivante1 = nullptr, *Remplacer1 = nullptr, *Rechercherladclaration1 = nullptr;
    QAction* Rechercher3 = nullptr;
    class TFindDialog *FindDialog2 = nullptr, *FindDialog1 = nullptr;
    class TReplaceDialog* ReplaceDialog1 = nullptr;

    // ==== Checker (core/Debug.cpp) ====
    // Checks every row of list into the check list ListView2. True when no
    // listed error was found; false too when the pass stopped early (more than
    // 8 errors, a broken row, Escape in the progress window), so that a partly
    // checked macro never runs. True without checking when the check is off.
    bool ControlAll(TListView* list);
    void PageControl1Change();
    void Rafr1Click();
    void Ignorercetteavertissement1Click();
    void Restituerlesavertissementsignors1Click();
    void ListView2DblClick();
    void ListView2ColumnClick(int column);
    // Columns "N° de Commande", "Status", "Détail"; image index in Qt::UserRole of column 0.
    class QTreeWidget* ListView2 = nullptr;
    bool CheckSortDescending = false;  // the next column click sorts descending
    QAction* Rafr1 = nullptr;
    QAction* Ignorercetteavertissement1 = nullptr;
    QAction* Restituerlesavertissementsignors1 = nullptr;

    // ==== Run control, dispatcher, run-time errors and report (core/RunUi.cpp) ====
    // The macro the window shows in ListView1 and runs.
    TMacroDocument* Macro = nullptr;
    // Follows the run of the program's runner: caption, run controls, the
    // row being run, the report tab and the watch list (the program body
    // calls it once the runner is made).
    void FollowRun(TRunControl& run);
    // The caption: the macro's file name and the run state.
    QString GetStateCaption();
    // The icon of the program while a command runs (states 1 and 5); the
    // toolbar loader sets it, null means the icon of start-up.
    QIcon RunIcon;
    // The engine's runner does these (core/RunControl.h); the window forwards.
    void Execute(QObject* sender, bool resumeContext, int startIndex);
    void Execute1Click();
    void Paspas1Click();
    void Stop1Click();
    void Reprendrelexcution1Click();
    void SpeedButton29Click();
    void FormKeyUp(int key);
    void WaitWithMessages(unsigned milliseconds);
    void FnctPause(const QString& params);
    void Execute_commande(TListView* list, int& index, QVector<bool>& activeOrder);
    void RaiseExecError(const QString& message, int code);
    void ExpandParamValues(TListView* list, int row, QVector<ParamValue>& pairs);
    void AddToRapport(const QString& command, const QString& params);
    double StrToNumber(const QString& text);
    // The window's own: breakpoints on the selected rows, the Execute menu
    // prepared as it opens, the report switch and numbers, the contexts.
    void Pointdarrt1Click();
    void Executer1Click();
    void CheckBox3Click();
    void ComboBox1Change();
    void Sauvegardeducontextedexcution1Click();
    void SpeedButton36Click();
    void RunSavedContext(const QString& fileName);
    // The list and row being run: a sub-macro's while one runs.
    void GetExecPosition(TMacroDocument*& list, int& row);
    // The internal-error window in its plain form (core/CrashReport.cpp).
    void ShowInternalError(const QString& message);

    QAction* Execute1 = nullptr;
    QAction* Paspas1 = nullptr;
    QAction* Stop1 = nullptr;
    QAction* Pointdarrt1 = nullptr;
    QAction* Reprendrelexcution1 = nullptr;
    QAction* Sauvegardeducontextedexcution1 = nullptr;
    QAction* Enregistrerunesequence1 = nullptr;
    class QToolButton* SpeedButton103 = nullptr;  // "Executer"
    class QToolButton* SpeedButton105 = nullptr;  // "Stop"
    class QToolButton* SpeedButton29 = nullptr;   // "Pause"
    class QToolButton* SpeedButton36 = nullptr;   // "Contextes d'exécution sauvegardés"
    class QMenu* PopupMenu7 = nullptr;            // the saved contexts of the open macro
    class QToolButton* SpeedButton111 = nullptr;  // "Mette un point d'arrêt", on the list's tool bar
    QWidget* TabSheet2 = nullptr;                 // "Rapport"
    class QTextEdit* RichEdit1 = nullptr;         // the execution report
    class QComboBox* ComboBox1 = nullptr;         // report numbers
    QLabel* Label1 = nullptr;                     // "Rapport n°"
    class QCheckBox* CheckBox3 = nullptr;         // "Activer le rapport"

    // ==== Command palette ====
    // SpeedButton1... on the pages of PageControl2, built by the command
    // dialogs' layer; a click opens its command dialog for adding.
    class QToolButton* PaletteButton(int number) const;  // "SpeedButton<number>", or null
    // Shared by the Execute dialog's browse button, the Inclusion edit and the plug-ins tab.
    class TFileDialog* OpenDialog2 = nullptr;

    // --- Menu and list handlers ---
    void Supprimer1Click();
    void ListView1Deletion(int row, const MacroCommand& item);
    void Monterdunniveau1Click();
    void Descendredunniveau1Click();
    void Insertion1Click();
    void Edition2Click();
    void ListView1DblClick();
    void Editer1Click();

    // The tool bar tied to the list (core/ListToolBar.cpp): cut, copy, paste,
    // delete, watch a variable, breakpoint, undo and redo.
    class QToolButton *SpeedButton106 = nullptr, *SpeedButton107 = nullptr, *SpeedButton108 = nullptr,
                      *SpeedButton109 = nullptr, *SpeedButton110 = nullptr;
    // Enables the list's buttons from the selection; leaving the list disables them.
    void UpdateListButtons();
    // The protection and language panels of the status bar.
    void UpdateStatusPanels();

    // ==== Views and small operations of the main window ====
    // Start-up: the dialogs' pictures from the folder "ressources" of the
    // program folder, when there is one (core/ToolbarGlyphs.cpp).
    void LoadToolbarGlyphs();  // to every window made, each by LoadGlyphs
    // A bar of buttons mirroring the items of a menu, along the top of the
    // window until its close button is clicked (core/MenuPanel.cpp).
    QWidget* MenuPanel(QMenu* menu);
    // The input box (core/InputBox.cpp): true when confirmed, result then holds the text typed.
    bool Saisie(const QString& caption, const QString& prompt, QString& result, bool password,
                const QString& defaultText);
    // A balloon tooltip at a corner of control (0 top-left, 1 top-right, 2
    // bottom-left, 3 bottom-right), shown up to two seconds (core/BalloonTip.cpp).
    QWidget* ShowBalloonTip(QWidget* control, int side, const QString& text, const QString& title);
    // The description tab (core/Description.cpp): RichEdit2's text becomes the
    // block of name in DescriptionLines, replacing any block of that name.
    void ChangeDescription(const QString& name);
    // The path above the description: its parts (joined by the separator) as links to their nodes.
    void GetDescURLStyle(const QString& path);
    // A link of the path: selects its node (its tag) and shows the palette page of its name.
    void DescURLStyleOnclick(QLabel* link);
    // "Détail commandes": shows or hides the command detail panel and the description tab.
    void Dtailcommandes1Click();
    QAction* Dtailcommandes1 = nullptr;
    // Makes the palette page of that caption the current one.
    void ShowPalettePage(const QString& caption);
    QWidget* TabSheet3 = nullptr;            // "Description"
    QWidget* Panel9 = nullptr;               // the path above the description
    class QTextEdit* RichEdit2 = nullptr;    // the description
    // The command detail panel at the left (Panel3 with its title Panel4 and
    // close button SpeedButton20) holds the command tree, filled by its topic.
    class QSplitter* Splitter2 = nullptr;
    QWidget* Panel3 = nullptr;
    QLabel* Panel4 = nullptr;
    class QToolButton* SpeedButton20 = nullptr;
    class QTreeWidget* TreeView1 = nullptr;
    QPointer<class TBalloonTip> BalloonTip;

    // Once every topic has built its part of the window (core/MainMenu.cpp):
    // each menu item in its place whichever topic built it, the lower tabs in
    // their order, the pop-ups on their controls.
    void ArrangeViews();
    void ArrangeMainMenu();
    // What the menus prepare when they open.
    void Macro1Click();
    void Edition1Click();
    void Outils1Click();
    void PopupMenu1Popup();
    void Options1Click();
    void Gestionnairedetche1Click();
    void Apropos1Click();
    void Consulter1Click();
    void Insereruncommentaire1Click();
    void Enregistrerunesequence1Click();
    void N2Click();  // "Tout sélectionner"
    // The options dialog shown on its page of that name; null when there is none.
    QWidget* ShowOptionsPage(const char* page);
    QAction *Options1 = nullptr, *Imprimer1 = nullptr, *Aperuavantimpression1 = nullptr, *Spy1 = nullptr,
            *RechercherObjet1 = nullptr, *Gestionnairedetche1 = nullptr, *Consulter1 = nullptr, *Apropos1 = nullptr,
            *N2 = nullptr, *phpBB1 = nullptr, *HTML1 = nullptr, *Insereruncommentaire1 = nullptr,
            *MiseenForme1 = nullptr, *Activer1 = nullptr, *Dsactiver1 = nullptr;

    // Comment rows (core/CommentRows.cpp): stars around a comment; commands
    // turned into comments and back, each an undoable change.
    void MiseenForme1Click();
    void Activer1Click();
    void Dsactiver1Click();

    // The command list's painting, indentation and hints (core/ListViews.cpp).
    void ListView1Click();

    // The status bar (core/StatusBar.cpp): the panel at x (-1 past the last);
    // a double-click on the line panel goes to a line, on the language panel
    // opens the options on the languages.
    int StatusPanelAt(int x) const;
    void StatusBar1DblClick(int x);
    void GoToLine();

    // Printing and text copies (core/Print.cpp, core/TextExport.cpp).
    // Writes the command list as rich text with the fonts of the options; false (said) when it cannot.
    bool BuildPrintText(const QString& fileName);
    // Writes the print file and reads it back for printing; false (said) when it cannot.
    bool ReadPrintText(class QTextDocument& document);
    void Aperuavantimpression1Click();
    void Imprimer1Click();
    void Imprimer2Click();     // the check list or the report
    void Enregister1Click();   // the check list, the report or the description
    void phpBB1Click();
    void HTML1Click();
    static void PrintComponentList(const QWidget& form, const QString& textFile, const QString& codeFile);
    static void PrintMapArea(const QWidget& form, const QString& file);
    QAction *Enregister1 = nullptr, *Imprimer2 = nullptr;
    class TFileDialog* SaveDialog2 = nullptr;

    // --- Controls (each topic adds its own) ---
    // The main menus "Macro" (Macro1), "Edition" (Edition1) with its sub-menu
    // "Mode" (Mode1), "Executer" (Executer1), "Outils" (Outils1), "Aide" (Aide1).
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

private:
    void buildMenus();      // core/MainMenu.cpp
    void buildStatusBar();  // core/StatusBar.cpp
    // Each topic adds its tabs, menu items and buttons; called by the
    // constructor in this order, after the list and the menus exist.
    void buildStartupUi();   // core/Startup.cpp
    void buildFilesUi();     // core/MacroFile.cpp, core/Variables.cpp
    void buildListToolBar();  // core/ListToolBar.cpp
    void buildEditingUi();   // core/History.cpp and its neighbours
    void buildCheckUi();     // core/Debug.cpp
    void buildDetailPanel();    // core/Description.cpp
    void buildDescriptionUi();  // core/Description.cpp
    void buildPrintUi();        // core/Print.cpp
    void buildListViews();      // core/ListViews.cpp
    void buildRunUi();          // core/RunUi.cpp
    void buildReportTab();      // core/RunUi.cpp
    // The run controls for a run state.
    void showRunState(int state);
};

// The pictures of one window from the folder "ressources" (see LoadToolbarGlyphs).
void LoadGlyphs(QWidget& window);

