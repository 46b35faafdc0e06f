#pragma once
// The check warnings the user chose to ignore for the open macro. The checker
// reads and marks them; the macro file keeps the ones still met ("IgnoreMsg").
#include <QString>
#include <QVector>

struct TIgnoreMsg {
    QString Origin;             // caption of the check row when it was ignored
    QString Message;            // the ignored message text
    bool StillPresent = false;  // set again whenever a check meets the message
};

// One list for the open macro.
extern QVector<TIgnoreMsg> TTabIgnoreMsg;

// Forgets every ignored message (a new or another macro is opened).
void ClearIgnoreMsg();
