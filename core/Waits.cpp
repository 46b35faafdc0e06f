#include "core/Waits.h"

#include "core/RunControl.h"
#include "core/RunState.h"
#include "core/Services.h"

#include <QCoreApplication>

namespace {
bool ending = false;
}  // namespace

bool EndRequested() { return ending; }

void RequestEnd(const QString& why) {
    if (ending) return;
    ending = true;
    const bool running = RunState().ExecState != 0 || RunState().MacroRunning;
    if (running || Unattended()) ReportUnattended(why);
    if (running) {
        RunState().RunEndedInError = true;
        Services().Run().Stop1Click();
    }
    // Every event loop ends; the waits that pump events see the flag.
    QCoreApplication::exit(1);
}

void StopRunAtRequest(const QString& why) {
    if (Unattended()) return RequestEnd(why);
    Services().Run().Stop1Click();
}
