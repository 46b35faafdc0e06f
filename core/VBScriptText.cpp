// The text and array functions of the VBScript evaluator.
#include "core/VBScriptInternal.h"
#include "platform/Cp1252.h"

#include <algorithm>

namespace vbscript {

namespace {

// A count of characters: negative ones are refused.
qint32 count(const Value& v) {
    const qint32 n = ToLong(v);
    if (n < 0) Fail(InvalidCall);
    return n;
}

// The comparison an argument names: 0 binary (the default), 1 text (any case).
Qt::CaseSensitivity comparison(const Arguments& a, size_t at) {
    if (!Given(a, at)) return Qt::CaseSensitive;
    const qint32 mode = ToLong(a[at]);
    if (mode < 0 || mode > 2) Fail(InvalidCall);
    return mode == 0 ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

const std::vector<Value>& arrayOf(const Value& v) {
    if (v.type != Value::Array) Fail(TypeMismatch);
    return v.items;
}

Value len(const Arguments& a) { return Fit(Value::Long, double(TextOf(a[0]).size())); }
Value left(const Arguments& a) { return Value::string(TextOf(a[0]).left(count(a[1]))); }
Value right(const Arguments& a) { return Value::string(TextOf(a[0]).right(count(a[1]))); }

Value mid(const Arguments& a) {
    const qint32 start = ToLong(a[1]);
    if (start < 1) Fail(InvalidCall);
    return Value::string(TextOf(a[0]).mid(start - 1, Given(a, 2) ? count(a[2]) : -1));
}

// InStr([start,] text, searched[, compare]): the place from 1, 0 when absent.
Value inStr(const Arguments& a) {
    const bool withStart = a.size() > 2;
    const qint32 start = withStart ? ToLong(a[0]) : 1;
    if (start < 1) Fail(InvalidCall);
    const QString within = TextOf(a[withStart ? 1 : 0]);
    const QString searched = TextOf(a[withStart ? 2 : 1]);
    if (within.isEmpty() || start > within.size()) return Fit(Value::Long, 0);
    if (searched.isEmpty()) return Fit(Value::Long, start);
    return Fit(Value::Long, double(within.indexOf(searched, start - 1, comparison(a, 3)) + 1));
}

// InStrRev(text, searched[, start[, compare]]): searching back from start (-1: the end).
Value inStrRev(const Arguments& a) {
    const QString within = TextOf(a[0]);
    const QString searched = TextOf(a[1]);
    const qint32 start = Given(a, 2) ? ToLong(a[2]) : -1;
    if (start == 0 || start < -1) Fail(InvalidCall);
    const qsizetype from = start == -1 ? within.size() : start;
    if (from > within.size()) return Fit(Value::Long, 0);
    if (searched.isEmpty()) return Fit(Value::Long, double(from));
    if (searched.size() > from) return Fit(Value::Long, 0);
    return Fit(Value::Long, double(within.lastIndexOf(searched, from - searched.size(), comparison(a, 3)) + 1));
}

// Replace(text, find, with[, start[, count[, compare]]]): the text from start on,
// with at most count (-1: every) occurrences replaced.
Value replace(const Arguments& a) {
    const qint32 start = Given(a, 3) ? ToLong(a[3]) : 1;
    const qint32 most = Given(a, 4) ? ToLong(a[4]) : -1;
    if (start < 1 || most < -1) Fail(InvalidCall);
    const QString source = TextOf(a[0]).mid(start - 1);
    const QString find = TextOf(a[1]);
    const QString with = TextOf(a[2]);
    if (find.isEmpty()) return Value::string(source);
    const Qt::CaseSensitivity cs = comparison(a, 5);
    QString out;
    qsizetype from = 0;
    for (qint32 done = 0; most < 0 || done < most; ++done) {
        const qsizetype at = source.indexOf(find, from, cs);
        if (at < 0) break;
        out += QStringView(source).mid(from, at - from);
        out += with;
        from = at + find.size();
        Text(out);  // not beyond the longest text
    }
    out += QStringView(source).mid(from);
    return Text(out);
}

qsizetype firstNonSpace(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ') ++i;
    return i;
}
qsizetype endNonSpace(const QString& s) {
    qsizetype i = s.size();
    while (i > 0 && s[i - 1] == u' ') --i;
    return i;
}
Value lTrim(const Arguments& a) {
    const QString s = TextOf(a[0]);
    return Value::string(s.mid(firstNonSpace(s)));
}
Value rTrim(const Arguments& a) {
    const QString s = TextOf(a[0]);
    return Value::string(s.left(endNonSpace(s)));
}
Value trim(const Arguments& a) { return lTrim({rTrim(a)}); }
Value uCase(const Arguments& a) { return Value::string(TextOf(a[0]).toUpper()); }
Value lCase(const Arguments& a) { return Value::string(TextOf(a[0]).toLower()); }

Value space(const Arguments& a) { return Text(QString(count(a[0]), u' ')); }

// String(n, character): a code (taken modulo 256) or the first character of a text.
Value repeated(const Arguments& a) {
    const qint32 n = count(a[0]);
    QChar c;
    if (a[1].type == Value::String) {
        if (a[1].text.isEmpty()) Fail(InvalidCall);
        c = a[1].text[0];
    } else {
        c = platform::fromCp1252(QByteArray(1, char(((ToLong(a[1]) % 256) + 256) % 256)))[0];
    }
    return Text(QString(n, c));
}

Value strReverse(const Arguments& a) {
    QString s = TextOf(a[0]);
    std::reverse(s.begin(), s.end());
    return Value::string(s);
}

Value strComp(const Arguments& a) {
    const int c = TextOf(a[0]).compare(TextOf(a[1]), comparison(a, 2));
    return Fit(Value::Integer, (c > 0) - (c < 0));
}

// Characters by their Windows-1252 code (Asc, Chr) or their Unicode one (AscW, ChrW).
Value chr(const Arguments& a) {
    const qint32 code = ToLong(a[0]);
    if (code < 0 || code > 255) Fail(InvalidCall);
    return Value::string(platform::fromCp1252(QByteArray(1, char(code))));
}
Value chrW(const Arguments& a) {
    const qint32 code = ToLong(a[0]);
    if (code < -32768 || code > 65535) Fail(InvalidCall);
    return Value::string(QString(QChar(char16_t(code < 0 ? code + 65536 : code))));
}
QChar firstCharacter(const Value& v) {
    const QString s = TextOf(v);
    if (s.isEmpty()) Fail(InvalidCall);
    return s[0];
}
Value asc(const Arguments& a) { return Fit(Value::Integer, quint8(platform::toCp1252(firstCharacter(a[0])))); }
Value ascW(const Arguments& a) { return Fit(Value::Integer, qint16(firstCharacter(a[0]).unicode())); }

// Escape: letters, digits and @*_+-./ stay; other characters become %XX or %uXXXX.
Value escape(const Arguments& a) {
    QString out;
    for (QChar c : TextOf(a[0])) {
        const char16_t u = c.unicode();
        if ((u < 128 && QChar(u).isLetterOrNumber()) || QStringView(u"@*_+-./").contains(c))
            out += c;
        else if (u < 256)
            out += u'%' + QString::number(u, 16).toUpper().rightJustified(2, u'0');
        else
            out += QStringLiteral("%u") + QString::number(u, 16).toUpper().rightJustified(4, u'0');
    }
    return Text(out);
}

Value unescape(const Arguments& a) {
    const QString s = TextOf(a[0]);
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        bool ok = false;
        if (s[i] == u'%' && i + 5 < s.size() && s[i + 1] == u'u') {
            const ushort code = QStringView(s).mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 5;
                continue;
            }
        }
        if (s[i] == u'%' && i + 2 < s.size()) {
            const ushort code = QStringView(s).mid(i + 1, 2).toUShort(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 2;
                continue;
            }
        }
        out += s[i];
    }
    return Value::string(out);
}

Value array(const Arguments& a) {
    for (const Value& v : a)
        if (v.type == Value::Missing) Fail(SyntaxFault);
    return Value::array(a);
}

// UBound and LBound of the one dimension our arrays have.
void onlyDimension(const Arguments& a) {
    if (Given(a, 1) && ToLong(a[1]) != 1) Fail(SubscriptOutOfRange);
}
Value uBound(const Arguments& a) {
    const std::vector<Value>& items = arrayOf(a[0]);
    onlyDimension(a);
    return Fit(Value::Long, double(items.size()) - 1);
}
Value lBound(const Arguments& a) {
    arrayOf(a[0]);
    onlyDimension(a);
    return Fit(Value::Long, 0);
}

// Split(text[, delimiter[, count[, compare]]]): the pieces, at most count (-1: all).
Value split(const Arguments& a) {
    const QString s = TextOf(a[0]);
    const QString delimiter = Given(a, 1) ? TextOf(a[1]) : QStringLiteral(" ");
    const qint32 most = Given(a, 2) ? ToLong(a[2]) : -1;
    if (most < -1) Fail(InvalidCall);
    const Qt::CaseSensitivity cs = comparison(a, 3);
    std::vector<Value> items;
    if (s.isEmpty() || most == 0) return Value::array(items);
    qsizetype from = 0;
    while (!delimiter.isEmpty() && (most < 0 || qint64(items.size()) + 1 < most)) {
        const qsizetype at = s.indexOf(delimiter, from, cs);
        if (at < 0) break;
        items.push_back(Value::string(s.mid(from, at - from)));
        from = at + delimiter.size();
    }
    items.push_back(Value::string(s.mid(from)));
    return Value::array(std::move(items));
}

Value join(const Arguments& a) {
    const QString delimiter = Given(a, 1) ? TextOf(a[1]) : QStringLiteral(" ");
    QString out;
    bool first = true;
    for (const Value& v : arrayOf(a[0])) {
        if (!first) out += delimiter;
        out += ToText(v);
        first = false;
        Text(out);  // not beyond the longest text
    }
    return Value::string(out);
}

// Filter(texts, value[, include[, compare]]): the texts that hold value (or do not).
Value filter(const Arguments& a) {
    const QString value = TextOf(a[1]);
    const bool include = !Given(a, 2) || ToBoolean(a[2]);
    const Qt::CaseSensitivity cs = comparison(a, 3);
    std::vector<Value> items;
    for (const Value& v : arrayOf(a[0]))
        if (TextOf(v).contains(value, cs) == include) items.push_back(Value::string(TextOf(v)));
    return Value::array(std::move(items));
}

constexpr Function kFunctions[] = {
    {"Len", 1, 1, len, true},
    {"Left", 2, 2, left, true},
    {"Right", 2, 2, right, true},
    {"Mid", 2, 3, mid, true},
    {"InStr", 2, 4, inStr, true},
    {"InStrRev", 2, 4, inStrRev, true},
    {"Replace", 3, 6, replace},
    {"UCase", 1, 1, uCase, true},
    {"LCase", 1, 1, lCase, true},
    {"Trim", 1, 1, trim, true},
    {"LTrim", 1, 1, lTrim, true},
    {"RTrim", 1, 1, rTrim, true},
    {"Space", 1, 1, space},
    {"String", 2, 2, repeated, true},
    {"StrReverse", 1, 1, strReverse},
    {"StrComp", 2, 3, strComp, true},
    {"Chr", 1, 1, chr},
    {"ChrW", 1, 1, chrW},
    {"Asc", 1, 1, asc},
    {"AscW", 1, 1, ascW},
    {"Escape", 1, 1, escape, true},
    {"Unescape", 1, 1, unescape, true},
    {"Array", 0, 1024, array},
    {"UBound", 1, 2, uBound},
    {"LBound", 1, 2, lBound},
    {"Split", 1, 4, split},
    {"Join", 1, 2, join},
    {"Filter", 2, 4, filter},
};

}  // namespace

std::span<const Function> TextFunctions() { return kFunctions; }

}  // namespace vbscript
