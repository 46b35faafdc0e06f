#pragma once
// The options dialog. Its controls are bound to the settings store
// (core/Settings.h): they show it each time it is loaded, and "Valider"
// writes them back into it and saves it.
#include "core/Form.h"
#include "core/Settings.h"

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
    // The automatic update check; run once the editor opens (never before a
    // run without the editor, so that nothing waits on the network first).
    void AutoUpdateCheck();
    // The controls show the store, and write into it.
    void ShowSettings();
    void StoreSettings();
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

private:
    // One control bound to the store: how it shows its value and writes it back.
    struct Binding {
        std::function<void()> show, store;
    };
    void bindControls();
    QVector<Binding> bindings_;
};

extern TForm19* Form19;

// The font a label shows, as a settings record, and back (size 8 when Size is
// empty or not a number). The colour value is kept with the label.
TMyFont FontToStrings(const QLabel* label);
void StringsToFont(const TMyFont& font, QLabel* label);
// The colour value of a font label (Label13, Label14...), system colours included.
TColor FontColor(const QLabel* label);
