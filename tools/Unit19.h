#pragma once
// The options dialog. Its controls are the live settings: every part of the
// program reads the control when it needs the value.
#include "core/Form.h"

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
};

extern TForm19* Form19;

// Live values the loader sets besides the controls.
extern QString ReportFileName;
extern int ObjectPosX;
extern int ObjectPosY;
