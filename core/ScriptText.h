#pragma once
// The expression of a "ScriptEval" row and how the macro's variables enter
// it. Parameters: language; result variable; the expression, to the end of
// the string (separators included). Variable names in the expression stand
// for their values, which go in as literals of the language: a value can
// neither break the expression nor add code to it.
#include <QPair>
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

// Every occurrence of the names (case-sensitive) replaced by its literal, in
// one pass from the left: where two names start at the same place the longer
// one is taken, and a literal put in is never read again.
using ScriptNames = QVector<QPair<QString, QString>>;  // name, literal
QString SubstituteNames(const QString& expression, const ScriptNames& names);

// The expression of a row's parameter string (after the first two fields).
QString ScriptExpressionOf(const QString& params);

// The expression the test evaluation reads: field 3 alone, every variable the
// list declares standing for a dummy value, 1 (a text "1" unless "Numerique").
QString ScriptTestExpression(const TMacroDocument* list, const QString& params);
