// Our VBScript expression evaluator against the language's own values: every
// expression below gives in VBScript the text and the subtype (TypeName) shown,
// or the error of that number. Numbers are written with "." and dates as
// dd/mm/yyyy, the names of days and months are French.
#include "core/VBScript.h"

#include "tests/support/TestSupport.h"

#include <QDate>

namespace {

struct Case {
    const char* expression;
    const char* text;          // the value as a text; "#13" for an error number
    const char* type = "String";  // its TypeName
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.expression; }

QString evaluate(const QString& expression) {
    vbscript::Value v;
    if (std::optional<vbscript::Error> error = vbscript::Evaluate(expression, v))
        return u'#' + QString::number(error->number);
    return vbscript::ToText(v);
}

class VBScriptCases : public ::testing::TestWithParam<Case> {};

TEST_P(VBScriptCases, GiveTheLanguagesValue) {
    const Case& c = GetParam();
    const QString expression = QString::fromUtf8(c.expression);
    EXPECT_EQ(evaluate(expression), QString::fromUtf8(c.text)) << c.expression;
    if (c.text[0] != '#') EXPECT_EQ(evaluate("TypeName(" + expression + ")"), QString::fromUtf8(c.type)) << c.expression;
}

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, VBScriptCases,
    ::testing::Values(
        Case{"1+1", "2", "Integer"}, Case{"2+3*4", "14", "Integer"}, Case{"(2+3)*4", "20", "Integer"},
        Case{"-2^2", "-4", "Double"}, Case{"2^-1", "0.5", "Double"}, Case{"2^3^2", "64", "Double"},
        Case{"7/2", "3.5", "Double"}, Case{"6/2", "3", "Double"}, Case{"1/3", "0.333333333333333", "Double"},
        Case{"7\\2", "3", "Integer"}, Case{"-7\\2", "-3", "Integer"}, Case{"5.5\\2", "3", "Long"},
        Case{"7 Mod 3", "1", "Integer"}, Case{"-7 mod 3", "-1", "Integer"}, Case{"10 - 4 - 3", "3", "Integer"},
        Case{"2 * 3 Mod 4", "2", "Integer"}, Case{"8 \\ 2 * 2", "2", "Integer"},
        Case{"32767 + 1", "32768", "Long"}, Case{"2147483647+1", "2147483648", "Double"},
        Case{"40000", "40000", "Long"}, Case{"0.1+0.2", "0.3", "Double"}, Case{"1.5e3", "1500", "Double"},
        Case{"1e20", "1E+20", "Double"}, Case{"1.5E-7", "1.5E-07", "Double"}, Case{"&HFF", "255", "Integer"},
        Case{"&HFFFF", "-1", "Integer"}, Case{"&H10000", "65536", "Long"}, Case{"&O17", "15", "Integer"},
        Case{"Empty + 1", "1", "Integer"}, Case{"True + True", "-2", "Integer"}, Case{"-Empty", "0", "Integer"},
        Case{"Null + 1", "", "Null"}, Case{"CByte(200) + CByte(100)", "300", "Integer"},
        Case{"CSng(1.5) * 2", "3", "Single"}, Case{"CCur(1.5) * 2", "3", "Currency"}));

INSTANTIATE_TEST_SUITE_P(
    TextsAndLogic, VBScriptCases,
    ::testing::Values(
        Case{"\"a\" & 1", "a1"}, Case{"\"a\" + \"b\"", "ab"}, Case{"\"1\" + 2", "3", "Double"},
        Case{"\"1\" & 2", "12"}, Case{"1 & 2 + 3", "15"}, Case{"\"x\" & True", "xTrue"}, Case{"\"x\" & Null", "x"},
        Case{"\"x\" & 1.5", "x1.5"}, Case{"\"say \"\"hi\"\"\"", "say \"hi\""}, Case{"\"a\" & vbTab & \"b\"", "a\tb"},
        Case{"1<2", "True", "Boolean"}, Case{"2<=1", "False", "Boolean"}, Case{"\"a\" < \"b\"", "True", "Boolean"},
        Case{"\"A\" = \"a\"", "False", "Boolean"}, Case{"\"5\" > 3", "True", "Boolean"},
        Case{"\"abc\" > 3", "True", "Boolean"}, Case{"1 <> 1", "False", "Boolean"}, Case{"1 = 1.0", "True", "Boolean"},
        Case{"Not 1 = 2", "True", "Boolean"}, Case{"1<2 And 3>4", "False", "Boolean"},
        Case{"1<2 Or 3>4", "True", "Boolean"}, Case{"True Xor True", "False", "Boolean"},
        Case{"True Eqv False", "False", "Boolean"}, Case{"False Imp True", "True", "Boolean"},
        Case{"1 = 1 And Not 2 = 3", "True", "Boolean"}, Case{"5 And 3", "1", "Integer"}, Case{"5 Or 3", "7", "Integer"},
        Case{"Not 0", "-1", "Integer"}, Case{"Not True", "False", "Boolean"}, Case{"true", "True", "Boolean"},
        Case{"TRUE AND false", "False", "Boolean"}, Case{"Null = 1", "", "Null"},
        Case{"Null And False", "False", "Boolean"}, Case{"Null Or True", "True", "Boolean"},
        Case{"Null And True", "", "Null"}, Case{"#2024-01-31# > \"30/01/2024\"", "True", "Boolean"}));

INSTANTIATE_TEST_SUITE_P(
    TextFunctions, VBScriptCases,
    ::testing::Values(
        Case{"Len(\"abcd\")", "4", "Long"}, Case{"Len(12345)", "5", "Long"}, Case{"Len(Null)", "", "Null"},
        Case{"Left(\"abcd\", 2)", "ab"}, Case{"Right(\"abcd\", 3)", "bcd"}, Case{"Mid(\"abcdef\", 2, 3)", "bcd"},
        Case{"Mid(\"abcdef\", 4)", "def"}, Case{"Mid(\"ab\", 5)", ""}, Case{"InStr(\"abcabc\", \"c\")", "3", "Long"},
        Case{"InStr(4, \"abcabc\", \"c\")", "6", "Long"}, Case{"InStr(\"abc\", \"z\")", "0", "Long"},
        Case{"InStr(1, \"ABC\", \"b\", vbTextCompare)", "2", "Long"}, Case{"InStrRev(\"abcabc\", \"b\")", "5", "Long"},
        Case{"InStrRev(\"abcabc\", \"b\", 4)", "2", "Long"}, Case{"Replace(\"a-b-c\", \"-\", \"+\")", "a+b+c"},
        Case{"Replace(\"a-b-c\", \"-\", \"\", 1, 1)", "ab-c"}, Case{"Replace(\"a-b-c\", \"-\", \"+\", 3)", "b+c"},
        Case{"Replace(\"ABab\", \"a\", \"x\", 1, -1, 1)", "xBxb"}, Case{"UCase(\"été\")", "ÉTÉ"},
        Case{"LCase(\"AbC\")", "abc"}, Case{"Trim(\"  a b  \") & \"|\"", "a b|"}, Case{"LTrim(\"  a \") & \"|\"", "a |"},
        Case{"RTrim(\"  a \") & \"|\"", "  a|"}, Case{"Space(3) & \"|\"", "   |"}, Case{"String(3, \"ab\")", "aaa"},
        Case{"String(2, 65)", "AA"}, Case{"StrReverse(\"abc\")", "cba"}, Case{"StrComp(\"a\", \"B\")", "1", "Integer"},
        Case{"StrComp(\"a\", \"B\", 1)", "-1", "Integer"}, Case{"StrComp(\"abc\", \"abc\")", "0", "Integer"},
        Case{"Chr(65) & Chr(128)", "A€"}, Case{"ChrW(8364)", "€"}, Case{"Asc(\"€\")", "128", "Integer"},
        Case{"AscW(\"€\")", "8364", "Integer"}, Case{"Asc(\"A\")", "65", "Integer"}, Case{"Len(vbCrLf)", "2", "Long"},
        Case{"Split(\"a,b,c\", \",\")(1)", "b"}, Case{"UBound(Split(\"a,b,c\", \",\"))", "2", "Long"},
        Case{"UBound(Split(\"\"))", "-1", "Long"}, Case{"Join(Split(\"a b c\"), \"-\")", "a-b-c"},
        Case{"Join(Split(\"a,b,c\", \",\", 2), \"|\")", "a|b,c"}, Case{"Join(Array(1, 2, 3), \"+\")", "1+2+3"},
        Case{"Join(Filter(Array(\"ab\", \"cd\", \"ba\"), \"a\"), \",\")", "ab,ba"}, Case{"Array(1, 2)", "", "Variant()"},
        Case{"Escape(\"a b&c\")", "a%20b%26c"}, Case{"Unescape(\"a%20b%u20AC\")", "a b€"}));

INSTANTIATE_TEST_SUITE_P(
    Conversions, VBScriptCases,
    ::testing::Values(
        Case{"CStr(12)", "12"}, Case{"CStr(1.5)", "1.5"}, Case{"CStr(True)", "True"}, Case{"CInt(\"2.5\")", "2", "Integer"},
        Case{"CInt(3.5)", "4", "Integer"}, Case{"CInt(-2.5)", "-2", "Integer"}, Case{"CLng(\"-7\")", "-7", "Long"},
        Case{"CDbl(\"1.25\")", "1.25", "Double"}, Case{"CBool(\"true\")", "True", "Boolean"},
        Case{"CBool(0)", "False", "Boolean"}, Case{"CBool(5)", "True", "Boolean"}, Case{"CByte(255)", "255", "Byte"},
        Case{"CCur(1.23456)", "1.2346", "Currency"}, Case{"CSng(1/3)", "0.3333333", "Single"},
        Case{"CDate(\"31/01/2024\")", "31/01/2024", "Date"}, Case{"CDate(45322)", "31/01/2024", "Date"},
        Case{"CDate(\"14:05\")", "14:05:00", "Date"}));

INSTANTIATE_TEST_SUITE_P(
    Mathematics, VBScriptCases,
    ::testing::Values(
        Case{"Abs(-3)", "3", "Integer"}, Case{"Abs(-2.5)", "2.5", "Double"}, Case{"Abs(\"-4\")", "4", "Double"},
        Case{"Sgn(-5)", "-1", "Integer"}, Case{"Sgn(0)", "0", "Integer"}, Case{"Sgn(3.2)", "1", "Integer"},
        Case{"Int(-2.5)", "-3", "Double"}, Case{"Fix(-2.5)", "-2", "Double"}, Case{"Int(7.9)", "7", "Double"},
        Case{"Int(7)", "7", "Integer"}, Case{"Round(2.5)", "2", "Double"}, Case{"Round(3.5)", "4", "Double"},
        Case{"Round(-2.5)", "-2", "Double"}, Case{"Round(3.14159, 2)", "3.14", "Double"}, Case{"Sqr(16)", "4", "Double"},
        Case{"Exp(0)", "1", "Double"}, Case{"Exp(1)", "2.71828182845905", "Double"}, Case{"Log(1)", "0", "Double"},
        Case{"Log(Exp(2))", "2", "Double"}, Case{"Sin(0)", "0", "Double"}, Case{"Cos(0)", "1", "Double"},
        Case{"Tan(0)", "0", "Double"}, Case{"Atn(1) * 4", "3.14159265358979", "Double"},
        Case{"Rnd(-1)", "0.224007", "Single"}, Case{"Hex(255)", "FF"}, Case{"Hex(-1)", "FFFF"},
        Case{"Hex(65536)", "10000"}, Case{"Hex(CLng(-1))", "FFFFFFFF"}, Case{"Oct(8)", "10"}, Case{"Oct(-1)", "177777"},
        Case{"RGB(255, 0, 0)", "255", "Long"}, Case{"RGB(0, 0, 255)", "16711680", "Long"}));

INSTANTIATE_TEST_SUITE_P(
    Dates, VBScriptCases,
    ::testing::Values(
        Case{"#2024-01-31#", "31/01/2024", "Date"}, Case{"#1/31/2024#", "31/01/2024", "Date"},
        Case{"#2024-01-31 14:05:09#", "31/01/2024 14:05:09", "Date"}, Case{"#2:05 PM#", "14:05:00", "Date"},
        Case{"Year(#2024-01-31#)", "2024", "Integer"}, Case{"Month(#1/31/2024#)", "1", "Integer"},
        Case{"Day(\"31/01/2024\")", "31", "Integer"}, Case{"Day(\"2024-12-25\")", "25", "Integer"},
        Case{"Hour(\"25/12/2024 08:30:15\")", "8", "Integer"}, Case{"Minute(\"08:30:15\")", "30", "Integer"},
        Case{"Second(\"08:30:15\")", "15", "Integer"}, Case{"Year(\"31 janvier 2024\")", "2024", "Integer"},
        Case{"Weekday(#2024-01-31#)", "4", "Integer"}, Case{"Weekday(#2024-01-31#, vbMonday)", "3", "Integer"},
        Case{"WeekdayName(4)", "mercredi"}, Case{"WeekdayName(1, True)", "dim."},
        Case{"WeekdayName(1, False, vbMonday)", "lundi"}, Case{"MonthName(1)", "janvier"},
        Case{"MonthName(2, True)", "févr."}, Case{"DateSerial(2024, 2, 30)", "01/03/2024", "Date"},
        Case{"DateSerial(2024, 13, 1)", "01/01/2025", "Date"}, Case{"DateSerial(2024, 3, 0)", "29/02/2024", "Date"},
        Case{"DateSerial(24, 1, 1)", "01/01/2024", "Date"}, Case{"TimeSerial(14, 5, 9)", "14:05:09", "Date"},
        Case{"TimeSerial(10, 90, 0)", "11:30:00", "Date"},
        Case{"DateAdd(\"d\", 7, \"25/12/2024\")", "01/01/2025", "Date"},
        Case{"DateAdd(\"m\", 1, #2024-01-31#)", "29/02/2024", "Date"},
        Case{"DateAdd(\"h\", 20, \"25/12/2024 08:00:00\")", "26/12/2024 04:00:00", "Date"},
        Case{"DateAdd(\"yyyy\", -1, \"29/02/2024\")", "28/02/2023", "Date"},
        Case{"DateAdd(\"ww\", 2, #2024-01-31#)", "14/02/2024", "Date"},
        Case{"DateDiff(\"d\", #2024-01-01#, #2024-12-31#)", "365", "Long"},
        Case{"DateDiff(\"d\", #2024-01-31#, #2024-01-01#)", "-30", "Long"},
        Case{"DateDiff(\"m\", #2024-01-31#, #2024-02-01#)", "1", "Long"},
        Case{"DateDiff(\"yyyy\", #2023-12-31#, #2024-01-01#)", "1", "Long"},
        Case{"DateDiff(\"h\", #2024-01-01 10:59#, #2024-01-01 11:00#)", "1", "Long"},
        Case{"DateDiff(\"n\", \"10:00\", \"11:30\")", "90", "Long"},
        Case{"DateDiff(\"s\", \"10:00:00\", \"10:01:01\")", "61", "Long"},
        Case{"DateDiff(\"w\", #2024-01-01#, #2024-01-31#)", "4", "Long"},
        Case{"DateDiff(\"ww\", #2024-01-01#, #2024-01-31#)", "4", "Long"},
        Case{"DatePart(\"q\", #2024-08-15#)", "3", "Integer"}, Case{"DatePart(\"y\", #2024-03-01#)", "61", "Integer"},
        Case{"DatePart(\"ww\", #2024-01-31#)", "5", "Integer"},
        Case{"DatePart(\"ww\", #2024-12-30#, vbMonday, vbFirstFourDays)", "53", "Integer"},
        Case{"DateValue(\"31/01/2024 14:05\")", "31/01/2024", "Date"},
        Case{"TimeValue(\"31/01/2024 14:05\")", "14:05:00", "Date"},
        Case{"#2024-03-01# - #2024-02-01#", "29", "Double"}, Case{"#2024-01-31# + 1", "01/02/2024", "Date"},
        Case{"IsDate(\"29/02/2024\")", "True", "Boolean"}, Case{"IsDate(\"31/02/2024\")", "False", "Boolean"},
        Case{"IsDate(\"abc\")", "False", "Boolean"}, Case{"IsDate(#2024-01-31#)", "True", "Boolean"},
        Case{"IsDate(12)", "False", "Boolean"}));

INSTANTIATE_TEST_SUITE_P(
    Formatting, VBScriptCases,
    ::testing::Values(
        Case{"FormatNumber(1234.567, 2)", "1,234.57"}, Case{"FormatNumber(1234.5)", "1,234.50"},
        Case{"FormatNumber(2.5, 0)", "3"}, Case{"FormatNumber(1.005, 2)", "1.01"},
        Case{"FormatNumber(-1234.5, 1)", "-1,234.5"}, Case{"FormatNumber(-1234.5, 1, , True)", "(1,234.5)"},
        Case{"FormatNumber(0.25, 2, False)", ".25"}, Case{"FormatNumber(1234567, 0, , , False)", "1234567"},
        Case{"FormatNumber(-0.001, 2)", "0.00"}, Case{"FormatPercent(0.256)", "25.60%"},
        Case{"FormatPercent(0.5, 0)", "50%"}, Case{"FormatCurrency(1234.5)", "1,234.50 €"},
        Case{"FormatDateTime(#2024-01-31 14:05:09#)", "31/01/2024 14:05:09"},
        Case{"FormatDateTime(#2024-01-31 14:05:09#, vbLongDate)", "mercredi 31 janvier 2024"},
        Case{"FormatDateTime(#2024-01-31 14:05:09#, vbShortDate)", "31/01/2024"},
        Case{"FormatDateTime(#2024-01-31 14:05:09#, vbLongTime)", "14:05:09"},
        Case{"FormatDateTime(#2024-01-31 14:05:09#, vbShortTime)", "14:05"}));

INSTANTIATE_TEST_SUITE_P(
    TestsOfValues, VBScriptCases,
    ::testing::Values(
        Case{"IsNumeric(\"12.5\")", "True", "Boolean"}, Case{"IsNumeric(\"abc\")", "False", "Boolean"},
        Case{"IsNumeric(\"\")", "False", "Boolean"}, Case{"IsNumeric(\" 42 \")", "True", "Boolean"},
        Case{"IsNumeric(\"&HFF\")", "True", "Boolean"}, Case{"IsNumeric(Empty)", "True", "Boolean"},
        Case{"IsNumeric(Null)", "False", "Boolean"}, Case{"IsNumeric(#2024-01-31#)", "False", "Boolean"},
        Case{"IsEmpty(Empty)", "True", "Boolean"}, Case{"IsEmpty(\"\")", "False", "Boolean"},
        Case{"IsNull(Null)", "True", "Boolean"}, Case{"IsArray(Split(\"a\"))", "True", "Boolean"},
        Case{"VarType(\"a\")", "8", "Integer"}, Case{"VarType(Array())", "8204", "Integer"},
        Case{"TypeName(Empty)", "Empty"}, Case{"vbSunday + vbTextCompare", "2", "Integer"}));

INSTANTIATE_TEST_SUITE_P(
    Errors, VBScriptCases,
    ::testing::Values(
        Case{"1/0", "#11"}, Case{"0/0", "#6"}, Case{"1\\0", "#11"}, Case{"1 Mod 0", "#11"}, Case{"\"a\" * 2", "#13"},
        Case{"CInt(40000)", "#6"}, Case{"CByte(256)", "#6"}, Case{"Exp(1000)", "#6"}, Case{"Sqr(-1)", "#5"},
        Case{"Log(0)", "#5"}, Case{"Left(\"a\", -1)", "#5"}, Case{"Mid(\"a\", 0)", "#5"}, Case{"Chr(300)", "#5"},
        Case{"Asc(\"\")", "#5"}, Case{"MonthName(13)", "#5"}, Case{"DateAdd(\"x\", 1, \"25/12/2024\")", "#5"},
        Case{"Year(\"demain\")", "#13"}, Case{"CDate(\"12\")", "#13"}, Case{"CStr(Null)", "#94"},
        Case{"Split(\"a,b\", \",\")(2)", "#9"}, Case{"Left(, 2)", "#449"}, Case{"Len(\"a\", 2)", "#450"},
        Case{"Left(\"a\")", "#450"}, Case{"foo", "#500"}, Case{"[A] + 1", "#500"}, Case{"Foo(1)", "#13"},
        Case{"1 +", "#1002"}, Case{"(1 + 2", "#1006"}, Case{"1 2", "#1025"}, Case{"\"abc", "#1033"},
        Case{"1 $ 2", "#1032"}, Case{"", "#1002"}, Case{"Mod 2", "#1002"}, Case{"#abc#", "#1002"},
        Case{"#2024-02-30#", "#1002"}));

TEST(VBScript, ErrorsSayWhatTheLanguageSays) {
    struct {
        const char* expression;
        const char* description;
    } cases[] = {
        {"1/0", "Division par zéro"},
        {"\"a\" * 2", "Type incompatible"},
        {"Sqr(-1)", "Argument ou appel de procédure incorrect"},
        {"CInt(40000)", "Dépassement de capacité"},
        {"CStr(Null)", "Utilisation incorrecte de Null"},
        {"Foo(1)", "Type incompatible : 'Foo'"},
        {"Len(\"a\", 2)", "Nombre d'arguments incorrect ou affectation de propriété incorrecte : 'Len'"},
        {"\"abc", "Constante chaîne non terminée"},
    };
    for (const auto& c : cases) {
        vbscript::Value v;
        const std::optional<vbscript::Error> error = vbscript::Evaluate(QString::fromUtf8(c.expression), v);
        ASSERT_TRUE(error.has_value()) << c.expression;
        EXPECT_EQ(error->description, QString::fromUtf8(c.description)) << c.expression;
    }
}

TEST(VBScript, DateFunctionsReadTheClock) {
    const QDate today = QDate::currentDate();
    EXPECT_EQ(evaluate("Year(Now)"), QString::number(today.year()));
    EXPECT_EQ(evaluate("Day(Date())"), QString::number(today.day()));
    EXPECT_EQ(evaluate("Date"), today.toString("dd/MM/yyyy"));
    EXPECT_EQ(evaluate("Len(Time) = 8"), "True");
    EXPECT_EQ(evaluate("Timer >= 0 And Timer < 86400"), "True");
    EXPECT_EQ(evaluate("DateDiff(\"d\", Date, Now)"), "0");
}

// The language's generator: the same sequence after the same negative seed.
TEST(VBScript, RndRepeatsItsSequence) {
    const QString first = evaluate("Rnd(-3) + Rnd + Rnd");
    EXPECT_EQ(evaluate("Rnd(-3) + Rnd + Rnd"), first);
    EXPECT_EQ(evaluate("Rnd(0) = Rnd(0)"), "True");
    EXPECT_EQ(evaluate("Rnd >= 0 And Rnd < 1"), "True");
}

TEST(VBScript, SyntaxErrorsAreFoundWithoutEvaluating) {
    EXPECT_FALSE(vbscript::SyntaxError("1/0").has_value());  // a fault of the evaluation, not of the text
    ASSERT_TRUE(vbscript::SyntaxError("Len(\"a\"").has_value());
    EXPECT_EQ(vbscript::SyntaxError("Len(\"a\"")->description, "')' attendu");
    EXPECT_EQ(vbscript::SyntaxError("x + 1")->description, "Variable non définie : 'x'");
}

// Deep nesting and long texts end in the language's errors, not in a crash.
TEST(VBScript, LimitsAreErrors) {
    EXPECT_EQ(evaluate(QString(5000, u'(') + "1" + QString(5000, u')')), "#28");
    EXPECT_EQ(evaluate(QStringList(3000, "1").join(u'+')), "#28");
    EXPECT_EQ(evaluate("Len(Replace(String(9000, \"a\"), \"a\", String(9000, \"b\")))"), "#14");
}

}  // namespace
