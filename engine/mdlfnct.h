#pragma once
// Plain helpers shared by the run-time handlers, the checker and the dialogs.
#include "core/Params.h"

#include <QString>
#include <QStringList>

namespace mdlfnct {

// Second splitter: fills all 20 fields; the empty text is one empty field.
TParamFields SplitParams(const QString& s);
// A field of that row of the main list equals text (case-sensitive).
bool LineHasParam(int row, const QString& text);
// Rows of the main list with that keyword for which LineHasParam holds.
int CountCommandsWithParam(const QString& keyword, const QString& text);

using TStrArray = QStringList;
TStrArray SplitString(const QString& text, const QString& delimiter);
bool IsInteger(const QString& text);
bool IsFloat(const QString& text);
int StrToIntOrZero(const QString& text);
bool IsValidDate(const QString& text);
bool IsValidFileName(const QString& name);
bool IsValidPath(const QString& path);
// The value a field stands for: a declared Numerique/Alpha variable's value, else the text itself.
QString GetVarValue(const QString& name);
// "Numerique", "Alpha", "Objet" or "No_Type", from the "Variable" rows of the list being run.
QString GetVarType(const QString& name);

}  // namespace mdlfnct
