#pragma once
// Internal to the VBScript evaluator: the read tree, the operators, the
// conversions and the functions.
#include "core/VBScript.h"

#include <QDateTime>

#include <vector>

namespace vbscript {

// The error numbers the evaluator raises.
enum ErrorNumber : int {
    InvalidCall = 5,
    Overflow = 6,
    DivisionByZero = 11,
    TypeMismatch = 13,
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
    And, Or, Xor, Negate, Not,
};

using Arguments = std::vector<Value>;
struct Function {
    const char* name;
    int minArgs;
    int maxArgs;
    Value (*run)(const Arguments& args);
};
// The function of that name (any case); null when there is none.
const Function* FindFunction(const QString& name);

struct Node {
    enum Kind : char { Constant, Operator, Call };
    Kind kind = Constant;
    Value constant;                      // Constant
    Op op = Op::Add;                     // Operator: one operand (Negate, Not) or two
    const Function* function = nullptr;  // Call
    std::vector<Node> operands;
};

Node ParseText(const QString& text);
Value Evaluate(const Node& node);
Value Apply(Op op, const Value& a, const Value& b = Value());

// Conversions as operators and functions make them; a type mismatch when impossible.
double ToNumber(const Value& v);
// Rounded half to even; an overflow beyond 32 bits.
qint32 ToLong(const Value& v);
bool ToBoolean(const Value& v);
// Days since 30/12/1899: dates, numbers, and texts written as dates.
double ToDate(const Value& v);
QDateTime DateTimeOf(double days);  // to the second
double DaysOf(const QDateTime& when);
// A text as a number: "12", "-1.5", "1e3", "&H1F"; false when it is none.
bool ReadNumber(const QString& text, double& out);

}  // namespace vbscript
