// The settings store: the loader that fills the options dialog's controls
// from the settings file and applies them, and the writer behind "Valider".
#include "core/CommandNames.h"
#include "core/Dialogs.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "engine/RunState.h"
#include "engine/mdlfnct.h"
#include "look/XPMenu.h"
#include "platform/IniFile.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "tools/Unit19.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QToolButton>
#include <climits>

using platform::IniFile;

TMyFont FontCommande, FontParam, FontVariable, PrinterFont;
QVector<TOrderColor> CommandColors;
int StartScreenWidth = 0, StartScreenHeight = 0, StartScreenDepth = 0;
bool UpdateCheckDone = false;
QImage BackgroundBitmap;
TOptionsServices OptionsServices;

namespace {
const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");
const QString kNewMacro = QStringLiteral("Nouvelle macro");

QString boolText(bool on) { return on ? kTrue : kFalse; }
bool readBool(const IniFile& ini, const QString& section, const QString& key, bool def) {
    return ini.ReadString(section, key, boolText(def)) == kTrue;
}

// A number kept as text: the stored text when it is an integer within the range, else the default.
QString numberText(const IniFile& ini, const QString& section, const QString& key, int def, int low, int high) {
    const QString text = ini.ReadString(section, key, QString::number(def));
    int value = 0;
    return platform::parseIniInteger(text, &value) && value >= low && value <= high ? text : QString::number(def);
}

// Selects the item that reads text; a list without it keeps to def.
void selectItem(QComboBox* combo, const QString& text, const QString& def) {
    const int i = combo->findText(text, Qt::MatchExactly);
    combo->setCurrentIndex(i >= 0 ? i : combo->findText(def, Qt::MatchExactly));
}

QString programFolderPath(const QString& name) { return QDir(platform::programFolder()).filePath(name); }

// Fonts: the defaults of "FontParam"; the others differ by one key.
const TMyFont kBaseFont{QStringLiteral("-2147483640"), QStringLiteral("-11"), QStringLiteral("MS Sans Serif"),
                        QStringLiteral("8"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                        QStringLiteral("0")};

TMyFont withField(TMyFont f, QString TMyFont::*field, const QString& value) {
    f.*field = value;
    return f;
}

// The four fonts and the labels that show them, in the writer's order.
struct FontSlot {
    const char* section;
    TMyFont* font;
    TMyFont def;
    QLabel* TForm19::*label;
};
const FontSlot kFonts[] = {
    {"FontCommande", &FontCommande, withField(kBaseFont, &TMyFont::fsBold, QStringLiteral("1")), &TForm19::Label13},
    {"FontParam", &FontParam, kBaseFont, &TForm19::Label14},
    {"FontVariable", &FontVariable, withField(kBaseFont, &TMyFont::Color, QStringLiteral("128")), &TForm19::Label15},
    {"PrinterFont", &PrinterFont, kBaseFont, &TForm19::Label23},
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

void writeFont(IniFile& ini, const QString& section, const TMyFont& f) {
    for (const auto& [key, field] : kFontKeys) ini.WriteString(section, QLatin1String(key), f.*field);
}

// A date "dd/mm/yy"; two-digit years fall within fifty years of today.
QDate shortDate(const QString& text) {
    QDate d = QDate::fromString(text.trimmed(), kShortDateFormat);
    if (d.isValid() && d.year() < QDate::currentDate().year() - 50) d = d.addYears(100);
    return d;
}

QString hotKeyText(const QKeySequenceEdit* edit) { return edit->keySequence().toString(QKeySequence::PortableText); }

void setHotKey(QKeySequenceEdit* edit, const QString& text, const QString& def) {
    QKeySequence key = QKeySequence::fromString(text, QKeySequence::PortableText);
    if (key.isEmpty() && !text.trimmed().isEmpty()) key = QKeySequence::fromString(def, QKeySequence::PortableText);
    edit->setKeySequence(key);
}
}  // namespace

TMyFont FontToStrings(const QLabel* label) {
    const QFont f = label->font();
    auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    const int size = f.pointSize() > 0 ? f.pointSize() : 8;
    return {QString::number(FontColor(label)), QString::number(-qRound(size * 96.0 / 72.0)), f.family(),
            QString::number(size), flag(f.bold()), flag(f.italic()), flag(f.underline()), flag(f.strikeOut())};
}

void StringsToFont(const TMyFont& font, QLabel* label) {
    int color = 0, size = 0;
    if (!platform::parseIniInteger(font.Color, &color)) color = clWindowText;
    if (!platform::parseIniInteger(font.Size, &size) || size <= 0) size = 8;  // the size wins over the height
    QFont f = label->font();
    f.setFamily(font.Name);
    f.setPointSize(size);
    f.setBold(font.fsBold == u"1");
    f.setItalic(font.fsItalic == u"1");
    f.setUnderline(font.fsUnderLine == u"1");
    f.setStrikeOut(font.fsStrikeOut == u"1");
    label->setFont(f);
    label->setProperty("FontColor", color);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, ColorToQColor(color));
    label->setPalette(p);
}

TColor FontColor(const QLabel* label) {
    const QVariant v = label->property("FontColor");
    return v.isValid() ? TColor(v.toInt()) : QColorToColor(label->palette().color(QPalette::WindowText));
}

void TForm19::LoadOptions(const QString& configFile) {
    const QString fileName = !configFile.isEmpty() ? configFile
                             : Form1            ? Form1->GetConfigFileName()
                                                : programFolderPath(QStringLiteral("config.ini"));
    Label22->setText(fileName);
    IniFile ini(fileName);

    // Delays.
    TPGEdit->setText(numberText(ini, "Delais", "General_time", 10, -32768, 32767));
    UpDown1->setValue(TPGEdit->text().toInt());
    TPFEdit->setText(numberText(ini, "Delais", "Type_time", 30, -32768, 32767));
    UpDown2->setValue(TPFEdit->text().toInt());
    TrackBar1->setValue(ini.ReadInteger("Delais", "SpeedMouse", 10));
    Edit4->setText(numberText(ini, "Delais", "PauseMouse", 3000, INT_MIN, INT_MAX));
    CheckBox1->setChecked(readBool(ini, "Delais", "General_Actif", true));
    CheckBox2->setChecked(readBool(ini, "Delais", "Type_Actif", true));

    // General: the mode clicks its menu item; only "False" turns the grid off.
    CheckBox12->setChecked(readBool(ini, "General", "VarHeader", true));
    const bool edition = ini.ReadString("General", "Mode", QStringLiteral("Insertion")) == u"Edition";
    (edition ? RadioButton1 : RadioButton2)->setChecked(true);
    if (Form1) (edition ? Form1->Edition2 : Form1->Insertion1)->trigger();
    const bool grid = ini.ReadString("General", "Grille", kFalse) != kFalse;
    CheckBox3->setChecked(grid);
    if (Form1) Form1->ListView1->setProperty("GridLines", grid);

    // Tools: programs that still exist, numbered by their line.
    ListBox1->clear();
    QMenu* tools = Form1 ? Form1->mesoutils1 : nullptr;
    if (tools) tools->clear();
    const QStringList lines = ini.ReadSectionValues("Outils");
    for (int i = 0; i < lines.size(); ++i) {
        const QString path = lines[i].mid(lines[i].indexOf(u'=') + 1);
        if (path.isEmpty() || !QFileInfo::exists(path)) continue;
        ListBox1->addItem(path);
        if (!tools) continue;
        QAction* item = tools->addAction(QFileIconProvider().icon(QFileInfo(path)),
                                         QString::number(i + 1) + QStringLiteral(" - ") + QFileInfo(path).fileName());
        item->setStatusTip(path);
        item->setToolTip(path);
        connect(item, &QAction::triggered, this, [this, item] { NewItemClick(item); });
        if (MainXPMenu && MainXPMenu->Active()) MainXPMenu->StyleMenuItemTree(item, false);
    }

    // Launch triggers: only a macro with a file has some.
    const bool hasFile = Form1 && Form1->StatusPanel[0]->text() != kNewMacro;
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet7), hasFile);
    if (OptionsServices.ReadLaunchFile) OptionsServices.ReadLaunchFile();

    // Control: a running macro keeps its report switch.
    CheckBox4->setChecked(readBool(ini, "Control", "Erreur Execution", true));
    CheckBox10->setChecked(readBool(ini, "Control", "Control Execution", true));
    if (ExecState == 0) {
        CheckBox5->setChecked(readBool(ini, "Control", "Rapport", false));
        if (Form1 && Form1->CheckBox3) Form1->CheckBox3->setChecked(CheckBox5->isChecked());
    }
    const QString separator = ini.ReadString("Control", "CarSepParam", QStringLiteral(";"));
    Edit1->setText(separator.isEmpty() ? QStringLiteral(";") : separator);
    CarSepParam = Edit1->text().at(0);

    // The report file: into the program folder when its folder is missing.
    Edit3->setText(ini.ReadString("Control", "RapportFile", programFolderPath(QStringLiteral("rapport.doc"))));
    const QFileInfo report(Edit3->text());
    ReportFileName = report.dir().exists() ? Edit3->text() : programFolderPath(report.fileName());
    if (!mdlfnct::IsValidFileName(ReportFileName)) ReportFileName = programFolderPath(QStringLiteral("rapport.doc"));

    CheckBox11->setChecked(ini.ReadString("Control", "Anchor Activate", kFalse) == kFalse);

    platform::Platform& screen = platform::desktop();
    ObjectPosX = ini.ReadInteger("VisualEffect", "ObjectPosX", screen.GetSystemMetrics(platform::SM_CXSCREEN) - 80);
    ObjectPosY = ini.ReadInteger("VisualEffect", "ObjectPosY", screen.GetSystemMetrics(platform::SM_CYSCREEN) - 100);

    for (const FontSlot& slot : kFonts) {
        *slot.font = readFont(ini, QLatin1String(slot.section), slot.def);
        StringsToFont(*slot.font, this->*slot.label);
    }

    // Hotkeys: the old ones are released before the new ones are taken.
    for (QKeySequenceEdit* key : {HotKey1, HotKey2})
        if (OptionsServices.RemoveGlobalHotKey) OptionsServices.RemoveGlobalHotKey(key->keySequence());
    setHotKey(HotKey1, ini.ReadString("Control", "PauseExecute", QStringLiteral("Alt+F1")), QStringLiteral("Alt+F1"));
    setHotKey(HotKey2, ini.ReadString("Control", "StopExecute", QStringLiteral("Alt+F2")), QStringLiteral("Alt+F2"));
    for (QKeySequenceEdit* key : {HotKey1, HotKey2})
        if (OptionsServices.AddGlobalHotKey) OptionsServices.AddGlobalHotKey(key->keySequence());
    if (Form1 && Form1->SpeedButton29) Form1->SpeedButton29->setToolTip(QStringLiteral("Pause (%1)").arg(hotKeyText(HotKey1)));
    if (Form1 && Form1->SpeedButton105) Form1->SpeedButton105->setToolTip(QStringLiteral("Stop (%1)").arg(hotKeyText(HotKey2)));

    CheckBox6->setChecked(readBool(ini, "Divers", "WaitSnd", true));
    selectItem(ComboBox1, ini.ReadString("Resolution", "Format", QStringLiteral("Pas de changement")),
               QStringLiteral("Pas de changement"));
    if (readBool(ini, "Resolution", "ResFin", true)) {
        CheckBox7->setChecked(true);
        CheckBox7->setEnabled(true);
    } else {
        CheckBox7->setChecked(false);
    }
    CheckBox8->setChecked(readBool(ini, "MAJ", "Run", false));
    selectItem(ComboBox2, ini.ReadString("MAJ", "Frequence", QStringLiteral("Une fois par semaine")),
               QStringLiteral("Une fois par semaine"));
    Label36->setText(ini.ReadString("MAJ", "DateVerif", QStringLiteral("26/06/08")));
    Label30->setText(QStringLiteral("Version du logiciel actuelle : 26/06/08"));

    // The command detail panel: its menu item is set to the opposite state and clicked.
    if (QAction* detail = Form1 ? Form1->findChild<QAction*>(QStringLiteral("Dtailcommandes1")) : nullptr) {
        detail->setChecked(!readBool(ini, "Detail", "afficher", true));
        detail->trigger();
    }

    // Background pictures: "Aucun", "Bézier aléatoire", then the ".bmp" files of the program folder.
    ComboBox5->clear();
    ComboBox5->addItems({QStringLiteral("Aucun"), QStringLiteral("Bézier aléatoire")});
    const QDir folder(platform::programFolder());
    for (const QFileInfo& f : folder.entryInfoList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name | QDir::IgnoreCase))
        if (f.suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0) ComboBox5->addItem(f.fileName());
    ComboBox5->setCurrentText(ini.ReadString("General", "Background", QStringLiteral("Aucun")));
    const QString background = ComboBox5->currentText();
    const QString picture = QFileInfo(background).fileName() == background ? folder.filePath(background) : background;
    BackgroundBitmap = QImage();
    if (QFileInfo(picture).isFile() && !BackgroundBitmap.load(picture))
        ini.WriteString("General", "Background", QStringLiteral("Aucun"));  // the combo keeps its text
    ComboBox5Change();

    ChangeGeneralColorText();

    const QStringList keys = ini.ReadSection("ColorCommandes");
    CommandColors.resize(keys.size());
    for (int i = 0; i < keys.size(); ++i)
        CommandColors[i] = {keys[i], ini.ReadInteger("ColorCommandes", keys[i], clWhite)};
    ini.UpdateFile();
}

void TForm19::Button1Click() {
    if (OptionsServices.WriteLaunchFile) OptionsServices.WriteLaunchFile();
    {
        IniFile ini(Form1 ? Form1->GetConfigFileName() : programFolderPath(QStringLiteral("config.ini")));
        ini.WriteString("Delais", "General_time", TPGEdit->text());
        ini.WriteString("Delais", "Type_time", TPFEdit->text());
        ini.WriteString("Delais", "SpeedMouse", QString::number(TrackBar1->value()));
        ini.WriteString("Delais", "PauseMouse", Edit4->text());
        ini.WriteString("Delais", "General_Actif", boolText(CheckBox1->isChecked()));
        ini.WriteString("Delais", "Type_Actif", boolText(CheckBox2->isChecked()));
        ini.WriteString("General", "Mode", RadioButton1->isChecked() ? QStringLiteral("Edition") : QStringLiteral("Insertion"));
        ini.WriteString("General", "Grille", boolText(CheckBox3->isChecked()));
        ini.WriteString("General", "VarHeader", boolText(CheckBox12->isChecked()));
        ini.EraseSection("Outils");
        for (int i = 0; i < ListBox1->count(); ++i)
            ini.WriteString("Outils", QStringLiteral("exe%1").arg(i), ListBox1->item(i)->text());
        ini.WriteString("Control", "Erreur Execution", boolText(CheckBox4->isChecked()));
        ini.WriteString("Control", "Control Execution", boolText(CheckBox10->isChecked()));
        ini.WriteString("Control", "Anchor Activate", boolText(!CheckBox11->isChecked()));
        ini.WriteString("Control", "Rapport", boolText(CheckBox5->isChecked()));
        ini.WriteString("Control", "RapportFile", Edit3->text());
        ini.WriteString("Control", "CarSepParam", Edit1->text());
        for (const FontSlot& slot : kFonts) writeFont(ini, QLatin1String(slot.section), FontToStrings(this->*slot.label));
        ini.WriteString("MAJ", "Run", boolText(CheckBox8->isChecked()));
        ini.WriteString("MAJ", "Frequence", ComboBox2->currentText());
        if (UpdateCheckDone) {
            ini.WriteString("MAJ", "DateVerif", QDate::currentDate().toString(kShortDateFormat));
            UpdateCheckDone = false;
        }
        ini.WriteString("Divers", "WaitSnd", boolText(CheckBox6->isChecked()));
        ini.WriteString("Resolution", "Format", ComboBox1->currentText());
        ini.WriteString("Resolution", "ResFin", boolText(CheckBox7->isChecked()));
        ini.WriteString("Control", "PauseExecute", hotKeyText(HotKey1));
        ini.WriteString("Control", "StopExecute", hotKeyText(HotKey2));
        ini.WriteString("General", "Background", ComboBox5->currentText());
        ini.UpdateFile();
    }
    LoadOptions(QString());
    if (OptionsServices.NotifyScheduler) OptionsServices.NotifyScheduler();
    close();
}

void TForm19::Button2Click() { close(); }

// The macro's own settings file starts with the command colours of the file in
// use; they are read before the new file is made, so that remaking an
// existing one keeps them.
void TForm19::Button6Click() {
    if (!Form1 || Form1->StatusPanel[0]->text() == kNewMacro) return;
    const QFileInfo macro(Form1->StatusPanel[0]->text());
    const QString target = macro.dir().filePath(macro.completeBaseName() + QStringLiteral(".ini"));
    QVector<std::pair<QString, int>> colours;
    {
        const IniFile source(Form1->GetConfigFileName());
        for (const QString& name : CommandNames) {
            const int colour = source.ReadInteger("ColorCommandes", name, clWhite);
            if (colour != clWhite) colours.append({name, colour});
        }
    }
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        MessageDlg(QStringLiteral("Impossible de créer le fichier de configuration."), MsgType::Information, mbOK);
        return;
    }
    file.close();
    {
        IniFile ini(target);
        for (const auto& [name, colour] : colours) ini.WriteInteger("ColorCommandes", name, colour);
        ini.UpdateFile();
    }
    Button1Click();
}

void TForm19::NewItemClick(QAction* item) { ShellOpen(item->statusTip()); }

void TForm19::FormCreate() {
    platform::Platform& screen = platform::desktop();
    StartScreenWidth = screen.GetSystemMetrics(platform::SM_CXSCREEN);
    StartScreenHeight = screen.GetSystemMetrics(platform::SM_CYSCREEN);
    const QScreen* primary = QGuiApplication::primaryScreen();
    StartScreenDepth = primary ? primary->depth() : 0;
    LoadOptions(QString());
}

void TForm19::AutoUpdateCheck() {
    if (!CheckBox8->isChecked()) return;
    const QString frequency = ComboBox2->currentText();
    bool due = frequency == u"A chaque démarrage de l'éditeur";
    const int days = frequency == u"Une fois par semaine" ? 7 : frequency == u"Une fois par mois" ? 30 : 0;
    const QDate last = shortDate(Label36->text());
    if (days > 0 && last.isValid()) due = QDateTime(last.addDays(days), QTime(0, 0)) < QDateTime::currentDateTime();
    if (!due) return;
    Button7->click();
    Button1->click();
}

void TForm19::showEvent(QShowEvent* event) {
    TForm::showEvent(event);
    FormShow();
}

void TForm19::FormShow() {
    PageControl1->setCurrentIndex(0);
    setProperty("HelpContext", 1174);
    Label5->setText(QStringLiteral("Nombre de commande : %1").arg(Form1 ? Form1->ListView1->count() : 0));
    auto time = [](const QString& text) {
        const QTime t = QTime::fromString(text, QStringLiteral("hh:mm:ss"));
        return t.isValid() ? t : QTime(0, 0);
    };
    const QString start = RunStartTime.isEmpty() ? QStringLiteral("00:00:00") : RunStartTime;
    const QString end = RunEndTime.isEmpty() ? QStringLiteral("00:00:00") : RunEndTime;
    const int seconds = (time(start).secsTo(time(end)) + 86400) % 86400;
    const double perCommand = ExecutedCount ? double(seconds) / ExecutedCount : 0.0;
    Label48->setText(QStringLiteral("Nombre de commande exécuté : %1 (soit %2 Sec(s)/commande)")
                         .arg(ExecutedCount)
                         .arg(QString::asprintf("%3.6g", perCommand)));
    Label37->setText(QStringLiteral("Dernière exécution : Départ : %1 Fin : %2 Temps Total : %3")
                         .arg(start, end, QTime(0, 0).addSecs(seconds).toString(QStringLiteral("hh:mm:ss"))));
    LoadOptions(QString());
}
