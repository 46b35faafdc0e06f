// Run control of the main window: the run loop, step, pause, breakpoints,
// Stop, Esc and the state shown in the caption.
#include "core/Dialogs.h"
#include "core/Unit1.h"
#include "core/Variables.h"
#include "engine/Display.h"
#include "engine/Handlers.h"
#include "engine/RunReport.h"
#include "core/CrashReport.h"
#include "engine/Unit29.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"
#include "tools/Unit19.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QMenu>
#include <QTabWidget>
#include <QThread>
#include <QTime>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

int ExecState = 0;

namespace {
QIcon normalIcon;  // the application icon at start-up
bool runLoopActive = false;


// Esc released in the main window (or any of its children) stops the run.
class EscFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease && Form1) {
            auto* key = static_cast<QKeyEvent*>(event);
            auto* widget = qobject_cast<QWidget*>(watched);
            if (key->key() == Qt::Key_Escape && !key->isAutoRepeat() && widget && widget->window() == Form1)
                Form1->FormKeyUp(platform::VK_ESCAPE);
        }
        return false;
    }
};

QToolButton* runButton(QToolBar* bar, const char* name, const QString& hint) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(hint);
    b->setToolTip(hint);
    bar->addWidget(b);
    return b;
}

void sleepAndPump(int ms) {
    QThread::msleep(ulong(ms));
    QCoreApplication::processEvents();
}

// Modifiers the engine or the user left down are released: the down state
// counts, not the lock bit.
void releaseModifiers(std::initializer_list<uint8_t> keys) {
    auto& desktop = platform::desktop();
    for (uint8_t vk : keys)
        if (desktop.IsKeyDown(vk)) desktop.keybd_event(vk, 69, platform::KEYEVENTF_EXTENDEDKEY | platform::KEYEVENTF_KEYUP);
}

// A pause text of that many milliseconds, with the separator in use.
QString milliseconds(const QString& amount) { return amount + CarSepParam + QStringLiteral("MilliSec") + CarSepParam; }

platform::HWND mainWindowHandle() { return platform::HWND(Form1->winId()); }

}  // namespace

void TForm1::buildRunUi() {
    QMenu* m = MenuExecuter;
    auto action = [m](const char* name, const QString& text, const QKeySequence& key = {}) {
        QAction* a = m->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        return a;
    };
    Execute1 = action("Execute1", QStringLiteral("Executer"), Qt::Key_F9);
    Paspas1 = action("Paspas1", QStringLiteral("Pas à pas"), Qt::Key_F8);
    Stop1 = action("Stop1", QStringLiteral("Stop"));
    Reprendrelexcution1 = action("Reprendrelexcution1", QStringLiteral("Reprendre l'exécution"));
    m->addSeparator();
    Pointdarrt1 = action("Pointdarrt1", QStringLiteral("Point d'arrêt"), Qt::Key_F7);
    Sauvegardeducontextedexcution1 =
        action("Sauvegardeducontextedexcution1", QStringLiteral("Contexte d'exécution (Chargement)"));
    m->addSeparator();
    Enregistrerunesequence1 = action("Enregistrerunesequence1", QStringLiteral("Enregistrer une séquence"));
    connect(Execute1, &QAction::triggered, this, &TForm1::Execute1Click);
    connect(Paspas1, &QAction::triggered, this, &TForm1::Paspas1Click);
    connect(Stop1, &QAction::triggered, this, &TForm1::Stop1Click);
    connect(Reprendrelexcution1, &QAction::triggered, this, &TForm1::Reprendrelexcution1Click);
    connect(Pointdarrt1, &QAction::triggered, this, &TForm1::Pointdarrt1Click);
    connect(m, &QMenu::aboutToShow, this, &TForm1::Executer1Click);
    // Shortcuts work while the menu is closed.
    addActions({Execute1, Paspas1, Stop1, Reprendrelexcution1, Pointdarrt1});

    auto* bar = new QToolBar(QStringLiteral("Exécution"), this);
    bar->setObjectName(QStringLiteral("ToolBarRun"));
    addToolBar(bar);
    SpeedButton103 = runButton(bar, "SpeedButton103", QStringLiteral("Executer"));
    SpeedButton29 = runButton(bar, "SpeedButton29", QStringLiteral("Pause"));
    SpeedButton105 = runButton(bar, "SpeedButton105", QStringLiteral("Stop"));
    SpeedButton111 = runButton(bar, "SpeedButton111", QStringLiteral("Mette un point d'arrêt"));
    SpeedButton29->setEnabled(false);
    SpeedButton105->setEnabled(false);
    connect(SpeedButton103, &QToolButton::clicked, this, &TForm1::Execute1Click);
    connect(SpeedButton29, &QToolButton::clicked, this, &TForm1::SpeedButton29Click);
    connect(SpeedButton105, &QToolButton::clicked, this, &TForm1::Stop1Click);
    connect(SpeedButton111, &QToolButton::clicked, this, &TForm1::Pointdarrt1Click);

    buildReportTab(this);
    qApp->installEventFilter(new EscFilter(this));
    RememberStartupDisplayMode();
    normalIcon = QApplication::windowIcon();
    InstallCrashHandler(this);
}

QString TForm1::GetStateCaption() {
    static const char* const kSuffix[] = {
        " - Orvanel",
        " - Orvanel [En exécution]",
        " - Orvanel [Pas à pas]",
        " - Orvanel [Mise en pause]",
        " - Orvanel [Stoppé par Point d'arrêt]",
        " - Orvanel [Pas à pas, Commande en exécution]",
    };
    const int state = ExecState >= 0 && ExecState <= 5 ? ExecState : 0;
    const bool running = state == 1 || state == 5;
    const QIcon& icon = running && !RunIcon.isNull() ? RunIcon : normalIcon;
    if (QApplication::windowIcon().cacheKey() != icon.cacheKey()) QApplication::setWindowIcon(icon);
    return QFileInfo(StatusPanel[0]->text()).fileName() + QString::fromUtf8(kSuffix[state]);
}

namespace {
void setState(int state) {
    ExecState = state;
    Form1->setWindowTitle(Form1->GetStateCaption());
}
}  // namespace

void TForm1::Execute(QObject* sender, bool resumeContext, int startIndex) {
    Q_UNUSED(sender);
    RunEndedInError = false;
    if (startIndex == 0) {
        TListVar.clear();
        CloseRunFiles();
    }
    LoadInclusions(TabOfInclude, ListView1);
    if (Form19 && Form19->CheckBox4->isChecked() && !resumeContext && !ControlAll(ListView1)) {
        const QString text =
            QStringLiteral("Cette macro comportent des erreurs, veuillez consulter le contrôle des commandes.");
        if (AutoRun) {  // no one to read the error list: its errors go with the message
            QString errors;
            for (int i = 0; i < ListView2->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* row = ListView2->topLevelItem(i);
                if (row->text(1) == QLatin1String("Erreur"))
                    errors += QStringLiteral("\n  ligne %1 : %2").arg(row->text(0), row->text(2));
            }
            ReportUnattended(text + errors);
        } else
            MessageDlg(text, MsgType::Error, mbOK, QStringLiteral("Erreur"));
        PageControl1->setCurrentWidget(TabSheet1);
        RunEndedInError = true;
        Stop1Click();
        if (AutoRun) EndUnattendedRun();
        return;
    }
    Enregistrerunesequence1->setEnabled(false);
    mdlfnct::BuildKeyNameTable();
    StartReport(this);
    ChangeScreenResolution(false);

    CurrentOrderIndex = startIndex;
    ActiveOrder.fill(true, ListView1->count());
    MacroRunning = true;
    setState(1);
    Execute1->setEnabled(false);
    SpeedButton103->setEnabled(false);
    SpeedButton105->setEnabled(true);
    SpeedButton29->setEnabled(true);
    Execute1->setShortcut(QKeySequence());
    Reprendrelexcution1->setShortcut(Qt::Key_F9);
    SavedWindowState = int(windowState());
    if (resumeContext) LoadExecutionContextForRun();

    runLoopActive = true;
    const auto loopEnded = qScopeGuard([] { runLoopActive = false; });
    QElapsedTimer sincePump;  // rows without any wait still let events in
    sincePump.start();
    while (CurrentOrderIndex < ListView1->count() && MacroRunning) {
        if (!ListView1->hasRow(CurrentOrderIndex)) {
            RaiseExecError(QStringLiteral("Processus d'exécution dérouté."), 1);
            break;
        }
        if (ListView1->icon(CurrentOrderIndex) == kBreakpointIcon) {
            SavedForegroundWindow = platform::desktop().GetForegroundWindow();
            BreakpointWait = true;
            Select_unique(ListView1, CurrentOrderIndex);
            FnctPause(milliseconds(QStringLiteral("500")));
            SpeedButton103->setEnabled(true);
            mdlfnct::ForceForegroundWindow(mainWindowHandle());
            if (BreakpointWait) setState(4);
            while (BreakpointWait && MacroRunning) sleepAndPump(10);
            if (!MacroRunning) break;
            setState(1);
            mdlfnct::ForceForegroundWindow(SavedForegroundWindow);
            FnctPause(milliseconds(QStringLiteral("500")));
            if (!MacroRunning) break;
        }
        if (SpeedButton103->isEnabled()) SpeedButton103->setEnabled(false);
        Execute_commande(ListView1, CurrentOrderIndex, ActiveOrder);
        if (Form19 && Form19->CheckBox1->isChecked()) {
            FnctPause(milliseconds(Form19->TPGEdit->text()));
            sincePump.restart();
        } else if (sincePump.elapsed() >= 20) {
            QCoreApplication::processEvents();
            sincePump.restart();
        }
    }
    EndReport(this);
    Stop1Click();
    if (AutoRun) EndUnattendedRun();
}

void TForm1::Execute1Click() {
    if (BreakpointWait) {
        BreakpointWait = false;
        setState(1);
        return;
    }
    if (runLoopActive) return;  // one run loop at a time; a step mode may turn into a run
    ProcReturnStack.clear();
    Execute(this, false, 0);
}

void TForm1::Reprendrelexcution1Click() {
    if (BreakpointWait) {
        BreakpointWait = false;
        setState(1);
        return;
    }
    MessageDlg(QStringLiteral("Aucune macro n'est en attente de reprise d'exécution."), MsgType::Warning, mbOK);
}

void TForm1::Paspas1Click() {
    if (ExecState == 5 || ListView1->count() == 0) return;
    if (!MacroRunning) {
        CurrentOrderIndex = 0;
        MacroRunning = true;
        setState(2);
        ActiveOrder.fill(true, ListView1->count());
        SpeedButton105->setEnabled(true);
    }
    Select_unique(ListView1, CurrentOrderIndex);
    if (ListView1->hasRow(CurrentOrderIndex) && ListView1->keyword(CurrentOrderIndex) == QLatin1String("Pause")) {
        ++CurrentOrderIndex;
    } else {
        setState(5);
        auto& desktop = platform::desktop();
        if (SavedForegroundWindow) mdlfnct::ForceForegroundWindow(SavedForegroundWindow);
        Execute_commande(ListView1, CurrentOrderIndex, ActiveOrder);
        FnctPause(milliseconds(QStringLiteral("500")));
        if (desktop.GetForegroundWindow() != mainWindowHandle()) SavedForegroundWindow = desktop.GetForegroundWindow();
        mdlfnct::ForceForegroundWindow(mainWindowHandle());
        if (MacroRunning) setState(2);
    }
    if (MacroRunning && CurrentOrderIndex >= ListView1->count()) Stop1Click();
}

void TForm1::SpeedButton29Click() {
    releaseModifiers({platform::VK_LSHIFT, platform::VK_RSHIFT, platform::VK_LCONTROL, platform::VK_RCONTROL,
                      platform::VK_LMENU, platform::VK_RMENU});
    if (!BreakpointWait) SavedForegroundWindow = platform::desktop().GetForegroundWindow();
    BreakpointWait = !BreakpointWait;
    Select_unique(ListView1, CurrentOrderIndex);
    FnctPause(milliseconds(QStringLiteral("500")));
    if (!AutoRun) mdlfnct::ForceForegroundWindow(mainWindowHandle());
    setState(3);
    SpeedButton103->setEnabled(true);
    SpeedButton29->setEnabled(false);
    while (BreakpointWait && MacroRunning) sleepAndPump(200);
    SpeedButton103->setEnabled(false);
    SpeedButton29->setEnabled(MacroRunning);
    if (!MacroRunning) return;  // stopped while paused: Stop has set everything
    setState(1);
    mdlfnct::ForceForegroundWindow(SavedForegroundWindow);
    FnctPause(milliseconds(QStringLiteral("500")));
}

void TForm1::Stop1Click() {
    MacroRunning = false;
    QuestionAnswered = true;
    setState(0);
    releaseModifiers({platform::VK_LSHIFT, platform::VK_RSHIFT, platform::VK_LCONTROL, platform::VK_RCONTROL,
                      platform::VK_LMENU, platform::VK_RMENU});
    BreakpointWait = false;
    RunEndTime = QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
    CurrentOrderIndex = 0;
    ComboBox1->setEnabled(true);
    Label1->setEnabled(true);
    if (Form29 && Form29->isVisible()) Form29->close();
    WriteVariable(QStringLiteral("VAR"), QStringLiteral("[EVENT.ACTIVATE]"), QStringLiteral("0"));
    ReleaseImageSearchCache();
    StopPluginCommands();
    CloseRunFiles();
    Execute1->setEnabled(true);
    SpeedButton103->setEnabled(true);
    SpeedButton105->setEnabled(false);
    SpeedButton29->setEnabled(false);
    Enregistrerunesequence1->setEnabled(true);
    Execute1->setShortcut(Qt::Key_F9);
    Reprendrelexcution1->setShortcut(QKeySequence());
    ChangeScreenResolution(true);
    UnloadInclusions(TabOfInclude, ListView1);
}

void TForm1::Pointdarrt1Click() {
    for (int row : ListView1->selectedRows()) {
        if (ListView1->icon(row) == kBreakpointIcon)
            ListView1->setIcon(row, GetImageIndexOfText(ListView1->keyword(row)));
        else
            ListView1->setIcon(row, kBreakpointIcon);
    }
}

void TForm1::Executer1Click() {
    const int row = ListView1->selectedIndex();
    Pointdarrt1->setEnabled(row >= 0);
    Pointdarrt1->setText(row >= 0 && ListView1->icon(row) == kBreakpointIcon ? QStringLiteral("Supprimer point d'arrêt")
                                                                              : QStringLiteral("Point d'arrêt"));
    if (row < 0) return;
    Reprendrelexcution1->setEnabled(BreakpointWait);
    if (ExecState != 0) {
        Sauvegardeducontextedexcution1->setText(QStringLiteral("Contexte d'exécution (Sauvegarde)"));
        Sauvegardeducontextedexcution1->setEnabled(StatusPanel[0]->text() != QLatin1String("Nouvelle macro"));
    } else {
        Sauvegardeducontextedexcution1->setText(QStringLiteral("Contexte d'exécution (Chargement)"));
        Sauvegardeducontextedexcution1->setEnabled(true);
    }
}

void TForm1::FormKeyUp(int key) {
    if (key == platform::VK_ESCAPE) MacroRunning = false;
}

void TForm1::WaitWithMessages(unsigned milliseconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < qint64(milliseconds)) {
        QCoreApplication::processEvents();
        if (!MacroRunning || QCoreApplication::closingDown()) return;
        QThread::msleep(ulong(qMin<qint64>(10, qint64(milliseconds) - elapsed.elapsed())));
    }
    QCoreApplication::processEvents();
}
