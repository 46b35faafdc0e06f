#pragma once
// The helpers the checker and the dialogs share with the engine: parameter
// splitting, number, date, time and name checks, and the kinds and values of
// the variables a list declares.
#include "core/Params.h"

#include <QString>
#include <QStringList>

class TMacroDocument;

namespace mdlfnct {

// A field of that row, split at separator, equals text (case-sensitive).
bool LineHasParam(int row, const QString& text, const TMacroDocument& list, QChar separator);
// Rows with that keyword for which LineHasParam holds.
int CountCommandsWithParam(const QString& keyword, const QString& text, const TMacroDocument& list, QChar separator);

using TStrArray = QStringList;
TStrArray SplitString(const QString& text, const QString& delimiter);
bool IsInteger(const QString& text);
bool IsFloat(const QString& text);
int StrToIntOrZero(const QString& text);
bool IsValidDate(const QString& text);
// 8 characters "hh:mm:ss": three integer pairs and ":" at positions 3 and 6.
bool TimeValide(const QString& text);
bool IsValidFileName(const QString& name);
bool IsValidPath(const QString& path);
// The role of a "Procedure" row from its parameters: beginning with "END"
// ends a procedure ("END", "END P1" and "ENDP1" alike); "CALL " and a name
// calls one; anything else declares one. The dialog refuses to declare a
// name that would read as an end or a call.
enum class ProcedureRole { Declaration, End, Call };
ProcedureRole ProcedureRowRole(const QString& params);

// A "Variable" row read: everything between the name and the kind (its last
// field) is the initial value, separators included.
struct VariableDeclaration {
    QString name;
    QString value;
    QString kind;
};
VariableDeclaration DeclarationOf(const QString& params, QChar separator);

// The value a field stands for: a declared Numerique/Alpha variable's value,
// else the text itself (the program's variable store, core/Variables.h).
QString GetVarValue(const QString& name);
// "Numerique", "Alpha", "Objet" or "No_Type", from the "Variable" rows of the list being run.
QString GetVarType(const QString& name);

}  // namespace mdlfnct
