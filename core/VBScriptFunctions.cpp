// The names an expression may use: the functions of every family and the
// constants of the language.
#include "core/VBScriptInternal.h"

#include <QHash>

namespace vbscript {

const Function* FindFunction(const QString& name) {
    for (std::span<const Function> family : {TextFunctions(), NumberFunctions(), DateFunctions(), FormatFunctions()})
        for (const Function& f : family)
            if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}

namespace {

struct Constant {
    const char* name;
    qint64 number;
};

// The numeric constants: Integers, and Longs where they do not fit.
constexpr Constant kNumbers[] = {
    {"vbFalse", 0}, {"vbTrue", -1}, {"vbUseDefault", -2},
    {"vbBinaryCompare", 0}, {"vbTextCompare", 1}, {"vbDatabaseCompare", 2},
    {"vbUseSystemDayOfWeek", 0}, {"vbSunday", 1}, {"vbMonday", 2}, {"vbTuesday", 3}, {"vbWednesday", 4},
    {"vbThursday", 5}, {"vbFriday", 6}, {"vbSaturday", 7},
    {"vbUseSystem", 0}, {"vbFirstJan1", 1}, {"vbFirstFourDays", 2}, {"vbFirstFullWeek", 3},
    {"vbGeneralDate", 0}, {"vbLongDate", 1}, {"vbShortDate", 2}, {"vbLongTime", 3}, {"vbShortTime", 4},
    {"vbEmpty", 0}, {"vbNull", 1}, {"vbInteger", 2}, {"vbLong", 3}, {"vbSingle", 4}, {"vbDouble", 5},
    {"vbCurrency", 6}, {"vbDate", 7}, {"vbString", 8}, {"vbObject", 9}, {"vbError", 10}, {"vbBoolean", 11},
    {"vbVariant", 12}, {"vbDataObject", 13}, {"vbDecimal", 14}, {"vbByte", 17}, {"vbArray", 8192},
    {"vbOKOnly", 0}, {"vbOKCancel", 1}, {"vbAbortRetryIgnore", 2}, {"vbYesNoCancel", 3}, {"vbYesNo", 4},
    {"vbRetryCancel", 5}, {"vbCritical", 16}, {"vbQuestion", 32}, {"vbExclamation", 48}, {"vbInformation", 64},
    {"vbDefaultButton1", 0}, {"vbDefaultButton2", 256}, {"vbDefaultButton3", 512}, {"vbDefaultButton4", 768},
    {"vbApplicationModal", 0}, {"vbSystemModal", 4096},
    {"vbOK", 1}, {"vbCancel", 2}, {"vbAbort", 3}, {"vbRetry", 4}, {"vbIgnore", 5}, {"vbYes", 6}, {"vbNo", 7},
    {"vbObjectError", -2147221504},
};

// Colours are Longs whatever their size.
constexpr Constant kColours[] = {
    {"vbBlack", 0},         {"vbRed", 0xFF},         {"vbGreen", 0xFF00}, {"vbYellow", 0xFFFF},
    {"vbBlue", 0xFF0000},   {"vbMagenta", 0xFF00FF}, {"vbCyan", 0xFFFF00}, {"vbWhite", 0xFFFFFF},
};

struct TextConstant {
    const char* name;
    const char16_t* text;
};
constexpr TextConstant kTexts[] = {
    {"vbCr", u"\r"}, {"vbLf", u"\n"}, {"vbCrLf", u"\r\n"}, {"vbNewLine", u"\r\n"}, {"vbTab", u"\t"},
    {"vbFormFeed", u"\f"}, {"vbVerticalTab", u"\v"}, {"vbNullString", u""},
};

QHash<QString, Value> constants() {
    QHash<QString, Value> all;
    for (const Constant& c : kNumbers) all.insert(QString::fromLatin1(c.name).toLower(), Value::integer(c.number));
    for (const Constant& c : kColours)
        all.insert(QString::fromLatin1(c.name).toLower(), Fit(Value::Long, double(c.number)));
    for (const TextConstant& c : kTexts)
        all.insert(QString::fromLatin1(c.name).toLower(), Value::string(QString::fromUtf16(c.text)));
    all.insert(QStringLiteral("vbnullchar"), Value::string(QString(QChar(0))));
    return all;
}

}  // namespace

std::optional<Value> FindConstant(const QString& name) {
    static const QHash<QString, Value> all = constants();
    const auto found = all.constFind(name.toLower());
    return found == all.constEnd() ? std::nullopt : std::optional<Value>(*found);
}

}  // namespace vbscript
