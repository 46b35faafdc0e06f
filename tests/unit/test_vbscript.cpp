// Our VBScript expression evaluator: values, operators, functions, errors.
#include "core/VBScript.h"

#include "tests/support/TestSupport.h"

#include <QDate>

namespace {

struct Case {
    const char* expression;
    const char* text;  // the value as a text; "#13" for an error number
    vbscript::Value::Type type = vbscript::Value::String;
};

QString evaluate(const QString& expression, vbscript::Value::Type* type = nullptr) {
    vbscript::Expression e;
    vbscript::Value v;
    std::optional<vbscript::Error> error = vbscript::Expression::Parse(expression, e);
    if (!error) error = e.Evaluate(v);
    if (error) return u'#' + QString::number(error->number);
    if (type) *type = v.type;
    return vbscript::ToText(v);
}

using T = vbscript::Value;

class VBScriptCases : public ::testing::TestWithParam<Case> {};

TEST_P(VBScriptCases, GiveTheirValue) {
    const Case& c = GetParam();
    T::Type type = T::Empty;
    EXPECT_EQ(evaluate(QString::fromUtf8(c.expression), &type), QString::fromUtf8(c.text)) << c.expression;
    if (c.text[0] != '#') EXPECT_EQ(type, c.type) << c.expression;
}

INSTANTIATE_TEST_SUITE_P(
    Expressions, VBScriptCases,
    ::testing::Values(
        // numbers, precedence, integer and real arithmetic
        Case{"1+1", "2", T::Long}, Case{"2+3*4", "14", T::Long}, Case{"(2+3)*4", "20", T::Long},
        Case{"-2^2", "-4", T::Double}, Case{"2^-1", "0.5", T::Double}, Case{"2^3^2", "64", T::Double},
        Case{"7/2", "3.5", T::Double}, Case{"7\\2", "3", T::Long}, Case{"-7\\2", "-3", T::Long},
        Case{"7 Mod 3", "1", T::Long}, Case{"-7 mod 3", "-1", T::Long}, Case{"5.5\\2", "3", T::Long},
        Case{"2147483647+1", "2147483648", T::Double}, Case{"0.1+0.2", "0.3", T::Double},
        Case{"1.5e3", "1500", T::Double}, Case{"&HFF", "255", T::Long}, Case{"1e20", "1E+20", T::Double},
        Case{"10 - 4 - 3", "3", T::Long}, Case{"2 * 3 Mod 4", "2", T::Long}, Case{"8 \\ 2 * 2", "2", T::Long},
        // texts: & and +, quotes inside
        Case{"\"a\" & 1", "a1"}, Case{"\"a\" + \"b\"", "ab"}, Case{"\"1\" + 2", "3", T::Double},
        Case{"\"say \"\"hi\"\"\"", "say \"hi\""}, Case{"1 & 2 + 3", "15"}, Case{"\"x\" & True", "xTrue"},
        // comparisons and logic
        Case{"1<2", "True", T::Boolean}, Case{"2<=1", "False", T::Boolean}, Case{"\"a\" < \"b\"", "True", T::Boolean},
        Case{"\"A\" = \"a\"", "False", T::Boolean}, Case{"\"5\" > 3", "True", T::Boolean},
        Case{"\"abc\" > 3", "True", T::Boolean}, Case{"1 <> 1", "False", T::Boolean},
        Case{"Not 1 = 2", "True", T::Boolean}, Case{"1<2 And 3>4", "False", T::Boolean},
        Case{"1<2 Or 3>4", "True", T::Boolean}, Case{"True Xor True", "False", T::Boolean},
        Case{"1 = 1 And Not 2 = 3", "True", T::Boolean}, Case{"5 And 3", "1", T::Long}, Case{"Not 0", "-1", T::Long},
        Case{"true", "True", T::Boolean}, Case{"TRUE AND false", "False", T::Boolean},
        // functions on texts
        Case{"Len(\"abcd\")", "4", T::Long}, Case{"Left(\"abcd\", 2)", "ab"}, Case{"Right(\"abcd\", 3)", "bcd"},
        Case{"Mid(\"abcdef\", 2, 3)", "bcd"}, Case{"Mid(\"abcdef\", 4)", "def"}, Case{"Mid(\"ab\", 5)", ""},
        Case{"InStr(\"abcabc\", \"c\")", "3", T::Long}, Case{"InStr(4, \"abcabc\", \"c\")", "6", T::Long},
        Case{"InStr(\"abc\", \"z\")", "0", T::Long}, Case{"InStr(1, \"ABC\", \"b\", 1)", "2", T::Long},
        Case{"Replace(\"a-b-c\", \"-\", \"+\")", "a+b+c"}, Case{"Replace(\"a-b-c\", \"-\", \"\", 1, 1)", "ab-c"},
        Case{"Replace(\"a-b-c\", \"-\", \"+\", 3)", "b+c"}, Case{"UCase(\"été\")", "ÉTÉ"}, Case{"LCase(\"AbC\")", "abc"},
        Case{"Trim(\"  a b  \") & \"|\"", "a b|"}, Case{"LTrim(\"  a \") & \"|\"", "a |"}, Case{"RTrim(\"  a \") & \"|\"", "  a|"},
        Case{"Chr(65) & Chr(128)", "A€"}, Case{"Asc(\"€\")", "128", T::Long}, Case{"Asc(\"A\")", "65", T::Long},
        // conversions and numbers
        Case{"CStr(12) & \"\"", "12"}, Case{"CInt(\"2.5\")", "2", T::Long}, Case{"CInt(3.5)", "4", T::Long},
        Case{"CLng(\"-7\")", "-7", T::Long}, Case{"CDbl(\"1.25\")", "1.25", T::Double},
        Case{"CBool(\"true\")", "True", T::Boolean}, Case{"CBool(0)", "False", T::Boolean},
        Case{"Int(-2.5)", "-3", T::Double}, Case{"Fix(-2.5)", "-2", T::Double}, Case{"Abs(-3)", "3", T::Long},
        Case{"Round(2.5)", "2", T::Double}, Case{"Round(3.14159, 2)", "3.14", T::Double}, Case{"Sqr(16)", "4", T::Double},
        // dates
        Case{"Year(\"25/12/2024\")", "2024", T::Long}, Case{"Month(\"25/12/2024 08:30:15\")", "12", T::Long},
        Case{"Day(\"2024-12-25\")", "25", T::Long}, Case{"Hour(\"25/12/2024 08:30:15\")", "8", T::Long},
        Case{"Minute(\"08:30:15\")", "30", T::Long}, Case{"Second(\"08:30:15\")", "15", T::Long},
        Case{"DateAdd(\"d\", 7, \"25/12/2024\")", "01/01/2025", T::Date},
        Case{"DateAdd(\"m\", 1, \"31/01/2024\")", "29/02/2024", T::Date},
        Case{"DateAdd(\"h\", 20, \"25/12/2024 08:00:00\")", "26/12/2024 04:00:00", T::Date},
        Case{"DateAdd(\"yyyy\", -1, \"25/12/2024\") & \"\"", "25/12/2023"},
        // errors, numbered as the language numbers them
        Case{"1/0", "#11"}, Case{"1\\0", "#11"}, Case{"1 Mod 0", "#11"}, Case{"\"a\" * 2", "#13"},
        Case{"CInt(40000)", "#6"}, Case{"Sqr(-1)", "#5"}, Case{"Left(\"a\", -1)", "#5"}, Case{"Mid(\"a\", 0)", "#5"},
        Case{"Chr(300)", "#5"}, Case{"Asc(\"\")", "#5"}, Case{"DateAdd(\"x\", 1, \"25/12/2024\")", "#5"},
        Case{"Year(\"demain\")", "#13"}, Case{"Len(\"a\", 2)", "#450"}, Case{"Left(\"a\")", "#450"},
        Case{"foo", "#500"}, Case{"[A] + 1", "#500"}, Case{"Foo(1)", "#13"}, Case{"1 +", "#1002"},
        Case{"(1 + 2", "#1006"}, Case{"1 2", "#1025"}, Case{"\"abc", "#1033"}, Case{"1 # 2", "#1032"},
        Case{"", "#1002"}, Case{"Mod 2", "#1002"}));

TEST(VBScript, DateFunctionsReadTheClock) {
    const QDate today = QDate::currentDate();
    EXPECT_EQ(evaluate("Year(Now)"), QString::number(today.year()));
    EXPECT_EQ(evaluate("Day(Date())"), QString::number(today.day()));
    EXPECT_EQ(evaluate("Date"), today.toString("dd/MM/yyyy"));
    EXPECT_EQ(evaluate("Len(Time) = 8"), "True");
}

TEST(VBScript, SyntaxErrorsAreFoundWithoutEvaluating) {
    EXPECT_FALSE(vbscript::SyntaxError("1/0").has_value());  // a fault of the evaluation, not of the text
    ASSERT_TRUE(vbscript::SyntaxError("Len(\"a\"").has_value());
    EXPECT_EQ(vbscript::SyntaxError("Len(\"a\"")->description, "')' attendu");
    EXPECT_EQ(vbscript::SyntaxError("x + 1")->description, "Variable non définie : 'x'");
}

}  // namespace
