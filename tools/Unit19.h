#pragma once
// The options dialog. Its controls are bound to the settings store
// (core/Settings.h): they show it each time it is loaded, and "Valider"
// writes them back into it and saves it.
#include "core/Form.h"
#include "core/Windows.h"
#include "core/Settings.h"

#include <QVector>
#include <functional>

class QAction;

#include "platform/LaunchFile.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QPlainTextEdit>
#include <QComboBox>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

class TForm19 : public TForm {
    Q_OBJECT
public:
    explicit TForm19(QWidget* parent = nullptr);

    // Reads the settings file (empty: the current one) into the store, which
    // applies it and which the controls then show.
    void LoadOptions(const QString& configFile);
    void FormCreate();
    void FormShow();
    // "Valider": saves into the current settings file, reads it back, closes.
    void Button1Click();
    // "Annuler": closes; the next showing reloads every control.
    void Button2Click();
    // "Enregistrer": gives the open macro a settings file of its own, then saves into it.
    void Button6Click();
    // A Tools menu item: opens the program its hint names.
    void NewItemClick(QAction* item);
    // The Tools list: add a program, remove the selected ones, move them up
    // or down; the menu follows at "Valider".
    void Button3Click();
    void Button4Click();
    void MoveTools(int step);
    // The report file's "Parcourir ...".
    void SpeedButton3Click();
    // "Restaurer à la fin de l'exécution" only when a screen mode is chosen.
    void ComboBox1Change();
    // The controls show the store, and write into it.
    void ShowSettings();
    void StoreSettings();
    // Handlers of the dialog's tabs (tools/Unit19Tabs.cpp).
    void ComboBox5Change();
    void Button11Click();
    void ComboBox3Change();
    void ComboBox4Click();
    void ListBox2DblClick();
    void FontLabelClick(QLabel* label);
    void Edit1Change();
    // The delay fields take whole numbers only: anything else is said and
    // gives the default back.
    void TPGEditChange();
    void TPFEditChange();
    // The arrows of a delay field: one more or one less, from 0 to top.
    void StepDelay(QLineEdit* field, int step, int top);
    void PageControl1Change();
    void HotKeyEnter(QKeySequenceEdit* field);
    void HotKeyExit(QKeySequenceEdit* field);
    void ReleaseHotKeyFields();
    // The mouse and typing tests (tools/Unit19Tests.cpp): each a toggle.
    void Button8Click();
    void Button9Click();
    bool SpeedTestRunning = false;
    // Plug-ins (tools/Unit19Plugins.cpp).
    void ListBox3Click();
    void ListBox4Click();
    void Button5Click();
    void Button10Click();
    void Label50Click();
    // Launch triggers (tools/Unit19Launch.cpp).
    void UpDown3Click(bool up);
    void Button12Click();
    void Button14Click();
    void ListBox5Click();
    void CheckBox9Click();
    // The triggers of the open macro and of the others, as the last load read them.
    platform::TLaunchList MacroLaunches, OtherLaunches;
    void ReadLaunchFile();
    // Writes "Launch.dat" (the other macros' records first); false, said, when it failed.
    bool WriteLaunchFile();
    void ListLaunches();
    // Tells a running scheduler that "Launch.dat" changed, or starts one when
    // there are triggers (said when it cannot).
    void NotifyScheduler();
    // The update check (tools/Unit19Update.cpp).
    void Button7Click();

    // "Delais"
    QLineEdit* TPGEdit = nullptr;   // General_time: ms between two commands
    QWidget* UpDown1 = nullptr;     // its arrows, 0 to 2000
    QLineEdit* TPFEdit = nullptr;   // Type_time: ms between two typed keys
    QWidget* UpDown2 = nullptr;     // its arrows, 0 to 1000
    QSlider* TrackBar1 = nullptr;   // SpeedMouse
    QLineEdit* Edit4 = nullptr;     // PauseMouse
    QCheckBox* CheckBox1 = nullptr; // General_Actif
    QCheckBox* CheckBox2 = nullptr; // Type_Actif
    // "General"
    QCheckBox* CheckBox12 = nullptr;  // VarHeader
    QRadioButton* RadioButton1 = nullptr;  // Mode Edition
    QRadioButton* RadioButton2 = nullptr;  // Mode Insertion
    QCheckBox* CheckBox3 = nullptr;   // Grille
    QComboBox* ComboBox5 = nullptr;   // Background
    QListWidget* ListBox1 = nullptr;  // Outils
    QPushButton* Button3 = nullptr;       // "Ajouter"
    QPushButton* Button4 = nullptr;       // "Supprimer"
    QPushButton* SpeedButton1 = nullptr;  // up
    QPushButton* SpeedButton2 = nullptr;  // down
    // "Control"
    QCheckBox* CheckBox4 = nullptr;   // Erreur Execution
    QCheckBox* CheckBox10 = nullptr;  // Control Execution
    QCheckBox* CheckBox5 = nullptr;   // Rapport
    QLineEdit* Edit1 = nullptr;       // ParamSeparator()
    QLineEdit* Edit3 = nullptr;       // RapportFile
    QPushButton* SpeedButton3 = nullptr;  // "Parcourir ..." for the report file
    QCheckBox* CheckBox11 = nullptr;  // Anchor Activate (inverse)
    QKeySequenceEdit* HotKey1 = nullptr;  // PauseExecute
    QKeySequenceEdit* HotKey2 = nullptr;  // StopExecute
    // Fonts
    QLabel* Label13 = nullptr;  // Police Commandes
    QLabel* Label14 = nullptr;  // Police Parametres
    QLabel* Label15 = nullptr;  // Police Variables
    QLabel* Label23 = nullptr;  // Police d'impression
    // "Divers", "Resolution", "MAJ"
    QCheckBox* CheckBox6 = nullptr;  // WaitSnd
    QComboBox* ComboBox1 = nullptr;  // Resolution Format
    QCheckBox* CheckBox7 = nullptr;  // ResFin
    QCheckBox* CheckBox8 = nullptr;  // MAJ Run
    QComboBox* ComboBox2 = nullptr;  // MAJ Frequence
    QLabel* Label36 = nullptr;       // MAJ DateVerif
    QLabel* Label30 = nullptr;       // version of the program
    QPushButton* Button7 = nullptr;  // "Rechercher maintenant" (update check)
    // Statistics of the "Générale" tab
    QLabel* Label5 = nullptr;   // number of commands
    QLabel* Label48 = nullptr;  // commands run in the last run
    QLabel* Label37 = nullptr;  // times of the last run
    // Other
    QComboBox* ComboBox3 = nullptr;  // interface language
    QLabel* Label22 = nullptr;       // settings file in use
    QPushButton* Button1 = nullptr;  // Valider
    QPushButton* Button2 = nullptr;  // Annuler
    QPushButton* Button6 = nullptr;  // Enregistrer (per-macro settings)
    QTabWidget* PageControl1 = nullptr;
    // The tabs, in their order: Générale, Délais, Outils, Contrôle, Divers,
    // Mise à jour, Couleurs, Plug-ins, Lancements.
    QWidget *TabSheet1 = nullptr, *TabSheet2 = nullptr, *TabSheet3 = nullptr, *TabSheet4 = nullptr,
            *TabSheet5 = nullptr, *TabSheet6 = nullptr, *TabSheet8 = nullptr, *TabSheet9 = nullptr,
            *TabSheet7 = nullptr;
    // Speed tests
    QPushButton* Button8 = nullptr;  // "Tester la souris"
    QPushButton* Button9 = nullptr;  // "Tester le clavier"
    QLabel* Label7 = nullptr;        // what the tests say
    QLineEdit* Edit2 = nullptr;      // receives the typing test
    // Background
    QPushButton* Button11 = nullptr;  // "Parcourir ..."
    QLabel* Image1 = nullptr;         // preview
    // Update check
    QLabel* Label33 = nullptr;         // status
    QPlainTextEdit* Memo1 = nullptr;   // news
    // Colours
    QComboBox* ComboBox4 = nullptr;   // rubric
    QListWidget* ListBox2 = nullptr;  // its rows with their samples
    // Plug-ins
    QListWidget* ListBox3 = nullptr;  // categories
    QListWidget* ListBox4 = nullptr;  // plug-ins of the category
    QPlainTextEdit* Memo3 = nullptr;  // path and description
    QLabel* Image3 = nullptr;         // icon
    QPushButton* Button5 = nullptr;   // "Ajouter ..."
    QPushButton* Button10 = nullptr;  // "Supprimer"
    QLabel* Label50 = nullptr;        // the plug-ins page of the web site
    // Launch triggers
    QListWidget* ListBox5 = nullptr;
    QRadioButton* RadioButton4 = nullptr;  // "Tâche planifiée"
    QRadioButton* RadioButton3 = nullptr;  // "Raccourci clavier"
    QDateEdit* DT1 = nullptr;              // start date
    QLineEdit* DT2 = nullptr;              // time "hh:mm"
    QWidget* UpDown3 = nullptr;            // its up and down arrows
    QComboBox* ComboBox6 = nullptr;        // frequency
    QKeySequenceEdit* HotKey3 = nullptr;   // shortcut
    QPushButton* Button12 = nullptr;       // "Ajouter"
    QPushButton* Button14 = nullptr;       // "Supprimer"
    QCheckBox* CheckBox9 = nullptr;        // scheduler at log-in

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One control bound to the store: how it shows its value and writes it back.
    struct Binding {
        std::function<void()> show, store;
    };
    void bindControls();
    void connectTabs();
    QLabel* fontLabel(const QString& fontRow) const;
    QString TSettings::*hotKeyOf(const QKeySequenceEdit* field) const;
    QVector<Binding> bindings_;
    bool launchesRead_ = false;
    // What the test buttons and their label read before a test, given back
    // after it (the language's texts); null while no test runs.
    QString mouseIdleCaption_, typingIdleCaption_, testIdleHint_;
    bool testOwnsRunFlag_ = false;  // a speed test raised the run flag for its move or typing  // "Launch.dat" was read: it may be written
};

constexpr WindowRef<TForm19> Form19{19};

// The automatic update check; run once the editor opens (never before a
// run without the editor, so that nothing waits on the network first). The
// options dialog is made only when a check is due.
void AutoUpdateCheck();

// The colours of the settings file in use: the background curves' and, on
// every window made, the texts'. A window made later takes its texts' by
// ApplyTextColors.
void ApplyGeneralColors();
void ApplyTextColors(QWidget& window);

// What a list's choice stands for: the value of its item while the item
// shows (its text may be a translation), else the text typed; and the choice
// of a value (typed into an editable list that has no item for it).
QString ComboValue(const QComboBox* combo);
void SelectComboValue(QComboBox* combo, const QString& value);

// The font a label shows, as a settings record, and back (size 8 when Size is
// empty or not a number). The colour value is kept with the label.
TMyFont FontToStrings(const QLabel* label);
void StringsToFont(const TMyFont& font, QLabel* label);
// The colour value of a font label (Label13, Label14...), system colours included.
TColor FontColor(const QLabel* label);

