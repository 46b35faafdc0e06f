#pragma once
// Help contexts of forms and controls (the "HelpContext" property), and the
// F1 answer of the dialogs: the help file opened at the active control's context.

#include <QString>

class QWidget;

void SetHelpContext(QWidget* w, int context);
int HelpContext(const QWidget* w);  // 0 when none was set

// F1 in a form: the context of the active control, else of the first of its
// holders up to the form that has one; with none nothing happens; a help file
// that cannot be shown gives the French message.
void FormHelpRequest(QWidget* form);
// Gives a form that F1 answer.
void InstallFormHelp(QWidget* form);
