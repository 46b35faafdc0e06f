#pragma once
// The program's small input box: a prompt, one line and "Valider".
#include <QString>

// Shows the box centred on the desktop, above other windows, and waits,
// pumping events (the rest of the program goes on meanwhile), until
// "Valider" or Enter confirms it (true, text holds the line) or it is closed
// (false, text unchanged). text is also the line shown at first.
bool RunInputBox(const QString& caption, const QString& prompt, QString& text, bool password);
