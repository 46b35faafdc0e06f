#pragma once
// What ends the waits for the person at the screen. The program can be asked
// to end at any moment: SIGTERM and SIGINT, and in a run from the command
// line also its stop key and Esc. A run going on then stops as Stop does (its
// end writes the report), no window waits any more, every box takes its
// default answer at once, and the program ends with status 1.
#include <QString>

// The end was asked for.
bool EndRequested();
// Asks for the end; `why` goes to the standard error while a run goes on
// or in a run from the command line.
// Asking again changes nothing more.
void RequestEnd(const QString& why);
// The person stops the run from one of its waits (the stop key, "Abandonner"
// of the pause question): the run stops as Stop does. A run from the command
// line is the program's whole life: there the program ends as RequestEnd says.
void StopRunAtRequest(const QString& why);
