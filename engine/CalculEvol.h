#pragma once
// The "Calcul évolué" expressions: "target = a + b * c ...", at most 30
// elements, checked by its dialog and evaluated by the run-time command.
#include <QString>
#include <QStringList>

#include "engine/RunContext.h"

class TVariables;

// What an expression gives.
struct TCalculEvol {
    QString Message;      // checking: the first problem, empty when none
    QString Result;       // the value it gives (checking: or a warning)
    QString Kind;         // the target's kind
    CommandResult Error;  // executing: the run-time error that stopped it
};
// Checks (execute false) or evaluates and stores (execute true) an
// expression; variables stand for their current values when executing, for
// their declared ones when checking.
TCalculEvol TestCalculEvol(TVariables& vars, const QString& expression, bool execute);
// The initial value the last "Variable" row of doc declaring name gives it; the name itself when none.
QString GetValueVar(const TMacroDocument* doc, const QString& name);
// Removes the empty elements, closing up the rest.
void DeleteEmptyElements(QStringList& elements);
