#pragma once
// VBScript expressions, read and evaluated by our own interpreter: literals
// (numbers, texts, dates between "#", True, False, Empty, Null), the
// language's operators, its built-in functions and constants, with the
// variant subtypes and error numbers of the language. An expression has no
// variables of its own: the macro's variables are written into it as literals
// first. Conventions, the program's own: numbers are written and read with
// "." whatever the locale, dates as "31/01/2024 08:30:00", names of days and
// months in French.
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace vbscript {

struct Value {
    // The variant subtypes, numbered as VarType numbers them. Missing stands
    // for an argument left out of a call.
    enum Type : int {
        Empty = 0,
        Null = 1,
        Integer = 2,  // 16 bits
        Long = 3,     // 32 bits
        Single = 4,
        Double = 5,
        Currency = 6,  // four decimals
        Date = 7,
        String = 8,
        Missing = 10,
        Boolean = 11,
        Byte = 17,
        Array = 8204,  // of variants
    };
    Type type = Empty;
    double number = 0;         // Boolean (-1 true, 0 false), the numbers, Date (days since 30/12/1899)
    QString text;              // String
    std::vector<Value> items;  // Array, from index 0

    static Value boolean(bool b) { return {Boolean, b ? -1.0 : 0.0, {}, {}}; }
    static Value integer(qint64 n);  // an Integer, a Long, or a Double beyond them
    static Value real(double d) { return {Double, d, {}, {}}; }
    static Value string(const QString& s) { return {String, 0, s, {}}; }
    static Value date(double days) { return {Date, days, {}, {}}; }
    static Value null() { return {Null, 0, {}, {}}; }
    static Value array(std::vector<Value> items) { return {Array, 0, {}, std::move(items)}; }
};

// A failed reading or evaluation, numbered as the language numbers its errors.
struct Error {
    int number = 0;
    QString description;
};

// What a value reads as in a text ("&", CStr): "True", "False", "12", "0.5",
// "25/12/2024 08:30:00"; Empty and Null read as the empty text, an array too.
QString ToText(const Value& value);

// One read expression, ready to be evaluated as often as needed.
struct Node;
class Expression {
public:
    // Reads the text; the error of the first fault when it is not an expression.
    static std::optional<Error> Parse(const QString& text, Expression& out);
    // Its value; the error when it fails (a division by zero, a text that is
    // not a number...).
    std::optional<Error> Evaluate(Value& out) const;

    Expression();
    ~Expression();
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;

private:
    std::unique_ptr<Node> root_;
};

// The first fault of the text as an expression; none when it reads.
std::optional<Error> SyntaxError(const QString& text);

// Reads and evaluates the text; the error of the first fault.
std::optional<Error> Evaluate(const QString& text, Value& out);

}  // namespace vbscript
