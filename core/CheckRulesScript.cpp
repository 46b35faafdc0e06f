// Check rules of the script and plug-in commands. The check reads a script's
// syntax; its test evaluation runs apart from the scripts of the run.
#include "core/CheckRules.h"
#include "core/ScriptText.h"
#include "core/Services.h"
#include "core/MacroDocument.h"
#include "core/VBScript.h"

#include <QCoreApplication>
#include <QJSEngine>
#include <QPointer>

namespace Debug {

QString ScriptSyntaxError(const QString& language, const QString& expression) {
    if (ScriptLanguageOf(language) == ScriptLanguage::VBScript) {
        const std::optional<vbscript::Error> error = vbscript::SyntaxError(expression);
        return error ? error->description : QString();
    }
    // The Function constructor compiles its body without running it; the text
    // goes in as a value, so it cannot break out into code that would run.
    // One engine serves every check (making one takes long).
    static QPointer<QJSEngine> engine;
    if (!engine) engine = new QJSEngine(QCoreApplication::instance());
    engine->globalObject().setProperty(QStringLiteral("scriptText"), expression);
    const QJSValue compiled = engine->evaluate(QStringLiteral("new Function(scriptText)"));
    return compiled.isError() ? compiled.property(QStringLiteral("message")).toString() : QString();
}

bool CheckScriptEval(const TMacroDocument* list, const QString& params, int row, int source, TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    c.validate(c.declared(Command::ScriptEval, QStringLiteral("ScriptEval")));
    if (!c.ok) return false;
    // The whole expression, as the run reads it (separators included).
    if (!ScriptSyntaxError(c[1], ScriptTestExpression(list, ScriptLanguageOf(c[1]), ScriptExpressionOf(params)))
             .isEmpty())
        c.warning(QStringLiteral("L'expression du script comporte une erreur de syntaxe."));
    // The test evaluation: whatever it answers or fails with raises nothing here.
    try {
        Services().TestScriptExpression(list, row);
    } catch (const EScriptError&) {
    }
    return true;
}

bool CheckPluginCommand(const TMacroDocument* list, const QString& keyword, const QString& params, int row, int source,
                        TCheckReport& report) {
    RowCheck c(list, params, row, source, report);
    PluginCheck result;
    try {
        result = Services().CheckPluginRow(keyword, params);
    } catch (...) {
        result = {true, false, QString()};
    }
    if (!result.hasCheck) return c.ok;
    // A refusal always shows, also when the library gives no message.
    const QString message = result.message.isEmpty() && !result.ok
                                ? QStringLiteral("Le contrôle de la commande ") + keyword + QStringLiteral(" a échoué.")
                                : result.message;
    if (message.isEmpty()) return c.ok;
    if (result.ok)
        c.warning(message);
    else
        c.error(message);
    return c.ok;
}

}  // namespace Debug
