#pragma once
// The expression of a "ScriptEval" row and how the macro's variables enter
// it. Parameters: language; result variable; the expression, to the end of
// the string (separators included). Variable names in the expression stand
// for their values, which go in as literals of the language: a value can
// neither break the expression nor add code to it.
#include <QString>
#include <QVector>

class TMacroDocument;

// A script that failed: the engine's description and number.
struct EScriptError {
    QString Description;
    int Number = 0;
};

enum class ScriptLanguage { JScript, VBScript, Unknown };
// "JScript" or "VBScript", in any case.
ScriptLanguage ScriptLanguageOf(const QString& name);

// A value as a literal: a number as a number (a negative one in brackets), a
// text in double quotes with its quotes (and for JScript its backslashes and
// line ends) escaped.
QString ScriptLiteral(ScriptLanguage language, const QString& value, bool numeric);

// A variable of the macro as an expression sees it.
struct ScriptVariable {
    QString name;
    QString value;
    bool numeric = false;  // "Numerique"; else "Alpha"
};
using ScriptVariables = QVector<ScriptVariable>;

// The "Alpha" and "Numerique" variables the list declares (the first
// declaration of each name), with their initial values.
ScriptVariables DeclaredScriptVariables(const TMacroDocument* list);

// The expression with each variable's name replaced by its value as a
// literal, where the name stands whole: no letter, digit or underscore just
// before or after it ("x" is not replaced in "max" nor in "x_1"). One pass from
// the left: where two names start at the same place the longer one is taken,
// and a literal put in is never read again. The run, the dialog's preview and
// the checker all substitute through it.
QString SubstituteVariables(ScriptLanguage language, const QString& expression, const ScriptVariables& variables);

// The expression of a row's parameter string (after the first two fields).
QString ScriptExpressionOf(const QString& params);

// What the checker reads of an expression: every variable the list declares
// standing for a dummy value, 1 (a text "1" unless "Numerique").
QString ScriptTestExpression(const TMacroDocument* list, ScriptLanguage language, const QString& expression);
