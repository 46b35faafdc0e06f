#pragma once
// What a run works with, handed to every handler with its row: the macro
// being run, the run state, the variables, the report, the check report, the
// reference pictures of "Trouve image", the desktop and the settings. The
// runner owns it; nothing here reaches a window.
#include "core/MacroDocument.h"
#include "core/RunState.h"
#include "core/Settings.h"
#include "platform/Platform.h"

#include <QImage>
#include <QVector>

class TCheckReport;
class TRunReport;
class TVariables;

// The reference pictures read by "Trouve image" during one run, by the file
// name as the row gives it: a file changed on disk meanwhile is not read again.
class TImageCache {
public:
    struct Entry {
        QString FileName;
        QImage Picture;  // 32 bits per pixel
    };
    const QImage* Find(const QString& fileName) const;
    const QImage& Add(const QString& fileName, const QImage& picture);
    void Clear() { entries_.clear(); }
    int Count() const { return int(entries_.size()); }

private:
    QVector<Entry> entries_;
};

// How a row went: done, or a run-time error with its text and its code (0:
// the reaction "[ERROR.ADAPTATOR]" gives; 1: the run stops whatever it says;
// 2 and 3: retry or go on, asked). What follows an error is the runner's
// choice, made in one place.
struct CommandResult {
    QString error;
    int code = 0;
    bool failed() const { return !error.isEmpty(); }
};
inline CommandResult Done() { return {}; }
inline CommandResult RunError(const QString& message, int code = 0) { return {message, code}; }

struct TRunContext {
    TMacroDocument& Main;   // the macro of the main window, run row by row
    TRunState& State;
    TVariables& Vars;
    TRunReport& Report;
    TCheckReport& Checks;   // where the checks of the run go
    TImageCache Images;
    // An error raised for the row being run from outside its handler (a
    // plug-in's message): the handler answers it when it returns.
    CommandResult PendingError;

    platform::Platform& Desktop() const { return platform::desktop(); }
    TSettings& Settings() const { return settings(); }
    // The separator of the parameter strings the run reads and builds.
    QChar Separator() const;
    bool Running() const { return State.MacroRunning; }
    // The list being run (a sub-macro's while one runs) and its row.
    TMacroDocument& ListBeingRun() const { return State.SubMacroList ? *State.SubMacroList : Main; }
    int RowBeingRun() const { return State.SubMacroList ? State.SubMacroRow : State.CurrentOrderIndex; }
    // Waits, pumping events, until the time is up or the run stops.
    void Wait(unsigned milliseconds) const;
    // The wait of a "Pause" row's parameters ("500;MilliSec;", "00:01:30;").
    void Pause(const QString& params);
    // A pause of that many milliseconds; three seconds and more count down in
    // the program's name.
    void PauseMs(qint64 milliseconds);
};

// How long a pause lasts, in milliseconds: an amount in "Min", "Sec" or
// "MilliSec", or with no unit a time "hh:mm:ss"; 0 for what is none of these.
qint64 PauseDuration(const QString& amount, const QString& unit);
