#pragma once
// Internal to the VBScript evaluator: the read tree, the operators, the
// conversions, the functions and the constants.
#include "core/VBScript.h"

#include <QDateTime>

#include <span>

namespace vbscript {

// The error numbers the evaluator raises.
enum ErrorNumber : int {
    InvalidCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    OutOfStringSpace = 14,
    OutOfStackSpace = 28,
    InvalidUseOfNull = 94,
    ArgumentNotOptional = 449,
    WrongArgumentCount = 450,
    UndefinedVariable = 500,
    SyntaxFault = 1002,
    ExpectedCloseParen = 1006,
    ExpectedEnd = 1025,
    InvalidCharacter = 1032,
    OpenString = 1033,
};

// Thrown inside the evaluator; Parse and Evaluate turn it into their error.
struct Failure {
    Error error;
};
// With the standard description of the number; detail (a name) follows it.
[[noreturn]] void Fail(int number, const QString& detail = QString());

enum class Op : char {
    Add, Subtract, Multiply, Divide, IntDivide, Mod, Power, Concat,
    Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
    And, Or, Xor, Eqv, Imp, Negate, Not,
};

using Arguments = std::vector<Value>;
struct Function {
    const char* name;
    int minArgs;
    int maxArgs;
    Value (*run)(const Arguments& args);
    bool nullGivesNull = false;  // a Null argument makes the value Null without a call
};
// The function of that name (any case); null when there is none.
const Function* FindFunction(const QString& name);
// The functions of each family, each in its own file.
std::span<const Function> TextFunctions();
std::span<const Function> NumberFunctions();
std::span<const Function> DateFunctions();
std::span<const Function> FormatFunctions();
// The value of a constant of the language (vbCrLf, vbSunday...), by name in any case.
std::optional<Value> FindConstant(const QString& name);

struct Node {
    enum Kind : char { Constant, Operator, Call, Index };
    Kind kind = Constant;
    Value constant;                      // Constant
    Op op = Op::Add;                     // Operator: one operand (Negate, Not) or two
    const Function* function = nullptr;  // Call
    std::vector<Node> operands;          // Index: the array, then the index
};

Node ParseText(const QString& text);
Value Evaluate(const Node& node);
Value Apply(Op op, const Value& a, const Value& b = Value());

// Conversions as operators and functions make them; a type mismatch when
// impossible, an invalid use of Null for Null.
double ToNumber(const Value& v);
// Rounded half to even; an overflow beyond 32 bits.
qint32 ToLong(const Value& v);
bool ToBoolean(const Value& v);
// A text argument: what the value reads as; Null and arrays refused.
QString TextOf(const Value& v);
// A text no longer than the language allows.
Value Text(QString s);
// The number made a value of that subtype, or of the next wider one where it
// does not fit (Byte, Integer, Long, then Double); an overflow beyond.
Value Fit(Value::Type type, double n);
// A text as a number: "12", "-1.5", "1e3", "&H1F"; false when it is none.
bool ReadNumber(const QString& text, double& out);

// Dates: days since 30/12/1899, the time as the fraction (of the same sign
// as the days: -1.25 is 29/12/1899 06:00).
double ToDate(const Value& v);
QDateTime DateTimeOf(double days);  // to the second
double DaysOf(const QDate& date, int secondsOfDay);
double DaysOf(const QDateTime& when);
// A date written as a text: "31/01/2024", "2024-01-31 08:30", "8:30 PM",
// "31 janvier 2024"... Day before month unless monthFirst (date literals);
// the other order where the first is impossible.
std::optional<double> ReadDate(const QString& text, bool monthFirst);
// A valid date of the language: years 100 to 9999.
Value DateValueOf(double days);

// French names, 1 to 12 and Sunday = 1 to 7.
QString MonthNameOf(int month, bool abbreviated);
QString DayNameOf(int sundayBased, bool abbreviated);

// An argument was given (not left out) at that place.
inline bool Given(const Arguments& a, size_t at) { return a.size() > at && a[at].type != Value::Missing; }

}  // namespace vbscript
