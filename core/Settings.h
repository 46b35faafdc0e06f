#pragma once
// The settings store: every key of the settings file with its default, held
// in one typed object that the engine, the checker, the editor and the
// dialogs read. LoadSettings fills it from a file and applies it to the main
// window; the options dialog binds its controls to it and SaveSettings writes
// what its "Valider" saves.
#include "look/Colors.h"

#include <QFont>
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <optional>

// A font as the settings file holds it: Color, Height and Size as decimal
// text, the four style flags "1" or "0".
struct TMyFont {
    QString Color, Height, Name, Size, fsBold, fsItalic, fsUnderLine, fsStrikeOut;
    bool operator==(const TMyFont&) const = default;
};
// The font a record names (size 8 when Size is empty or not a number; the
// size wins over the height), and its colour value.
QFont MyFontToQFont(const TMyFont& font, const QFont& base = QFont());
TColor MyFontColor(const TMyFont& font);
// The record of a font and its colour value.
TMyFont QFontToMyFont(const QFont& font, TColor color);

// One (keyword, colour) pair of the section "ColorCommandes", in file order.
struct TOrderColor {
    QString Name;
    TColor Color = clWhite;
};

struct TSettings {
    // [Delais]
    QString GeneralTime = QStringLiteral("10");  // "General_time": ms between two commands
    QString TypeTime = QStringLiteral("30");     // "Type_time": ms before each typed character
    int SpeedMouse = 10;                         // cursor steps between two rests of a mouse move
    QString PauseMouse = QStringLiteral("3000"); // ms of pause after the user moved the mouse
    bool GeneralActive = true;                   // "General_Actif"
    bool TypeActive = true;                      // "Type_Actif"
    // [General]
    bool VarHeader = true;
    bool EditionMode = false;  // "Mode" is "Edition" (else "Insertion")
    bool Grid = false;         // "Grille": only "False" turns it off
    QString Background = QStringLiteral("Aucun");
    QStringList Tools;         // [Outils]: programs of the Tools menu that exist
    QVector<int> ToolNumbers;  // their line numbers from 1 (gaps for missing files)
    // [Control]
    bool CheckBeforeRun = true;   // "Erreur Execution"
    bool CheckCommands = true;    // "Control Execution"
    bool Report = false;          // "Rapport"
    QString Separator = QStringLiteral(";");  // "CarSepParam", one character
    QString ReportFile;           // "RapportFile" as written
    QString ReportFileName;       // the report file used: its folder exists
    bool SkipAnchors = true;      // "Anchor Activate" is "False"
    QString PauseHotKey = QStringLiteral("Alt+F1");  // "PauseExecute"
    QString StopHotKey = QStringLiteral("Alt+F2");   // "StopExecute"
    // [HotKey] "Capture mouse": the Move Mouse dialog's capture key, written when it closes.
    QString CaptureMouseHotKey = QStringLiteral("Alt+C");
    // [Dark1] to [Dark4], "Left" and "Top": the image-search dialog's corner
    // markers (zone top-left, zone bottom-right, graphic top-left, graphic
    // bottom-right), written by its "Sauvegarder"; a missing key is none.
    struct TMarker {
        std::optional<int> Left, Top;
    };
    std::array<TMarker, 4> DarkMarkers;
    // [VisualEffect]
    int ObjectPosX = 0;
    int ObjectPosY = 0;
    // [Spy], written by the spy wizard's "Defaut"
    bool SpyReduceForm = false;  // "ReduceForm": the wizard is minimised while it captures
    bool SpyReduceApp = false;   // "ReduceApp": the main window too
    bool SpyShowObjet = false;   // "ShowObjet": the captured window comes to the front
    // Fonts of the report and the printout.
    TMyFont FontCommande, FontParam, FontVariable, PrinterFont;
    // [Divers]
    bool WaitSnd = true;
    // [Resolution]
    QString ResolutionFormat = QStringLiteral("Pas de changement");
    bool RestoreResolution = true;  // "ResFin"
    // [MAJ]
    bool UpdateRun = false;
    QString UpdateFrequency = QStringLiteral("Une fois par semaine");
    QString UpdateDate = QStringLiteral("26/06/08");  // "DateVerif", "dd/mm/yy"
    bool UpdateCheckDone = false;  // the writer then stores today's date
    // [Detail]
    bool ShowDetail = true;
    // [ColorCommandes]
    QVector<TOrderColor> CommandColors;
    // [Langage]
    QString Language = QStringLiteral("Français");
    // The dialogs' shared background picture (empty: none).
    QImage BackgroundBitmap;
    // The file the store was read from last.
    QString FileName;
};

// The one store of the program.
TSettings& settings();
// The defaults of every key (what a missing file gives).
TSettings defaultSettings();

inline const QString kNoResolutionChange = QStringLiteral("Pas de changement");
// The values "Resolution"/"Format" and "MAJ"/"Frequence" take, as the file holds them.
const QStringList& ResolutionFormats();
const QStringList& UpdateFrequencies();
// The short date and long time of the texts shown and written, whatever the locale.
inline const QString kShortDateFormat = QStringLiteral("dd/MM/yy");
inline const QString kLongTimeFormat = QStringLiteral("HH:mm:ss");

// The picture file the background choice names: a file of the program
// folder, or a path of its own.
QString BackgroundPicturePath(const QString& background);

// Reads the settings file (empty: TForm1::GetConfigFileName) into the store
// and applies it to the main window. A missing file or key gives the default.
void LoadSettings(const QString& configFile = QString());
// Puts a copy of the store taken earlier back in force and applies it as
// LoadSettings does (a running macro keeps its report switch).
void RestoreSettings(const TSettings& saved);
// Writes the keys that "Valider" saves into the current settings file.
void SaveSettings();
// The pause or stop hotkey in force (TSettings::PauseHotKey or StopHotKey):
// the old combination is released, the new one taken, and a press of it
// pauses or stops. The file keeps its value until "Valider".
void SetLiveHotKey(QString TSettings::*which, const QString& shortcut);
// Puts the pause and stop hotkeys of the settings file last read back in force.
void RestoreStoredHotKeys();

// Says when the store was loaded, so that what shows it follows.
class TSettingsNotifier : public QObject {
    Q_OBJECT
signals:
    void loaded();
};
TSettingsNotifier& settingsNotifier();
