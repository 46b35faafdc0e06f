#pragma once
// Recovery copies: while the editor holds a changed macro, a copy of it is
// written beside it every minute ("m.mcr~"; "Nouvelle macro.mcr~" in the
// program folder for a macro never saved). A normal end removes it, as does
// a save; an end that was not asked for (a crash, the display lost, a
// termination signal) leaves it, and the next start of the editor offers it.
#include <QString>

class TForm1;

// The copy of a macro's path ("Nouvelle macro" for one never saved).
QString RecoveryCopyPath(const QString& macroPath);
// The copies every minute from now on.
void StartRecoveryCopies(TForm1& form);
// The copy of the macro as it is now when it differs from its file, else none.
void WriteRecoveryCopy();
// The copy removed: the editor ends normally.
void RemoveRecoveryCopy();
// At the editor's start: each copy left beside a recent file (or of a macro
// never saved) is offered; the one accepted is opened in place of its
// macro, changed, and every copy offered is then gone.
void OfferRecoveryCopies();
