// Check rules of the script and plug-in commands. A script is never run by a
// check: only its syntax is read.
#include "core/CheckRules.h"
#include "core/Services.h"
#include "core/Unit1.h"

#include <QJSEngine>

namespace Debug {

namespace {

// The expression as the test evaluation sees it: field 3 with every declared
// variable replaced by a dummy value ("1", quoted unless numeric).
QString dummyExpression(TListView* list, const QString& expression) {
    QString text = expression;
    for (int r = 0; r < list->count(); ++r) {
        if (list->keyword(r) != QLatin1String("Variable")) continue;
        const TParamFields v = TForm1::GetParam(list->params(r));
        if (v[1].isEmpty()) continue;
        text.replace(v[1], v[3] == QLatin1String("Numerique") ? QStringLiteral("1") : QStringLiteral("\"1\""));
    }
    return text;
}

// VBScript: strings closed ("" stands for one quote) and brackets balanced.
QString vbSyntaxError(const QString& expression) {
    bool inString = false;
    int depth = 0;
    for (QChar ch : expression) {
        if (ch == u'"') inString = !inString;
        if (inString) continue;
        if (ch == u'(') ++depth;
        if (ch == u')' && --depth < 0) return QStringLiteral("parenthèse fermante en trop");
    }
    if (inString) return QStringLiteral("chaîne non terminée");
    if (depth > 0) return QStringLiteral("parenthèse non fermée");
    return QString();
}

}  // namespace

QString ScriptSyntaxError(const QString& language, const QString& expression) {
    if (language == QLatin1String("VBScript")) return vbSyntaxError(expression);
    // The Function constructor compiles its body without running it; the text
    // goes in as a value, so it cannot break out into code that would run.
    QJSEngine engine;
    engine.globalObject().setProperty(QStringLiteral("scriptText"), expression);
    const QJSValue compiled = engine.evaluate(QStringLiteral("new Function(scriptText)"));
    return compiled.isError() ? compiled.property(QStringLiteral("message")).toString() : QString();
}

bool CheckScriptEval(TListView* list, const QString& params, int row, int source) {
    RowCheck c(list, params, row, source);
    TstructOrdre d(QStringLiteral("ScriptEval"), row);
    d.AddParam(c[1]).SetAllowedValues({QStringLiteral("JScript"), QStringLiteral("VBScript")});
    d.AddParam(c[2], kAlphaValue);
    d.AddParam(c[3]);
    c.validate(d);
    if (c.ok && !ScriptSyntaxError(c[1], dummyExpression(list, TForm1::GetParam(params)[3])).isEmpty())
        c.warning(QStringLiteral("L'expression du script comporte une erreur de syntaxe."));
    return c.ok;
}

bool CheckPluginCommand(TListView* list, const QString& keyword, const QString& params, int row, int source) {
    RowCheck c(list, params, row, source);
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
