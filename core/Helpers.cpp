#include "core/Helpers.h"

#include "core/MacroDocument.h"
#include "core/Variables.h"

#include <QRegularExpression>

namespace mdlfnct {

bool LineHasParam(int row, const QString& text, const TMacroDocument& list, QChar separator) {
    if (!list.hasRow(row)) return false;
    const TParamFields f = SplitFields(list.params(row), separator, SplitRule::Runner);
    for (int i = 1; i < f.Count && i <= 20; ++i)
        if (f[i] == text) return true;
    return false;
}

int CountCommandsWithParam(const QString& keyword, const QString& text, const TMacroDocument& list, QChar separator) {
    int count = 0;
    for (int r = 0; r < list.count(); ++r)
        if (list.keyword(r) == keyword && LineHasParam(r, text, list, separator)) ++count;
    return count;
}

TStrArray SplitString(const QString& text, const QString& delimiter) {
    TStrArray out{QString()};
    for (const QChar c : text) {
        if (delimiter.size() == 1 && c == delimiter[0])
            out << QString();
        else
            out.last() += c;
    }
    if (out.size() == 1 && out[0].isEmpty()) out.clear();
    return out;
}

namespace {
// The standard integer conversion: leading blanks, an optional sign, then
// decimal digits or hexadecimal digits after "$" or "0x"; nothing after.
// Hexadecimal values up to $FFFFFFFF wrap to 32 bits like the classic
// conversion; decimal ones must fit.
bool convertInteger(const QString& text, qint32* value) {
    if (text.isEmpty() || text[0] == u'x' || text[0] == u'X') return false;
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    int base = 10;
    if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) return false;
    quint64 v = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const int d = c >= u'0' && c <= u'9'   ? c - u'0'
                      : c >= u'a' && c <= u'f' ? c - u'a' + 10
                      : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                               : 99;
        if (d >= base) return false;
        v = v * base + d;
        if (v > 0xFFFFFFFFull) return false;
    }
    if (base == 10 && v > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return false;
    const qint32 magnitude = qint32(quint32(v));
    if (value) *value = negative ? qint32(0u - quint32(magnitude)) : magnitude;
    return true;
}
}  // namespace

bool IsInteger(const QString& text) { return convertInteger(text, nullptr); }

bool IsFloat(const QString& text) {
    if (text.isEmpty() || text[0] == u'x' || text[0] == u'X') return false;
    static const QRegularExpression number(QStringLiteral("^ *[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    return number.match(text).hasMatch();
}

int StrToIntOrZero(const QString& text) {
    qint32 v = 0;
    return convertInteger(text, &v) ? v : 0;
}

bool IsValidDate(const QString& text) {
    if (text.size() != 8) return false;
    const QString day = text.mid(0, 2), month = text.mid(3, 2), year = text.mid(6, 2);
    if (!IsInteger(day) || !IsInteger(month) || !IsInteger(year)) return false;
    const int d = StrToIntOrZero(day), m = StrToIntOrZero(month);
    return d >= 0 && d <= 31 && m >= 0 && m <= 12;
}

// File names and folders follow the Linux rules of the classic checks:
// "/" separates folders, and the absolute root "/" stands where a drive
// letter ("C:") or a network prefix ("\\server\share") stood, so a name or
// a folder must be absolute. The backslash takes the place of the forbidden
// forward slash.
bool IsValidFileName(const QString& name) {
    for (const QChar c : name)
        if (QStringView(u"\\*?\"<>|").contains(c)) return false;
    if (!name.startsWith(u'/')) return false;  // no "drive" part
    const qsizetype slash = name.lastIndexOf(u'/');
    const QString folder = name.left(slash + 1);  // "/" at least
    const QString file = name.mid(slash + 1);
    const qsizetype dot = file.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : file.mid(dot);
    return !folder.isEmpty() && !file.isEmpty() && !extension.isEmpty();
}

bool TimeValide(const QString& text) {
    return text.size() == 8 && text[2] == u':' && text[5] == u':' && IsInteger(text.mid(0, 2)) &&
           IsInteger(text.mid(3, 2)) && IsInteger(text.mid(6, 2));
}

bool IsValidPath(const QString& path) {
    if (!path.startsWith(u'/')) return false;  // the root stands for the drive
    for (qsizetype i = 1; i < path.size(); ++i)
        if (QStringView(u"\"*.\\:<?|").contains(path[i])) return false;
    return true;
}

ProcedureRole ProcedureRowRole(const QString& params) {
    if (params.startsWith(u"END")) return ProcedureRole::End;
    if (params.startsWith(u"CALL ")) return ProcedureRole::Call;
    return ProcedureRole::Declaration;
}

VariableDeclaration DeclarationOf(const QString& params, QChar separator) {
    const TParamFields f = SplitFields(params, separator, SplitRule::Runner);
    const QString& kind = f[qBound(1, f.Count - 1, 20)];
    const qsizetype length = params.size() - f[1].size() - kind.size() - 3;
    return {f[1], params.mid(f[1].size() + 1, qMax<qsizetype>(0, length)), kind};
}

QString GetVarType(const QString& name) { return Variables().KindOf(name); }

QString GetVarValue(const QString& name) { return Variables().ValueOf(name); }

}  // namespace mdlfnct
