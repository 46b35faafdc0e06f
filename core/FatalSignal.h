#pragma once
// A fatal signal (SIGSEGV, SIGBUS, SIGILL, SIGFPE): the handler writes what
// is known into "crash.log" of the program folder (the signal, the address,
// the frames' addresses, the run position, the open macro) with nothing but
// async-signal-safe calls, then starts the program again in its crash mode
// ("orvanel /crash <file>", ShowCrashReport), which shows the report in the
// internal-error window, and ends with the signal.
#include <QString>

// The file the handler writes.
QString CrashLogPath();
// Installs the handler, which starts `viewer` in its crash mode; everything
// it needs is prepared here.
void InstallFatalSignalHandler(const QString& viewer);
// The open macro's path as the report names it (kept ready for the handler).
void SetCrashMacroPath(const QString& path);
