// The options dialog's "Lancements" tab: the launch triggers of the open
// macro, kept in memory until "Valider" writes "Launch.dat" and tells the
// scheduler, and the scheduler's start with the session.
#include "core/Dialogs.h"
#include "core/Unit1.h"
#include "engine/HotKeyManager.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramMessages.h"
#include "tools/Unit19.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

using namespace platform;

namespace {
QString macroPath() { return Form1.made() ? Form1->StatusPanel[0]->text() : QString(); }

// The scheduler beside the program.
QString schedulerProgram() { return QCoreApplication::applicationDirPath() + u'/' + kLaunchProgram; }

bool isTimeHHMM(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^\\d\\d:\\d\\d$"));
    return pattern.match(text).hasMatch();
}

QString describe(const TLaunchRecord& r) {
    if (r.kind() == LaunchOnShortcut)
        return QStringLiteral("Le raccourci clavier  %1 est associé a cette macro.").arg(HotKeyToText(r.shortcut(), true));
    static const char* const kFrequencies[] = {"le ", "tout les jours a partir du ", "toutes les semaines a partir du ",
                                               "tout les mois a partir du "};
    const char* frequency = kFrequencies[r.frequency() <= LaunchMonthly ? r.frequency() : 0];
    return QStringLiteral("Tâche planifée prévu %1%2 à %3.")
        .arg(QString::fromUtf8(frequency), fromLaunchTime(r.startDate()).date().toString(kShortDateFormat),
             fromLaunchTime(r.timeOfDay()).time().toString(QStringLiteral("hh:mm:ss")));
}
}  // namespace

void TForm19::ReadLaunchFile() {
    TLaunchList all;
    MacroLaunches.clear();
    OtherLaunches.clear();
    QString error;
    qint64 leftOver = 0;
    int damaged = 0;
    const bool existed = QFileInfo::exists(launchFilePath());
    launchesRead_ = ReadLaunchRecords(launchFilePath(), all, &error, &leftOver, &damaged) || !existed;
    if (!launchesRead_) {  // a file that cannot be read is never replaced; a folder we may not write is said at "Valider"
        MessageDlg(QStringLiteral("« %1 » ne peut pas être lu : %2").arg(launchFilePath(), error), MsgType::Warning, mbOK);
        return;
    }
    // What was left out is not written back; said to whoever has the options open
    // (a load at start-up, or for a run, has nobody to tell, and the scheduler says it).
    if (const QString leftOut = LaunchRecordsLeftOut(launchFilePath(), leftOver, damaged); !leftOut.isEmpty() && isVisible())
        MessageDlg(leftOut, MsgType::Warning, mbOK);
    const QString path = macroPath();
    for (const TLaunchRecord& r : std::as_const(all)) (r.path() == path ? MacroLaunches : OtherLaunches).append(r);
}

bool TForm19::WriteLaunchFile() {
    if (!launchesRead_) return false;  // never replace a file that could not be read
    QString error;
    if (WriteLaunchRecords(launchFilePath(), OtherLaunches + MacroLaunches, &error)) return true;
    MessageDlg(QStringLiteral("« %1 » n'a pas pu être enregistré : %2").arg(launchFilePath(), error), MsgType::Error, mbOK);
    return false;
}

void TForm19::ListLaunches() {
    DT1->setDate(QDate::currentDate());
    DT2->setText(QTime::currentTime().toString(QStringLiteral("hh:mm")));
    const QSignalBlocker block(ListBox5);
    ListBox5->clear();
    ListBox5->setToolTip(QString());
    const QString path = macroPath();
    for (const TLaunchRecord& r : std::as_const(MacroLaunches))
        if (r.path() == path) ListBox5->addItem(describe(r));
}

// A running scheduler reads the file again; with triggers and none running,
// one is started, which reads it first thing.
void TForm19::NotifyScheduler() {
    Platform& desk = desktop();
    if (const HWND window = desk.FindProgramWindow(kLaunchClass)) {
        desk.PostClientMessage(window, WM_LAUNCHCHANGED, 0, 0);
        return;
    }
    if (MacroLaunches.isEmpty() && OtherLaunches.isEmpty()) return;
    if (const int result = desk.StartProgram(schedulerProgram(), {}); result != LAUNCH_OK)
        MessageDlg(QStringLiteral("Le planificateur de tâches « %1 » n'a pas pu être lancé : %2\nLes lancements "
                                  "enregistrés n'auront lieu qu'une fois le planificateur lancé.")
                       .arg(schedulerProgram(), LaunchErrorText(result)),
                   MsgType::Warning, mbOK);
}

void TForm19::Button12Click() {
    const QString time = DT2->text();
    const int hours = time.left(2).toInt(), minutes = time.mid(3, 2).toInt();
    if (!isTimeHHMM(time) || hours > 23 || minutes > 59) {
        MessageDlg(QStringLiteral("L'heure « %1 » n'est pas valide : elle s'écrit hh:mm, de 00:00 à 23:59.").arg(time),
                   MsgType::Warning, mbOK);
        return;
    }
    TLaunchRecord r;
    if (!r.setPath(macroPath())) {
        MessageDlg(QStringLiteral("Le chemin de la macro est trop long pour un lancement (%1 octets au plus) : « %2 ».")
                       .arg(TLaunchRecord::MaxPathBytes)
                       .arg(macroPath()),
                   MsgType::Warning, mbOK);
        return;
    }
    r.setKind(RadioButton3->isChecked() ? LaunchOnShortcut : LaunchAtTime);
    r.setFrequency(uint8_t(qMax(0, ComboBox6->currentIndex())));
    r.setStartDate(toLaunchTime(DT1->date()));
    r.setTimeOfDay((hours * 60 + minutes) / 1440.0);
    r.setShortcut(TextToHotKey(HotKey3->keySequence().toString(QKeySequence::PortableText)));
    MacroLaunches.append(r);
    ListLaunches();
    ListBox5->setCurrentRow(ListBox5->count() - 1);
}

void TForm19::Button14Click() {
    const int row = ListBox5->currentRow();
    if (row >= 0 && ListBox5->currentItem()->isSelected() && row < MacroLaunches.size()) MacroLaunches.removeAt(row);
    ListLaunches();
}

void TForm19::ListBox5Click() {
    const int row = ListBox5->currentRow();
    if (row < 0 || row >= MacroLaunches.size() || !ListBox5->currentItem()->isSelected()) {
        ListBox5->setToolTip(QString());
        return;
    }
    TLaunchRecord& r = MacroLaunches[row];
    const QDateTime now = QDateTime::currentDateTime();
    r.setNextRun(ComputeNextRun(r, now));
    const QDateTime next = fromLaunchTime(r.nextRun());
    ListBox5->setToolTip(r.nextRun() == 0 ? QStringLiteral("En attente d'événement non relatif au temps.")
                         : now <= next    ? QStringLiteral("Prochaine exécution le ") +
                                             next.toString(QStringLiteral("dd/MM/yy hh:mm:ss"))
                                          : QStringLiteral("Cette tâche ne sera plus jamais exécutée, il est conseillé de "
                                                           "la supprimer."));
}

void TForm19::CheckBox9Click() {
    QString error;
    if (!SetSchedulerAutostart(schedulerProgram(), CheckBox9->isChecked(), &error))
        MessageDlg(QStringLiteral("Ecriture dans la base de registre impossible.") + u'\n' + error, MsgType::Error, mbOK);
}

// The up-down arrows beside the time: the hours before the caret's third
// place, the minutes after, each going round.
void TForm19::UpDown3Click(bool up) {
    if (DT2->text().isEmpty()) {
        DT2->setText(QStringLiteral("00:00"));
        DT2->setCursorPosition(5);
    }
    const QString text = DT2->text();
    if (!isTimeHHMM(text)) return;
    const int caret = DT2->cursorPosition();
    const bool hours = caret < 3;
    const int limit = hours ? 23 : 59;
    int value = (hours ? text.left(2) : text.mid(3, 2)).toInt() + (up ? 1 : -1);
    if (value < 0) value = limit;
    if (value > limit) value = 0;
    const QString part = QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    DT2->setText(hours ? part + text.mid(2) : text.left(3) + part);
    DT2->setCursorPosition(caret);
}
