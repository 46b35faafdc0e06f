// The options dialog's side of the settings store: each control is bound to
// its key, shows the store each time it is loaded, and "Valider" writes the
// controls back, saves and reloads.
#include "core/BuildInfo.h"
#include "core/MessageTexts.h"
#include "core/CommandNames.h"
#include "core/Dialogs.h"
#include "core/FileSave.h"
#include "core/RunState.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramMessages.h"
#include "tools/Unit19.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using platform::IniFile;

namespace {
const QString kNewMacro = QStringLiteral("Nouvelle macro");

// A date "dd/mm/yy"; two-digit years fall within fifty years of today.
QDate shortDate(const QString& text) {
    QDate d = QDate::fromString(text.trimmed(), kShortDateFormat);
    if (d.isValid() && d.year() < QDate::currentDate().year() - 50) d = d.addYears(100);
    return d;
}


bool hasMacroFile() { return Form1.made() && Form1->StatusPanel[0]->text() != kNewMacro; }
}  // namespace

QString ComboValue(const QComboBox* combo) {
    const int i = combo->currentIndex();
    const QVariant value = combo->itemData(i);
    return i >= 0 && value.isValid() && combo->itemText(i) == combo->currentText() ? value.toString() : combo->currentText();
}

// A list that is not editable and has no item for the value keeps to its first.
void SelectComboValue(QComboBox* combo, const QString& value) {
    int i = combo->findData(value);
    if (i < 0) i = combo->findText(value, Qt::MatchExactly);
    if (i < 0 && combo->isEditable()) combo->setEditText(value);
    else combo->setCurrentIndex(qMax(0, i));
}

TMyFont FontToStrings(const QLabel* label) { return QFontToMyFont(label->font(), FontColor(label)); }

void StringsToFont(const TMyFont& font, QLabel* label) {
    const TColor color = MyFontColor(font);
    label->setFont(MyFontToQFont(font, label->font()));
    label->setProperty("FontColor", color);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, ColorToQColor(color));
    label->setPalette(p);
}

TColor FontColor(const QLabel* label) {
    const QVariant v = label->property("FontColor");
    return v.isValid() ? TColor(v.toInt()) : QColorToColor(label->palette().color(QPalette::WindowText));
}

void TForm19::bindControls() {
    TSettings& s = settings();
    auto bind = [this](std::function<void()> show, std::function<void()> store) {
        bindings_.append({std::move(show), std::move(store)});
    };
    for (const auto& [box, field] : {std::pair{CheckBox1, &TSettings::GeneralActive}, {CheckBox2, &TSettings::TypeActive},
                                     {CheckBox12, &TSettings::VarHeader}, {CheckBox3, &TSettings::Grid},
                                     {CheckBox4, &TSettings::CheckBeforeRun}, {CheckBox10, &TSettings::CheckCommands},
                                     {CheckBox5, &TSettings::Report}, {CheckBox11, &TSettings::SkipAnchors},
                                     {CheckBox6, &TSettings::WaitSnd}, {CheckBox8, &TSettings::UpdateRun}})
        bind([&s, box = box, field = field] { box->setChecked(s.*field); }, [&s, box = box, field = field] { s.*field = box->isChecked(); });
    for (const auto& [edit, field] : {std::pair{TPGEdit, &TSettings::GeneralTime}, {TPFEdit, &TSettings::TypeTime},
                                      {Edit4, &TSettings::PauseMouse}, {Edit1, &TSettings::Separator},
                                      {Edit3, &TSettings::ReportFile}})
        bind([&s, edit = edit, field = field] { edit->setText(s.*field); }, [&s, edit = edit, field = field] { s.*field = edit->text(); });
    for (const auto& [key, field] : {std::pair{HotKey1, &TSettings::PauseHotKey}, {HotKey2, &TSettings::StopHotKey}})
        bind([&s, key = key, field = field] { key->setKeySequence(QKeySequence::fromString(s.*field, QKeySequence::PortableText)); },
             [&s, key = key, field = field] { s.*field = key->keySequence().toString(QKeySequence::PortableText); });
    for (const auto& [label, field] : {std::pair{Label13, &TSettings::FontCommande}, {Label14, &TSettings::FontParam},
                                       {Label15, &TSettings::FontVariable}, {Label23, &TSettings::PrinterFont}})
        bind([&s, label = label, field = field] { StringsToFont(s.*field, label); },
             [&s, label = label, field = field] { s.*field = FontToStrings(label); });
    for (const auto& [combo, field] : {std::pair{ComboBox1, &TSettings::ResolutionFormat},
                                       {ComboBox2, &TSettings::UpdateFrequency}})
        bind([&s, combo = combo, field = field] { SelectComboValue(combo, s.*field); },
             [&s, combo = combo, field = field] { s.*field = ComboValue(combo); });
    bind([this, &s] {
        TrackBar1->setValue(s.SpeedMouse);
        (s.EditionMode ? RadioButton1 : RadioButton2)->setChecked(true);
        ListBox1->clear();
        ListBox1->addItems(s.Tools);
        SelectComboValue(ComboBox5, s.Background);
        CheckBox7->setChecked(s.RestoreResolution);
        ComboBox1Change();
        Label36->setText(s.UpdateDate);
        if (ComboBox3->findText(s.Language) < 0) ComboBox3->addItem(s.Language);
        ComboBox3->setCurrentText(s.Language);
    }, [this, &s] {
        s.SpeedMouse = TrackBar1->value();
        s.EditionMode = RadioButton1->isChecked();
        s.Tools.clear();
        for (int i = 0; i < ListBox1->count(); ++i) s.Tools << ListBox1->item(i)->text();
        s.Background = ComboValue(ComboBox5);
        s.RestoreResolution = CheckBox7->isChecked();
    });
}

void TForm19::LoadOptions(const QString& configFile) { LoadSettings(configFile); }

// What the dialog shows of the store, and its own steps of a load.
void TForm19::ShowSettings() {
    Label22->setText(settings().FileName);
    // Launch triggers: only a macro with a file has some.
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet7), hasMacroFile());
    // Background pictures: "Aucun", "Bézier aléatoire", then the ".bmp" files of the program folder.
    while (ComboBox5->count() > 2) ComboBox5->removeItem(2);  // "Aucun", "Bézier aléatoire" stay
    const QDir folder(platform::programFolder());
    for (const QFileInfo& f : folder.entryInfoList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name | QDir::IgnoreCase))
        if (f.suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0) ComboBox5->addItem(f.fileName());
    for (const Binding& b : std::as_const(bindings_)) b.show();
    // The language files give the text before the date (their load keeps it).
    const QVariant base = Label30->property("languageBase");
    Label30->setText((base.isValid() ? base.toString() : QStringLiteral("Version du logiciel actuelle :")) + u' ' +
                     ProgramBuildDate());
    ReadLaunchFile();
    ListLaunches();
    CheckBox9->setChecked(platform::SchedulerAutostartExists(platform::kLaunchProgram));
    ComboBox5Change();
}

void TForm19::StoreSettings() {
    for (const Binding& b : std::as_const(bindings_)) b.store();
}

void TForm19::Button1Click() {
    WriteLaunchFile();
    StoreSettings();
    SaveSettings();
    LoadOptions(QString());
    NotifyScheduler();
    close();
}

void TForm19::Button2Click() { close(); }

// The macro's own settings file starts with the command colours of the file in
// use; they are read before the new file is made, so that remaking an
// existing one keeps them.
void TForm19::Button6Click() {
    if (!hasMacroFile()) return;
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
        SaveIniFile(ini);
    }
    Button1Click();
}

void TForm19::NewItemClick(QAction* item) { ShellOpen(item->statusTip()); }

void TForm19::FormCreate() {
    bindControls();
    connect(&settingsNotifier(), &TSettingsNotifier::loaded, this, &TForm19::ShowSettings);
    ShowSettings();
}

void AutoUpdateCheck() {
    const TSettings& s = settings();
    if (!s.UpdateRun) return;
    bool due = s.UpdateFrequency == u"A chaque démarrage de l'éditeur";
    const int days = s.UpdateFrequency == u"Une fois par semaine" ? 7 : s.UpdateFrequency == u"Une fois par mois" ? 30 : 0;
    const QDate last = shortDate(s.UpdateDate);
    if (days > 0 && last.isValid()) due = QDateTime(last.addDays(days), QTime(0, 0)) < QDateTime::currentDateTime();
    if (!due) return;
    Form19->Button7->click();
    Form19->Button1->click();
}

void TForm19::showEvent(QShowEvent* event) {
    TForm::showEvent(event);
    FormShow();
}

void TForm19::FormShow() {
    PageControl1->setCurrentIndex(0);
    setProperty("HelpContext", 1174);
    const QString section = QStringLiteral("Form19");
    Label5->setText(FormatMessageText(MessageText(section, QStringLiteral("Lng_CommandCount")),
                                      {Form1.made() ? Form1->ListView1->count() : 0}));
    auto time = [](const QString& text) {
        const QTime t = QTime::fromString(text, QStringLiteral("hh:mm:ss"));
        return t.isValid() ? t : QTime(0, 0);
    };
    const QString start = RunState().RunStartTime.isEmpty() ? QStringLiteral("00:00:00") : RunState().RunStartTime;
    const QString end = RunState().RunEndTime.isEmpty() ? QStringLiteral("00:00:00") : RunState().RunEndTime;
    const int seconds = (time(start).secsTo(time(end)) + 86400) % 86400;
    const double perCommand = RunState().ExecutedCount ? double(seconds) / RunState().ExecutedCount : 0.0;
    Label48->setText(FormatMessageText(MessageText(section, QStringLiteral("Lng_ExecutedCount")),
                                       {RunState().ExecutedCount, QString::asprintf("%3.6g", perCommand)}));
    Label37->setText(FormatMessageText(MessageText(section, QStringLiteral("Lng_LastExecution")),
                                       {start, end, QTime(0, 0).addSecs(seconds).toString(QStringLiteral("hh:mm:ss"))}));
    LoadOptions(QString());
}
