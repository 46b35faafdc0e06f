#pragma once
// The program's crash mode ("orvanel /crash <file>"): the report a fatal
// signal's handler wrote (core/FatalSignal.h) shown in the internal-error
// window, the code addresses named through the map file, with the window's
// countdown.
#include <QByteArray>
#include <QStringList>

// The report's lines as the window shows them; the first is its class.
QStringList CrashReportLines(const QByteArray& log);
// Shows the report of that file; the status the window ends the program with.
int ShowCrashReport(const QString& logFile);
