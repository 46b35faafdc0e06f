#pragma once
// The program's process priority, as a macro file keeps it: the index of an
// item of the About box's list ("Temps réel" ... "Basse").
#include <QStringList>

const QStringList& ProcessPriorityNames();
// The item in use; 3 ("Normale") at start-up.
extern int ProcessPriority;
// Sets it and the process's scheduling: item 0 the real-time class, 1 and 2
// nice -10, 3 nice 0, 4 and 5 nice 19; a refusal is shown with the system's text.
void SetProcessPriority(int index);
// "Normale" at start-up: a process started with a raised priority gets the
// normal one back, one started lower is left as it is; nothing is shown.
void StartWithNormalPriority();
// The item the process's scheduling reads back as: "Temps réel", "Haute"
// (nice -10), "Normale" (0), "Basse" (19); -1 for any other.
int ProcessPriorityInUse();
