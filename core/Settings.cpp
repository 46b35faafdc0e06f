// The settings store: the loader that fills it from the settings file and
// applies it to the main window, and the writer of the keys "Valider" saves.
#include "core/Settings.h"

#include "core/FileSave.h"
#include "core/Helpers.h"
#include "core/RunState.h"
#include "core/Services.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "look/XPMenu.h"
#include "platform/IniFile.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QToolButton>
#include <climits>

using platform::IniFile;

namespace {
const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");

QString boolText(bool on) { return on ? kTrue : kFalse; }
bool readBool(const IniFile& ini, const char* section, const char* key, bool def) {
    return ini.ReadString(section, key, boolText(def)) == kTrue;
}

// A number kept as text: the stored text when it is an integer within the range, else the default.
QString numberText(const IniFile& ini, const char* section, const char* key, const QString& def, int low, int high) {
    const QString text = ini.ReadString(section, key, def);
    int value = 0;
    return platform::parseIniInteger(text, &value) && value >= low && value <= high ? text : def;
}

// One of the texts a list offers; any other gives the default.
QString oneOf(const IniFile& ini, const char* section, const char* key, const QString& def,
              const QStringList& allowed) {
    const QString text = ini.ReadString(section, key, def);
    return allowed.contains(text) ? text : def;
}

QString programFolderPath(const QString& name) { return QDir(platform::programFolder()).filePath(name); }

// The text form of a shortcut; an unreadable one gives the default, an empty one stays empty.
QString hotKey(const IniFile& ini, const char* key, const QString& def, const char* section = "Control") {
    const QString text = ini.ReadString(section, key, def);
    const QKeySequence sequence = QKeySequence::fromString(text, QKeySequence::PortableText);
    if (sequence.isEmpty()) return text.trimmed().isEmpty() ? QString() : def;
    return sequence.toString(QKeySequence::PortableText);
}

// Fonts: the defaults of "FontParam"; the others differ by one key.
TMyFont baseFont() {
    return {QStringLiteral("-2147483640"), QStringLiteral("-11"), QStringLiteral("MS Sans Serif"), QStringLiteral("8"),
            QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
}

TMyFont withField(TMyFont f, QString TMyFont::*field, const QString& value) {
    f.*field = value;
    return f;
}

// The four font sections in the writer's order.
const std::pair<const char*, TMyFont TSettings::*> kFonts[] = {
    {"FontCommande", &TSettings::FontCommande},
    {"FontParam", &TSettings::FontParam},
    {"FontVariable", &TSettings::FontVariable},
    {"PrinterFont", &TSettings::PrinterFont},
};

// The keys of a font section, in the order the writer stores them.
const std::pair<const char*, QString TMyFont::*> kFontKeys[] = {
    {"Color", &TMyFont::Color},   {"Height", &TMyFont::Height},           {"Name", &TMyFont::Name},
    {"Size", &TMyFont::Size},     {"fsBold", &TMyFont::fsBold},           {"fsItalic", &TMyFont::fsItalic},
    {"fsUnderLine", &TMyFont::fsUnderLine}, {"fsStrikeOut", &TMyFont::fsStrikeOut},
};

TMyFont readFont(const IniFile& ini, const QString& section, const TMyFont& def) {
    TMyFont f;
    for (const auto& [key, field] : kFontKeys) f.*field = ini.ReadString(section, QLatin1String(key), def.*field);
    return f;
}

// What a record reads back as once it went through a font: what the writer stores.
TMyFont normalised(const TMyFont& f) { return QFontToMyFont(MyFontToQFont(f), MyFontColor(f)); }

void writeFont(IniFile& ini, const QString& section, const TMyFont& f) {
    const TMyFont n = normalised(f);
    for (const auto& [key, field] : kFontKeys) ini.WriteString(section, QLatin1String(key), n.*field);
}

const QStringList kResolutionFormats = {
    QStringLiteral("800 * 600 8 bits"),   QStringLiteral("800 * 600 16 bits"),  QStringLiteral("800 * 600 32 bits"),
    QStringLiteral("1024 * 768 8 bits"),  QStringLiteral("1024 * 768 16 bits"), QStringLiteral("1024 * 768 32 bits"),
    QStringLiteral("1152 * 864 8 bits"),  QStringLiteral("1152 * 864 16 bits"), QStringLiteral("1152 * 864 32 bits"),
    QStringLiteral("1280 * 768 8 bits"),  QStringLiteral("1280 * 768 16 bits"), QStringLiteral("1280 * 768 32 bits"),
    kNoResolutionChange,
};
const QStringList kUpdateFrequencies = {QStringLiteral("A chaque démarrage de l'éditeur"),
                                  QStringLiteral("Une fois par semaine"), QStringLiteral("Une fois par mois")};

// The Tools menu of the main window: one item a program, numbered by its line.
void fillToolsMenu(TForm1& form, const TSettings& s) {
    QMenu* tools = form.mesoutils1;
    if (!tools) return;
    tools->clear();
    for (int i = 0; i < s.Tools.size(); ++i) {
        const QString& path = s.Tools[i];
        QAction* item = tools->addAction(QFileIconProvider().icon(QFileInfo(path)),
                                         QStringLiteral("%1 - %2").arg(s.ToolNumbers[i]).arg(QFileInfo(path).fileName()));
        item->setStatusTip(path);
        item->setToolTip(path);
        QObject::connect(item, &QAction::triggered, tools, [path] { ShellOpen(path); });
        if (MainXPMenu && MainXPMenu->Active()) MainXPMenu->StyleMenuItemTree(item, false);
    }
}

// Hotkeys: the old ones are released before the new ones are taken.
void replaceHotKeys(TSettings& s, const QString& pause, const QString& stop) {
    Services().RemoveGlobalHotKey(s.PauseHotKey);
    Services().RemoveGlobalHotKey(s.StopHotKey);
    s.PauseHotKey = pause;
    s.StopHotKey = stop;
    Services().AddGlobalHotKey(s.PauseHotKey);
    Services().AddGlobalHotKey(s.StopHotKey);
}

// What the main window shows of the store.
void applyToMainWindow(TForm1& form, const TSettings& s) {
    (s.EditionMode ? form.Edition2 : form.Insertion1)->trigger();
    form.ListView1->setProperty("GridLines", s.Grid);
    fillToolsMenu(form, s);
    if (RunState().ExecState == 0 && form.CheckBox3) form.CheckBox3->setChecked(s.Report);
    if (form.SpeedButton29) form.SpeedButton29->setToolTip(QStringLiteral("Pause (%1)").arg(s.PauseHotKey));
    if (form.SpeedButton105) form.SpeedButton105->setToolTip(QStringLiteral("Stop (%1)").arg(s.StopHotKey));
    // The command detail panel: its menu item is set to the opposite state and clicked.
    if (auto* detail = form.findChild<QAction*>(QStringLiteral("Dtailcommandes1"))) {
        detail->setChecked(!s.ShowDetail);
        detail->trigger();
    }
}
}  // namespace

QFont MyFontToQFont(const TMyFont& font, const QFont& base) {
    int size = 0;
    if (!platform::parseIniInteger(font.Size, &size) || size <= 0) size = 8;
    QFont f = base;
    f.setFamily(font.Name);
    f.setPointSize(size);
    f.setBold(font.fsBold == u"1");
    f.setItalic(font.fsItalic == u"1");
    f.setUnderline(font.fsUnderLine == u"1");
    f.setStrikeOut(font.fsStrikeOut == u"1");
    return f;
}

TColor MyFontColor(const TMyFont& font) {
    int color = 0;
    return platform::parseIniInteger(font.Color, &color) ? color : clWindowText;
}

TMyFont QFontToMyFont(const QFont& f, TColor color) {
    auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    const int size = f.pointSize() > 0 ? f.pointSize() : 8;
    return {QString::number(color), QString::number(-qRound(size * 96.0 / 72.0)), f.family(), QString::number(size),
            flag(f.bold()), flag(f.italic()), flag(f.underline()), flag(f.strikeOut())};
}

const QStringList& ResolutionFormats() { return kResolutionFormats; }
const QStringList& UpdateFrequencies() { return kUpdateFrequencies; }

QString BackgroundPicturePath(const QString& background) {
    return QFileInfo(background).fileName() == background ? programFolderPath(background) : background;
}

TSettings& settings() {
    static TSettings store = defaultSettings();
    return store;
}

TSettings defaultSettings() {
    TSettings s;
    s.ReportFile = s.ReportFileName = programFolderPath(QStringLiteral("rapport.doc"));
    s.FontCommande = withField(baseFont(), &TMyFont::fsBold, QStringLiteral("1"));
    s.FontParam = s.PrinterFont = baseFont();
    s.FontVariable = withField(baseFont(), &TMyFont::Color, QStringLiteral("128"));
    return s;
}

TSettingsNotifier& settingsNotifier() {
    static TSettingsNotifier notifier;
    return notifier;
}

void LoadSettings(const QString& configFile) {
    TSettings& s = settings();
    const TSettings def = defaultSettings();
    s.FileName = !configFile.isEmpty() ? configFile
                 : Form1.made()      ? Form1->GetConfigFileName()
                                     : programFolderPath(QStringLiteral("config.ini"));
    IniFile ini(s.FileName);

    s.GeneralTime = numberText(ini, "Delais", "General_time", def.GeneralTime, -32768, 32767);
    s.TypeTime = numberText(ini, "Delais", "Type_time", def.TypeTime, -32768, 32767);
    s.SpeedMouse = qBound(0, ini.ReadInteger("Delais", "SpeedMouse", def.SpeedMouse), 30);
    s.PauseMouse = numberText(ini, "Delais", "PauseMouse", def.PauseMouse, INT_MIN, INT_MAX);
    s.GeneralActive = readBool(ini, "Delais", "General_Actif", def.GeneralActive);
    s.TypeActive = readBool(ini, "Delais", "Type_Actif", def.TypeActive);

    s.VarHeader = readBool(ini, "General", "VarHeader", def.VarHeader);
    s.EditionMode = ini.ReadString("General", "Mode", QStringLiteral("Insertion")) == u"Edition";
    s.Grid = ini.ReadString("General", "Grille", kFalse) != kFalse;

    // Tools: programs that still exist, numbered by their line.
    s.Tools.clear();
    s.ToolNumbers.clear();
    const QStringList lines = ini.ReadSectionValues("Outils");
    for (int i = 0; i < lines.size(); ++i) {
        const QString path = lines[i].mid(lines[i].indexOf(u'=') + 1);
        if (path.isEmpty() || !QFileInfo::exists(path)) continue;
        s.Tools << path;
        s.ToolNumbers << i + 1;
    }

    // A running macro keeps its report switch.
    s.CheckBeforeRun = readBool(ini, "Control", "Erreur Execution", def.CheckBeforeRun);
    s.CheckCommands = readBool(ini, "Control", "Control Execution", def.CheckCommands);
    if (RunState().ExecState == 0) s.Report = readBool(ini, "Control", "Rapport", def.Report);
    const QString separator = ini.ReadString("Control", "CarSepParam", def.Separator);
    s.Separator = separator.isEmpty() ? def.Separator : separator.left(1);

    // The report file: into the program folder when its folder is missing.
    s.ReportFile = ini.ReadString("Control", "RapportFile", def.ReportFile);
    const QFileInfo report(s.ReportFile);
    s.ReportFileName = report.dir().exists() ? s.ReportFile : programFolderPath(report.fileName());
    if (!mdlfnct::IsValidFileName(s.ReportFileName)) s.ReportFileName = def.ReportFileName;

    s.SkipAnchors = ini.ReadString("Control", "Anchor Activate", kFalse) == kFalse;

    platform::Platform& screen = platform::desktop();
    s.ObjectPosX = ini.ReadInteger("VisualEffect", "ObjectPosX", screen.GetSystemMetrics(platform::SM_CXSCREEN) - 80);
    s.ObjectPosY = ini.ReadInteger("VisualEffect", "ObjectPosY", screen.GetSystemMetrics(platform::SM_CYSCREEN) - 100);

    s.SpyReduceForm = readBool(ini, "Spy", "ReduceForm", def.SpyReduceForm);
    s.SpyReduceApp = readBool(ini, "Spy", "ReduceApp", def.SpyReduceApp);
    s.SpyShowObjet = readBool(ini, "Spy", "ShowObjet", def.SpyShowObjet);

    for (const auto& [section, font] : kFonts) s.*font = readFont(ini, QLatin1String(section), def.*font);

    replaceHotKeys(s, hotKey(ini, "PauseExecute", def.PauseHotKey), hotKey(ini, "StopExecute", def.StopHotKey));

    s.CaptureMouseHotKey = hotKey(ini, "Capture mouse", def.CaptureMouseHotKey, "HotKey");
    for (int i = 0; i < 4; ++i) {
        const QString section = QStringLiteral("Dark%1").arg(i + 1);
        auto number = [&](const char* key) -> std::optional<int> {
            bool ok = false;
            const int n = ini.ReadString(section, QLatin1String(key), QString()).trimmed().toInt(&ok);
            return ok ? std::optional<int>(n) : std::nullopt;
        };
        s.DarkMarkers[size_t(i)] = {number("Left"), number("Top")};
    }

    s.WaitSnd = readBool(ini, "Divers", "WaitSnd", def.WaitSnd);
    s.ResolutionFormat = oneOf(ini, "Resolution", "Format", def.ResolutionFormat, kResolutionFormats);
    s.RestoreResolution = readBool(ini, "Resolution", "ResFin", def.RestoreResolution);
    s.UpdateRun = readBool(ini, "MAJ", "Run", def.UpdateRun);
    s.UpdateFrequency = oneOf(ini, "MAJ", "Frequence", def.UpdateFrequency, kUpdateFrequencies);
    s.UpdateDate = ini.ReadString("MAJ", "DateVerif", def.UpdateDate);
    s.ShowDetail = readBool(ini, "Detail", "afficher", def.ShowDetail);

    // Background: a picture of the program folder, or a path of its own.
    s.Background = ini.ReadString("General", "Background", def.Background);
    const QString picture = BackgroundPicturePath(s.Background);
    s.BackgroundBitmap = QImage();
    if (QFileInfo(picture).isFile() && !s.BackgroundBitmap.load(picture))
        ini.WriteString("General", "Background", QStringLiteral("Aucun"));  // the store keeps its text

    const QStringList keys = ini.ReadSection("ColorCommandes");
    s.CommandColors.resize(keys.size());
    for (int i = 0; i < keys.size(); ++i) s.CommandColors[i] = {keys[i], ini.ReadInteger("ColorCommandes", keys[i], clWhite)};
    SaveIniFile(ini);

    if (Form1.made()) applyToMainWindow(*Form1, s);
    emit settingsNotifier().loaded();
}

void RestoreSettings(const TSettings& saved) {
    TSettings& s = settings();
    const bool report = s.Report;
    replaceHotKeys(s, saved.PauseHotKey, saved.StopHotKey);
    s = saved;
    if (RunState().ExecState != 0) s.Report = report;
    if (Form1.made()) applyToMainWindow(*Form1, s);
    emit settingsNotifier().loaded();
}

void SetLiveHotKey(QString TSettings::*which, const QString& shortcut) {
    TSettings& s = settings();
    Services().RemoveGlobalHotKey(s.*which);
    s.*which = shortcut;
    Services().AddGlobalHotKey(shortcut);
}

void RestoreStoredHotKeys() {
    TSettings& s = settings();
    const IniFile ini(s.FileName);
    const TSettings def = defaultSettings();
    const QString pause = hotKey(ini, "PauseExecute", def.PauseHotKey), stop = hotKey(ini, "StopExecute", def.StopHotKey);
    if (pause != s.PauseHotKey || stop != s.StopHotKey) replaceHotKeys(s, pause, stop);
}

void SaveSettings() {
    const TSettings& s = settings();
    IniFile ini(Form1.made() ? Form1->GetConfigFileName() : programFolderPath(QStringLiteral("config.ini")));
    ini.WriteString("Delais", "General_time", s.GeneralTime);
    ini.WriteString("Delais", "Type_time", s.TypeTime);
    ini.WriteString("Delais", "SpeedMouse", QString::number(s.SpeedMouse));
    ini.WriteString("Delais", "PauseMouse", s.PauseMouse);
    ini.WriteString("Delais", "General_Actif", boolText(s.GeneralActive));
    ini.WriteString("Delais", "Type_Actif", boolText(s.TypeActive));
    ini.WriteString("General", "Mode", s.EditionMode ? QStringLiteral("Edition") : QStringLiteral("Insertion"));
    ini.WriteString("General", "Grille", boolText(s.Grid));
    ini.WriteString("General", "VarHeader", boolText(s.VarHeader));
    ini.EraseSection("Outils");
    for (int i = 0; i < s.Tools.size(); ++i) ini.WriteString("Outils", QStringLiteral("exe%1").arg(i), s.Tools[i]);
    ini.WriteString("Control", "Erreur Execution", boolText(s.CheckBeforeRun));
    ini.WriteString("Control", "Control Execution", boolText(s.CheckCommands));
    ini.WriteString("Control", "Anchor Activate", boolText(!s.SkipAnchors));
    ini.WriteString("Control", "Rapport", boolText(s.Report));
    ini.WriteString("Control", "RapportFile", s.ReportFile);
    ini.WriteString("Control", "CarSepParam", s.Separator);
    for (const auto& [section, font] : kFonts) writeFont(ini, QLatin1String(section), s.*font);
    ini.WriteString("MAJ", "Run", boolText(s.UpdateRun));
    ini.WriteString("MAJ", "Frequence", s.UpdateFrequency);
    if (s.UpdateCheckDone) {
        ini.WriteString("MAJ", "DateVerif", QDate::currentDate().toString(kShortDateFormat));
        settings().UpdateCheckDone = false;
    }
    ini.WriteString("Divers", "WaitSnd", boolText(s.WaitSnd));
    ini.WriteString("Resolution", "Format", s.ResolutionFormat);
    ini.WriteString("Resolution", "ResFin", boolText(s.RestoreResolution));
    ini.WriteString("Control", "PauseExecute", s.PauseHotKey);
    ini.WriteString("Control", "StopExecute", s.StopHotKey);
    ini.WriteString("General", "Background", s.Background);
    SaveIniFile(ini);
}
