#pragma once
// The "Calcul évolué" expressions: "target = a + b * c ...", at most 30
// elements, checked by its dialog and evaluated by the run-time command.
#include <QString>
#include <QStringList>

// Checks (execute false) or evaluates and stores (execute true) an
// expression. message gets the first problem, empty when none; checking
// leaves the value it would give (or a warning) in CalculResult and the
// target's kind in CalculKind.
void TestCalculEvol(const QString& expression, bool execute, QString& message);
extern QString CalculResult;
extern QString CalculKind;
// The initial value the last "Variable" row declaring name gives it; the name itself when none.
QString GetValueVar(const QString& name);
// Removes the empty elements, closing up the rest.
void DeleteEmptyElements(QStringList& elements);
