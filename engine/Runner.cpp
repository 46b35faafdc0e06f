// The runner's run loop and the user's run controls: run, step, pause,
// breakpoints, Stop, Esc and the state shown in the caption.
#include "engine/Runner.h"

#include "core/Dialogs.h"
#include "core/MessageTexts.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/Unit29.h"
#include "core/Variables.h"
#include "core/Display.h"
#include "engine/GestionCommande.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>

#include <algorithm>
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

TRunner* Runner = nullptr;

using namespace Qt::StringLiterals;

namespace {

// Esc released in the main window (or any of its children) stops the run.
class EscFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease && Form1) {
            auto* key = static_cast<QKeyEvent*>(event);
            auto* widget = qobject_cast<QWidget*>(watched);
            if (key->key() == Qt::Key_Escape && !key->isAutoRepeat() && widget && widget->window() == Form1)
                Runner->FormKeyUp(platform::VK_ESCAPE);
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

TRunner::TRunner(TForm1& form) : QObject(&form), form_(form) {
    Runner = this;
    buildRunUi();
    buildReportTab();
    qApp->installEventFilter(new EscFilter(this));
    RememberStartupDisplayMode();
}

TRunner::~TRunner() {
    if (Runner == this) Runner = nullptr;
}

void TRunner::buildRunUi() {
    TForm1& f = form_;
    QMenu* m = f.MenuExecuter;
    auto action = [m](const char* name, const QString& text, const QKeySequence& key = {}) {
        QAction* a = m->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        return a;
    };
    f.Execute1 = action("Execute1", QStringLiteral("Executer"), Qt::Key_F9);
    f.Paspas1 = action("Paspas1", QStringLiteral("Pas à pas"), Qt::Key_F8);
    f.Stop1 = action("Stop1", QStringLiteral("Stop"));
    f.Reprendrelexcution1 = action("Reprendrelexcution1", QStringLiteral("Reprendre l'exécution"));
    m->addSeparator();
    f.Pointdarrt1 = action("Pointdarrt1", MessageText(u"Menu1"_s, u"Exec5"_s), Qt::Key_F7);
    f.Sauvegardeducontextedexcution1 =
        action("Sauvegardeducontextedexcution1", MessageText(u"Menu1"_s, u"Exec9"_s));
    m->addSeparator();
    f.Enregistrerunesequence1 = action("Enregistrerunesequence1", QStringLiteral("Enregistrer une séquence"));
    connect(f.Execute1, &QAction::triggered, this, &TRunner::Execute1Click);
    connect(f.Paspas1, &QAction::triggered, this, &TRunner::Paspas1Click);
    connect(f.Stop1, &QAction::triggered, this, &TRunner::Stop1Click);
    connect(f.Reprendrelexcution1, &QAction::triggered, this, &TRunner::Reprendrelexcution1Click);
    connect(f.Pointdarrt1, &QAction::triggered, this, &TRunner::Pointdarrt1Click);
    connect(f.Sauvegardeducontextedexcution1, &QAction::triggered, this, &TRunner::Sauvegardeducontextedexcution1Click);
    connect(m, &QMenu::aboutToShow, this, &TRunner::Executer1Click);
    // Shortcuts work while the menu is closed.
    f.addActions({f.Execute1, f.Paspas1, f.Stop1, f.Reprendrelexcution1, f.Pointdarrt1});

    auto* bar = new QToolBar(QStringLiteral("Exécution"), &f);
    bar->setObjectName(QStringLiteral("ToolBarRun"));
    f.addToolBarBreak();  // a row of its own, beside nothing it could hide
    f.addToolBar(bar);
    f.SpeedButton103 = runButton(bar, "SpeedButton103", QStringLiteral("Executer"));
    f.SpeedButton29 = runButton(bar, "SpeedButton29", QStringLiteral("Pause"));
    f.SpeedButton105 = runButton(bar, "SpeedButton105", QStringLiteral("Stop"));
    f.SpeedButton36 = runButton(bar, "SpeedButton36", QStringLiteral("Contextes d'exécution sauvegardés"));
    f.SpeedButton36->setArrowType(Qt::DownArrow);
    f.PopupMenu7 = new QMenu(&f);
    f.PopupMenu7->setObjectName(QStringLiteral("PopupMenu7"));
    f.SpeedButton29->setEnabled(false);
    f.SpeedButton105->setEnabled(false);
    connect(f.SpeedButton103, &QToolButton::clicked, this, &TRunner::Execute1Click);
    connect(f.SpeedButton29, &QToolButton::clicked, this, &TRunner::SpeedButton29Click);
    connect(f.SpeedButton105, &QToolButton::clicked, this, &TRunner::Stop1Click);
    connect(f.SpeedButton36, &QToolButton::clicked, this, &TRunner::SpeedButton36Click);
}

void TRunner::setState(int state) {
    ExecState = state;
    form_.setWindowTitle(form_.GetStateCaption());
}

void TRunner::Execute(QObject* sender, bool resumeContext, int startIndex) {
    Q_UNUSED(sender);
    RunEndedInError = false;
    if (startIndex == 0) {
        TListVar.clear();
        CloseRunFiles();
    }
    form_.LoadInclusions(form_.TabOfInclude, form_.ListView1);
    if (settings().CheckBeforeRun && !resumeContext && !form_.ControlAll(form_.ListView1)) {
        const QString text = MessageText(u"Form1"_s, u"Error_with_edit"_s);
        if (AutoRun) {  // no one to read the error list: its errors go with the message
            QString errors;
            for (int i = 0; i < form_.ListView2->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* row = form_.ListView2->topLevelItem(i);
                if (row->text(1) == QLatin1String("Erreur"))
                    errors += QStringLiteral("\n  ligne %1 : %2").arg(row->text(0), row->text(2));
            }
            ReportUnattended(text + errors);
        } else
            MessageDlg(text, MsgType::Error, mbOK, QStringLiteral("Erreur"));
        form_.PageControl1->setCurrentWidget(form_.TabSheet1);
        RunEndedInError = true;
        Stop1Click();
        if (AutoRun) EndUnattendedRun();
        return;
    }
    form_.Enregistrerunesequence1->setEnabled(false);
    mdlfnct::BuildKeyNameTable();
    StartReport();
    ChangeScreenResolution(false);

    CurrentOrderIndex = startIndex;
    ActiveOrder.fill(true, form_.ListView1->count());
    MacroRunning = true;
    setState(1);
    form_.Execute1->setEnabled(false);
    form_.SpeedButton103->setEnabled(false);
    form_.SpeedButton105->setEnabled(true);
    form_.SpeedButton29->setEnabled(true);
    form_.Execute1->setShortcut(QKeySequence());
    form_.Reprendrelexcution1->setShortcut(Qt::Key_F9);
    SavedWindowState = int(form_.windowState());
    if (resumeContext) {
        LoadExecutionContextForRun();
        ActiveOrder.fill(true, form_.ListView1->count());  // the context may have opened another macro
    }

    runLoopActive_ = true;
    const auto loopEnded = qScopeGuard([this] { runLoopActive_ = false; });
    QElapsedTimer sincePump;  // rows without any wait still let events in
    sincePump.start();
    while (CurrentOrderIndex < form_.ListView1->count() && MacroRunning) {
        if (!form_.ListView1->hasRow(CurrentOrderIndex)) {
            RaiseExecError(QStringLiteral("Processus d'exécution dérouté."), 1);
            break;
        }
        if (form_.ListView1->icon(CurrentOrderIndex) == kBreakpointIcon) {
            SavedForegroundWindow = platform::desktop().GetForegroundWindow();
            BreakpointWait = true;
            TForm1::Select_unique(form_.ListView1, CurrentOrderIndex);
            FnctPause(milliseconds(QStringLiteral("500")));
            form_.SpeedButton103->setEnabled(true);
            mdlfnct::ForceForegroundWindow(mainWindowHandle());
            if (BreakpointWait) setState(4);
            while (BreakpointWait && MacroRunning) sleepAndPump(10);
            if (!MacroRunning) break;
            setState(1);
            mdlfnct::ForceForegroundWindow(SavedForegroundWindow);
            FnctPause(milliseconds(QStringLiteral("500")));
            if (!MacroRunning) break;
        }
        if (form_.SpeedButton103->isEnabled()) form_.SpeedButton103->setEnabled(false);
        Execute_commande(form_.ListView1, CurrentOrderIndex, ActiveOrder);
        if (settings().GeneralActive) {
            FnctPause(milliseconds(settings().GeneralTime));
            sincePump.restart();
        } else if (sincePump.elapsed() >= 20) {
            QCoreApplication::processEvents();
            sincePump.restart();
        }
    }
    EndReport();
    Stop1Click();
    if (AutoRun) EndUnattendedRun();
}

void TRunner::Execute1Click() {
    if (BreakpointWait) {
        BreakpointWait = false;
        setState(1);
        return;
    }
    if (runLoopActive_) return;  // one run loop at a time; a step mode may turn into a run
    ProcReturnStack.clear();
    Execute(&form_, false, 0);
}

void TRunner::Reprendrelexcution1Click() {
    if (BreakpointWait) {
        BreakpointWait = false;
        setState(1);
        return;
    }
    MessageDlg(QStringLiteral("Aucune macro n'est en attente de reprise d'exécution."), MsgType::Warning, mbOK);
}

void TRunner::Paspas1Click() {
    if (ExecState == 5 || form_.ListView1->count() == 0) return;
    if (!MacroRunning) {
        CurrentOrderIndex = 0;
        MacroRunning = true;
        setState(2);
        ActiveOrder.fill(true, form_.ListView1->count());
        form_.SpeedButton105->setEnabled(true);
    }
    TForm1::Select_unique(form_.ListView1, CurrentOrderIndex);
    if (form_.ListView1->hasRow(CurrentOrderIndex) && form_.ListView1->keyword(CurrentOrderIndex) == QLatin1String("Pause")) {
        ++CurrentOrderIndex;
    } else {
        setState(5);
        auto& desktop = platform::desktop();
        if (SavedForegroundWindow) mdlfnct::ForceForegroundWindow(SavedForegroundWindow);
        Execute_commande(form_.ListView1, CurrentOrderIndex, ActiveOrder);
        FnctPause(milliseconds(QStringLiteral("500")));
        if (desktop.GetForegroundWindow() != mainWindowHandle()) SavedForegroundWindow = desktop.GetForegroundWindow();
        mdlfnct::ForceForegroundWindow(mainWindowHandle());
        if (MacroRunning) setState(2);
    }
    if (MacroRunning && CurrentOrderIndex >= form_.ListView1->count()) Stop1Click();
}

void TRunner::SpeedButton29Click() {
    releaseModifiers({platform::VK_LSHIFT, platform::VK_RSHIFT, platform::VK_LCONTROL, platform::VK_RCONTROL,
                      platform::VK_LMENU, platform::VK_RMENU});
    if (!BreakpointWait) SavedForegroundWindow = platform::desktop().GetForegroundWindow();
    BreakpointWait = !BreakpointWait;
    TForm1::Select_unique(form_.ListView1, CurrentOrderIndex);
    FnctPause(milliseconds(QStringLiteral("500")));
    if (!AutoRun) mdlfnct::ForceForegroundWindow(mainWindowHandle());
    setState(3);
    form_.SpeedButton103->setEnabled(true);
    form_.SpeedButton29->setEnabled(false);
    while (BreakpointWait && MacroRunning) sleepAndPump(200);
    form_.SpeedButton103->setEnabled(false);
    form_.SpeedButton29->setEnabled(MacroRunning);
    if (!MacroRunning) return;  // stopped while paused: Stop has set everything
    setState(1);
    mdlfnct::ForceForegroundWindow(SavedForegroundWindow);
    FnctPause(milliseconds(QStringLiteral("500")));
}

void TRunner::Stop1Click() {
    MacroRunning = false;
    QuestionAnswered = true;
    setState(0);
    releaseModifiers({platform::VK_LSHIFT, platform::VK_RSHIFT, platform::VK_LCONTROL, platform::VK_RCONTROL,
                      platform::VK_LMENU, platform::VK_RMENU});
    BreakpointWait = false;
    RunEndTime = QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
    CurrentOrderIndex = 0;
    form_.ComboBox1->setEnabled(true);
    form_.Label1->setEnabled(true);
    if (Form29 && Form29->isVisible()) Form29->close();
    form_.WriteVariable(QStringLiteral("VAR"), QStringLiteral("[EVENT.ACTIVATE]"), QStringLiteral("0"));
    ReleaseImageSearchCache();
    StopPluginCommands();
    CloseRunFiles();
    form_.Execute1->setEnabled(true);
    form_.SpeedButton103->setEnabled(true);
    form_.SpeedButton105->setEnabled(false);
    form_.SpeedButton29->setEnabled(false);
    form_.Enregistrerunesequence1->setEnabled(true);
    form_.Execute1->setShortcut(Qt::Key_F9);
    form_.Reprendrelexcution1->setShortcut(QKeySequence());
    ChangeScreenResolution(true);
    form_.UnloadInclusions(form_.TabOfInclude, form_.ListView1);
}

void TRunner::Pointdarrt1Click() {
    for (int row : form_.ListView1->selectedRows()) {
        if (form_.ListView1->icon(row) == kBreakpointIcon)
            form_.ListView1->setIcon(row, TForm1::GetImageIndexOfText(form_.ListView1->keyword(row)));
        else
            form_.ListView1->setIcon(row, kBreakpointIcon);
    }
}

void TRunner::Executer1Click() {
    const int row = form_.ListView1->selectedIndex();
    form_.Pointdarrt1->setEnabled(row >= 0);
    form_.Pointdarrt1->setText(MessageText(u"Menu1"_s, row >= 0 && form_.ListView1->icon(row) == kBreakpointIcon
                                                          ? u"Exec7"_s
                                                          : u"Exec5"_s));
    if (row < 0) return;
    form_.Reprendrelexcution1->setEnabled(BreakpointWait);
    if (ExecState != 0) {
        form_.Sauvegardeducontextedexcution1->setText(MessageText(u"Menu1"_s, u"Exec8"_s));
        form_.Sauvegardeducontextedexcution1->setEnabled(form_.StatusPanel[0]->text() != QLatin1String("Nouvelle macro"));
    } else {
        form_.Sauvegardeducontextedexcution1->setText(MessageText(u"Menu1"_s, u"Exec9"_s));
        form_.Sauvegardeducontextedexcution1->setEnabled(true);
    }
}

void TRunner::FormKeyUp(int key) {
    if (key == platform::VK_ESCAPE) MacroRunning = false;
}

void TRunner::WaitWithMessages(unsigned milliseconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < qint64(milliseconds)) {
        QCoreApplication::processEvents();
        if (!MacroRunning || QCoreApplication::closingDown()) return;
        // The events may have used up the time left: never a negative sleep (a huge unsigned one).
        const qint64 left = qint64(milliseconds) - elapsed.elapsed();
        if (left > 0) QThread::msleep(ulong(std::min<qint64>(left, 10)));
    }
    QCoreApplication::processEvents();
}
