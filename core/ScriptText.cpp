#include "core/ScriptText.h"

#include "core/MacroList.h"
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

}  // namespace

QString ScriptLiteral(ScriptLanguage language, const QString& value, bool numeric) {
    bool ok = false;
    const double d = numeric ? value.trimmed().toDouble(&ok) : 0;
    if (!ok || !std::isfinite(d)) return textLiteral(language, value);
    const QString n = QString::number(d, 'g', QLocale::FloatingPointShortest);
    return d < 0 ? u'(' + n + u')' : n;
}

QString SubstituteNames(const QString& expression, const ScriptNames& names) {
    ScriptNames longestFirst;
    for (const auto& n : names)
        if (!n.first.isEmpty()) longestFirst << n;
    std::stable_sort(longestFirst.begin(), longestFirst.end(),
                     [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    QString out;
    qsizetype i = 0;
    while (i < expression.size()) {
        const auto found = std::find_if(longestFirst.cbegin(), longestFirst.cend(), [&](const auto& n) {
            return QStringView(expression).mid(i).startsWith(n.first);
        });
        if (found == longestFirst.cend()) {
            out += expression[i++];
        } else {
            out += found->second;
            i += found->first.size();
        }
    }
    return out;
}

QString ScriptExpressionOf(const QString& params) {
    const TParamFields f = SplitFields(params, CarSepParam);
    return params.mid(f[1].size() + f[2].size() + 2);
}

QString ScriptTestExpression(TListView* list, const QString& params) {
    ScriptNames dummies;
    for (int r = 0; r < list->count(); ++r) {
        if (list->keyword(r) != u"Variable") continue;
        const TParamFields v = SplitFields(list->params(r), CarSepParam);
        dummies.append({v[1], v[3] == u"Numerique" ? QStringLiteral("1") : QStringLiteral("\"1\"")});
    }
    return SubstituteNames(SplitFields(params, CarSepParam)[3], dummies);
}
