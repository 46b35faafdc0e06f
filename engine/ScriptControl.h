#pragma once
// The script engine of the program: JScript on one QJSEngine kept for the
// program's life (what a script defines stays for the next evaluation),
// VBScript on our own evaluator (core/VBScript.h). An evaluation that does not
// end within its bound is interrupted and fails.
#include "core/ScriptText.h"

#include <QPointer>
#include <QVariant>
#include <chrono>

class QJSEngine;
class TMacroDocument;
struct TRunContext;

using namespace std::chrono_literals;
inline constexpr std::chrono::milliseconds kRunBound = 5s;       // a "ScriptEval" row
inline constexpr std::chrono::milliseconds kPreviewBound = 200ms;  // the dialog's preview, the check

class TScriptControl {
public:
    TScriptControl();
    ~TScriptControl();
    TScriptControl(const TScriptControl&) = delete;
    TScriptControl& operator=(const TScriptControl&) = delete;

    // "JScript" or "VBScript" (any case); another name has no engine.
    QString Language = QStringLiteral("JScript");

    // Resets the script variable result (result="" in JScript; VBScript
    // keeps no variables).
    void Reset(std::chrono::milliseconds bound);
    // The value of the expression: a bool, else its text (empty for
    // undefined and null). Throws EScriptError when it fails.
    QVariant Eval(const QString& expression, std::chrono::milliseconds bound);

private:
    QVariant evalJScript(const QString& expression, std::chrono::milliseconds bound);
    QPointer<QJSEngine> js_;  // owned by the application object
};

// The engine of the runs and of the dialog's preview, made at the first call;
// null without an application object to own it.
TScriptControl* ScriptControl();

// A "ScriptEval" row's evaluation (parameters: language; result variable;
// expression): the variables of the list being run (of the main list too, in
// a sub-macro) stand for their values. A failure is the text of a run-time
// error and an invalid value.
QVariant MSScriptEval(TRunContext& ctx, const QString& params, QString* error);

// The test evaluation of a row for the checker: true when its field 3, with
// the dummy values of core/ScriptTestExpression, gives a Boolean. It runs in
// an engine of its own, so a check never changes what the run's scripts see.
// Throws EScriptError.
bool TestScriptExpression(const TMacroDocument* list, int row);
