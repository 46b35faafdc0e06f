#pragma once
// The options dialog. Its controls are the live settings: every part of the
// program reads the control when it needs the value.
#include "core/Form.h"
#include "look/Colors.h"

#include <QImage>
#include <QVector>
#include <functional>

class QAction;

#include <QCheckBox>
#include <QComboBox>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>

class TForm19 : public TForm {
    Q_OBJECT
public:
    explicit TForm19(QWidget* parent = nullptr);

    // Reads the settings file (empty: the current one) into the controls and applies them.
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
    // The automatic update check; run once the editor opens (never before a
    // run without the editor, so that nothing waits on the network first).
    void AutoUpdateCheck();
    // Handlers of the dialog's tabs.
    void ChangeGeneralColorText();
    void ComboBox5Change();

    // "Delais"
    QLineEdit* TPGEdit = nullptr;   // General_time: ms between two commands
    QSpinBox* UpDown1 = nullptr;
    QLineEdit* TPFEdit = nullptr;   // Type_time: ms between two typed keys
    QSpinBox* UpDown2 = nullptr;
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
    // "Control"
    QCheckBox* CheckBox4 = nullptr;   // Erreur Execution
    QCheckBox* CheckBox10 = nullptr;  // Control Execution
    QCheckBox* CheckBox5 = nullptr;   // Rapport
    QLineEdit* Edit1 = nullptr;       // CarSepParam
    QLineEdit* Edit3 = nullptr;       // RapportFile
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
    QWidget* TabSheet5 = nullptr;  // Divers
    QWidget* TabSheet7 = nullptr;  // Lancements
    QWidget* TabSheet9 = nullptr;  // Plug-ins

protected:
    void showEvent(QShowEvent* event) override;
};

extern TForm19* Form19;

// Live values the loader sets besides the controls.
extern QString ReportFileName;
extern int ObjectPosX;
extern int ObjectPosY;

// A font as the settings store it: Color, Height and Size as decimal text,
// the four style flags "1" or "0".
struct TMyFont {
    QString Color, Height, Name, Size, fsBold, fsItalic, fsUnderLine, fsStrikeOut;
    bool operator==(const TMyFont&) const = default;
};
extern TMyFont FontCommande, FontParam, FontVariable, PrinterFont;
TMyFont FontToStrings(const QLabel* label);
// Gives the label that font (size 8 when Size is empty or not a number).
void StringsToFont(const TMyFont& font, QLabel* label);
// The colour value of a font label (Label13, Label14...), system colours included.
TColor FontColor(const QLabel* label);

// One (keyword, colour) pair of the section "ColorCommandes", in file order;
// the command list paints each row with its keyword's colour.
struct TOrderColor {
    QString Name;
    TColor Color = clWhite;
};
extern QVector<TOrderColor> CommandColors;

// The screen mode when the dialog was created; a run restores it at its end.
extern int StartScreenWidth, StartScreenHeight, StartScreenDepth;
// The update check ran since the program started: "Valider" stores today as its date.
extern bool UpdateCheckDone;
// The dialogs' shared background picture (empty: none).
extern QImage BackgroundBitmap;
// Short date format of the settings ("DateVerif").
inline const QString kShortDateFormat = QStringLiteral("dd/MM/yy");

// What the settings store needs of topics built elsewhere; each installs its
// own and an empty one is skipped.
struct TOptionsServices {
    // The global pause and stop hotkeys (HotKey1, HotKey2).
    std::function<void(const QKeySequence&)> AddGlobalHotKey;
    std::function<void(const QKeySequence&)> RemoveGlobalHotKey;
    // The launch triggers of the "Lancements" tab: read at each load, written by "Valider".
    std::function<void()> ReadLaunchFile;
    std::function<void()> WriteLaunchFile;
    // "Valider" tells the scheduler program that the launch file changed.
    std::function<void()> NotifyScheduler;
};
extern TOptionsServices OptionsServices;
