#include "core/ScriptText.h"

#include "core/Helpers.h"
#include "core/MacroDocument.h"
#include "core/Params.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

ScriptLanguage ScriptLanguageOf(const QString& name) {
    if (name.compare(u"JScript", Qt::CaseInsensitive) == 0) return ScriptLanguage::JScript;
    if (name.compare(u"VBScript", Qt::CaseInsensitive) == 0) return ScriptLanguage::VBScript;
    return ScriptLanguage::Unknown;
}

namespace {

QString textLiteral(ScriptLanguage language, const QString& value) {
    QString out = QStringLiteral("\"");
    for (QChar c : value) {
        if (language != ScriptLanguage::JScript) {
            out += c == u'"' ? QStringLiteral("\"\"") : QString(c);  // "" is one quote
            continue;
        }
        switch (c.unicode()) {
            case u'"': out += QStringLiteral("\\\""); break;
            case u'\\': out += QStringLiteral("\\\\"); break;
            case u'\n': out += QStringLiteral("\\n"); break;
            case u'\r': out += QStringLiteral("\\r"); break;
            default:
                if (c.unicode() < 0x20 || c == QChar(0x2028) || c == QChar(0x2029))
                    out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
                else
                    out += c;
        }
    }
    return out + u'"';
}

bool isWordCharacter(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

// The name stands whole at `at`: a word character at either end of the name
// is not joined to another one of the expression.
bool standsWhole(const QString& expression, qsizetype at, const QString& name) {
    if (!QStringView(expression).mid(at).startsWith(name)) return false;
    const qsizetype end = at + name.size();
    const bool joinedBefore = at > 0 && isWordCharacter(name.front()) && isWordCharacter(expression[at - 1]);
    const bool joinedAfter = end < expression.size() && isWordCharacter(name.back()) && isWordCharacter(expression[end]);
    return !joinedBefore && !joinedAfter;
}

}  // namespace

QString ScriptLiteral(ScriptLanguage language, const QString& value, bool numeric) {
    bool ok = false;
    const double d = numeric ? value.trimmed().toDouble(&ok) : 0;
    if (!ok || !std::isfinite(d)) return textLiteral(language, value);
    const QString n = QString::number(d, 'g', QLocale::FloatingPointShortest);
    return d < 0 ? u'(' + n + u')' : n;
}

ScriptVariables DeclaredScriptVariables(const TMacroDocument* list) {
    ScriptVariables out;
    QStringList seen;
    for (const MacroCommand& c : list->rows()) {
        if (c.keyword != u"Variable") continue;
        const mdlfnct::VariableDeclaration d = mdlfnct::DeclarationOf(c.params, ParamSeparator());
        if (seen.contains(d.name)) continue;
        seen << d.name;
        if (d.kind == u"Alpha" || d.kind == u"Numerique") out.append({d.name, d.value, d.kind == u"Numerique"});
    }
    return out;
}

QString SubstituteVariables(ScriptLanguage language, const QString& expression, const ScriptVariables& variables) {
    ScriptVariables longestFirst;
    for (const ScriptVariable& v : variables)
        if (!v.name.isEmpty()) longestFirst << v;
    std::stable_sort(longestFirst.begin(), longestFirst.end(),
                     [](const auto& a, const auto& b) { return a.name.size() > b.name.size(); });
    QString out;
    qsizetype i = 0;
    while (i < expression.size()) {
        const auto found = std::find_if(longestFirst.cbegin(), longestFirst.cend(),
                                        [&](const ScriptVariable& v) { return standsWhole(expression, i, v.name); });
        if (found == longestFirst.cend()) {
            out += expression[i++];
        } else {
            out += ScriptLiteral(language, found->value, found->numeric);
            i += found->name.size();
        }
    }
    return out;
}

QString ScriptExpressionOf(const QString& params) {
    const TParamFields f = SplitFields(params, ParamSeparator());
    return params.mid(f[1].size() + f[2].size() + 2);
}

QString ScriptTestExpression(const TMacroDocument* list, ScriptLanguage language, const QString& expression) {
    ScriptVariables dummies = DeclaredScriptVariables(list);
    for (ScriptVariable& v : dummies) v.value = QStringLiteral("1");
    return SubstituteVariables(language, expression, dummies);
}
