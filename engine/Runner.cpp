// The runner's run loop and the user's run controls: run, step, pause,
// breakpoints, Stop, Esc and the state the main window shows.
#include "engine/Runner.h"

#include "core/CheckReport.h"
#include "core/Debug.h"
#include "core/Dialogs.h"
#include "core/Display.h"
#include "core/Inclusions.h"
#include "core/MessageTexts.h"
#include "core/Settings.h"
#include "engine/ContextOfExecute.h"
#include "engine/EngineServices.h"
#include "engine/GestionCommande.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QThread>
#include <QTime>

TRunner* Runner = nullptr;

using namespace Qt::StringLiterals;

namespace {

void sleepAndPump(int ms) {
    QThread::msleep(ulong(ms));
    QCoreApplication::processEvents();
}

// Modifiers the engine or the user left down are released: the down state
// counts, not the lock bit.
void releaseModifiers() {
    auto& desktop = platform::desktop();
    for (uint8_t vk : {platform::VK_LSHIFT, platform::VK_RSHIFT, platform::VK_LCONTROL, platform::VK_RCONTROL,
                       platform::VK_LMENU, platform::VK_RMENU})
        if (desktop.IsKeyDown(vk)) desktop.keybd_event(vk, 69, platform::KEYEVENTF_EXTENDEDKEY | platform::KEYEVENTF_KEYUP);
}

quint64 mainWindow() { return engineServices().MainWindow(); }

}  // namespace

TRunner::TRunner(TMacroDocument& main, TCheckReport& checks, QObject* parent)
    : QObject(parent), ctx_{main, state_, vars_, report_, checks, {}, {}} {
    Runner = this;
    vars_.Main = &main;
    vars_.Run = &state_;
    RememberStartupDisplayMode();
}

TRunner::~TRunner() {
    if (Runner == this) Runner = nullptr;
}

void TRunner::setState(int state) { state_.SetExecState(state); }

void TRunner::Execute(bool resumeContext, int startIndex) {
    TMacroDocument& main = ctx_.Main;
    state_.RunEndedInError = false;
    if (startIndex == 0) {
        vars_.Clear();
        CloseRunFiles();
    }
    LoadInclusions(main, engineServices().MacroPath());
    if (settings().CheckBeforeRun && !resumeContext && !Debug::CheckMacro(main, ctx_.Checks)) {
        const QString text = MainWindowText(u"Error_with_edit"_s);
        if (state_.AutoRun)  // no one to read the error list: its errors go with the message
            ReportUnattended(text + ctx_.Checks.ErrorLines());
        else
            MessageDlg(text, MsgType::Error, mbOK, QStringLiteral("Erreur"));
        state_.RunEndedInError = true;
        Stop1Click();
        emit state_.CheckFailed();
        if (state_.AutoRun) EndUnattendedRun();
        return;
    }
    mdlfnct::BuildKeyNameTable();
    report_.Start();
    state_.RunStartTime = QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
    state_.ExecutedCount = 0;
    ChangeScreenResolution(false);

    state_.CurrentOrderIndex = startIndex;
    state_.ActiveOrder.fill(true, main.count());
    state_.MacroRunning = true;
    state_.ExecState = 1;
    emit state_.RunStarted();
    setState(1);
    if (resumeContext) {
        if (!LoadExecutionContext(ctx_, contextToResume_)) state_.MacroRunning = false;
        state_.ActiveOrder.fill(true, main.count());  // the context may have opened another macro
    }

    runLoopActive_ = true;
    const auto loopEnded = qScopeGuard([this] { runLoopActive_ = false; });
    QElapsedTimer sincePump;  // rows without any wait still let events in
    sincePump.start();
    while (state_.CurrentOrderIndex < main.count() && state_.MacroRunning) {
        if (!main.hasRow(state_.CurrentOrderIndex)) {
            RaiseExecError(QStringLiteral("Processus d'exécution dérouté."), 1);
            break;
        }
        if (main.icon(state_.CurrentOrderIndex) == kBreakpointIcon) {
            state_.SavedForegroundWindow = platform::desktop().GetForegroundWindow();
            state_.BreakpointWait = true;
            emit state_.RowReached(state_.CurrentOrderIndex);
            ctx_.PauseMs(500);
            mdlfnct::ForceForegroundWindow(mainWindow());
            if (state_.BreakpointWait) setState(4);
            while (state_.BreakpointWait && state_.MacroRunning) sleepAndPump(10);
            if (!state_.MacroRunning) break;
            setState(1);
            mdlfnct::ForceForegroundWindow(state_.SavedForegroundWindow);
            ctx_.PauseMs(500);
            if (!state_.MacroRunning) break;
        }
        Execute_commande(&main, state_.CurrentOrderIndex, state_.ActiveOrder);
        if (settings().GeneralActive) {
            ctx_.PauseMs(mdlfnct::StrToIntOrZero(settings().GeneralTime));
            sincePump.restart();
        } else if (sincePump.elapsed() >= 20) {
            QCoreApplication::processEvents();
            sincePump.restart();
        }
    }
    endRun();
}

void TRunner::EndReport() {
    QString error;
    if (report_.End(&error)) return;
    state_.RunEndedInError = true;
    if (state_.AutoRun) ReportUnattended(error);
    else MessageDlg(error, MsgType::Error, mbOK);
}

// The report files written, then Stop's work; an unattended run then ends the program.
void TRunner::endRun() {
    EndReport();
    Stop1Click();
    if (state_.AutoRun) EndUnattendedRun();
}

void TRunner::Execute1Click() {
    if (state_.BreakpointWait) {
        state_.BreakpointWait = false;
        setState(1);
        return;
    }
    if (runLoopActive_) return;  // one run loop at a time; a step mode may turn into a run
    state_.ProcReturnStack.clear();
    Execute(false, 0);
}

void TRunner::Reprendrelexcution1Click() {
    if (state_.BreakpointWait) {
        state_.BreakpointWait = false;
        setState(1);
        return;
    }
    MessageDlg(QStringLiteral("Aucune macro n'est en attente de reprise d'exécution."), MsgType::Warning, mbOK);
}

void TRunner::Paspas1Click() {
    TMacroDocument& main = ctx_.Main;
    if (state_.ExecState == 5 || main.count() == 0) return;
    if (!state_.MacroRunning) {
        state_.CurrentOrderIndex = 0;
        state_.MacroRunning = true;
        state_.ActiveOrder.fill(true, main.count());
        setState(2);
    }
    emit state_.RowReached(state_.CurrentOrderIndex);
    if (main.hasRow(state_.CurrentOrderIndex) && main.keyword(state_.CurrentOrderIndex) == QLatin1String("Pause")) {
        ++state_.CurrentOrderIndex;
    } else {
        setState(5);
        auto& desktop = platform::desktop();
        if (state_.SavedForegroundWindow) mdlfnct::ForceForegroundWindow(state_.SavedForegroundWindow);
        Execute_commande(&main, state_.CurrentOrderIndex, state_.ActiveOrder);
        ctx_.PauseMs(500);
        if (desktop.GetForegroundWindow() != mainWindow()) state_.SavedForegroundWindow = desktop.GetForegroundWindow();
        mdlfnct::ForceForegroundWindow(mainWindow());
        if (state_.MacroRunning) setState(2);
    }
    if (state_.MacroRunning && state_.CurrentOrderIndex >= main.count()) Stop1Click();
}

void TRunner::SpeedButton29Click() {
    releaseModifiers();
    if (!state_.BreakpointWait) state_.SavedForegroundWindow = platform::desktop().GetForegroundWindow();
    state_.BreakpointWait = !state_.BreakpointWait;
    emit state_.RowReached(state_.CurrentOrderIndex);
    ctx_.PauseMs(500);
    if (!state_.AutoRun) mdlfnct::ForceForegroundWindow(mainWindow());
    setState(3);
    while (state_.BreakpointWait && state_.MacroRunning) sleepAndPump(200);
    if (!state_.MacroRunning) return;  // stopped while paused: Stop has set everything
    setState(1);
    mdlfnct::ForceForegroundWindow(state_.SavedForegroundWindow);
    ctx_.PauseMs(500);
}

void TRunner::Stop1Click() {
    state_.MacroRunning = false;
    state_.QuestionAnswered = true;
    state_.BreakpointWait = false;
    setState(0);
    releaseModifiers();
    state_.RunEndTime = QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
    state_.CurrentOrderIndex = 0;
    vars_.Write(QStringLiteral("[EVENT.ACTIVATE]"), QStringLiteral("0"));
    ctx_.Images.Clear();
    StopPluginCommands();
    CloseRunFiles();
    ChangeScreenResolution(true);
    UnloadInclusions(ctx_.Main);
    emit state_.RunEnded();
}

void TRunner::FormKeyUp(int key) {
    if (key == platform::VK_ESCAPE) state_.MacroRunning = false;
}

void TRunner::WaitWithMessages(unsigned milliseconds) { ctx_.Wait(milliseconds); }

void TRunner::FnctPause(const QString& params) { ctx_.Pause(params); }
