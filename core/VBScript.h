#pragma once
// VBScript expressions, read and evaluated by our own interpreter: numbers,
// texts, True and False, the arithmetic (with "\" and Mod), text ("&", "+"),
// comparison and logical (Not, And, Or, Xor) operators, parentheses, and the
// usual functions of texts, numbers and dates. An expression has no variables
// of its own: the macro's variables are written into it as literals first.
// Numbers are written and read with "." whatever the locale.
#include <QString>

#include <memory>
#include <optional>

namespace vbscript {

struct Value {
    enum Type : char { Empty, Boolean, Long, Double, String, Date };
    Type type = Empty;
    double number = 0;  // Boolean (-1 true, 0 false), Long, Double, Date (days since 30/12/1899)
    QString text;       // String

    static Value boolean(bool b) { return {Boolean, b ? -1.0 : 0.0, {}}; }
    static Value integer(qint64 n);  // a Long, or a Double beyond its range
    static Value real(double d) { return {Double, d, {}}; }
    static Value string(const QString& s) { return {String, 0, s}; }
    static Value date(double days) { return {Date, days, {}}; }
};

// A failed reading or evaluation, numbered as the language numbers its errors.
struct Error {
    int number = 0;
    QString description;
};

// What a value reads as in a text ("&", CStr): "True", "False", "12", "0.5", "25/12/2024 08:30:00".
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

}  // namespace vbscript
