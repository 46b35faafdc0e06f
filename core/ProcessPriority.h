#pragma once
// The program's process priority, as a macro file keeps it: the index of an
// item of the About box's list ("Temps réel" ... "Basse").
#include <QStringList>

const QStringList& ProcessPriorityNames();
// The item in use; 3 ("Normale") at start-up.
extern int ProcessPriority;
// Sets it and the process's priority class (items 0 and 1 real time, 2 high,
// 3 normal, 4 and 5 idle); a failure is shown with the system's text.
void SetProcessPriority(int index);
