// The operators of the VBScript evaluator, with the language's rules for the
// subtype of a result, and the walk of a read tree.
#include "core/VBScriptInternal.h"

#include <cmath>

namespace vbscript {

namespace {

using T = Value::Type;

bool isNull(const Value& v) { return v.type == Value::Null; }

// What an operand counts as in arithmetic: texts are read as Doubles, Empty
// and Booleans as Integers.
T arithmeticKind(const Value& v) {
    switch (v.type) {
        case Value::Empty:
        case Value::Boolean: return Value::Integer;
        case Value::String: return Value::Double;
        case Value::Array:
        case Value::Missing: Fail(TypeMismatch);
        default: return v.type;
    }
}

// The subtype of a result: the wider operand, from Byte, Integer, Long,
// Single, Double to Currency; a Single with a Long makes a Double.
T wider(T a, T b) {
    static constexpr T order[] = {Value::Byte, Value::Integer, Value::Long, Value::Single, Value::Double,
                                  Value::Currency};
    auto rank = [](T t) {
        for (int i = 0; i < 6; ++i)
            if (order[i] == t) return i;
        return 4;  // a Date counts as a Double
    };
    if ((a == Value::Single && b == Value::Long) || (a == Value::Long && b == Value::Single)) return Value::Double;
    return rank(a) >= rank(b) ? (rank(a) == 4 ? Value::Double : a) : (rank(b) == 4 ? Value::Double : b);
}

bool isText(const Value& v) { return v.type == Value::String; }
bool isTextOrEmpty(const Value& v) { return v.type == Value::String || v.type == Value::Empty; }

Value add(const Value& a, const Value& b) {
    if (isTextOrEmpty(a) && isTextOrEmpty(b) && (isText(a) || isText(b))) return Text(a.text + b.text);
    const double sum = ToNumber(a) + ToNumber(b);
    if (a.type == Value::Date || b.type == Value::Date) return DateValueOf(sum);
    return Fit(wider(arithmeticKind(a), arithmeticKind(b)), sum);
}

// A date less a date is a number of days; a date less a number, a date.
Value subtract(const Value& a, const Value& b) {
    const double difference = ToNumber(a) - ToNumber(b);
    if (a.type == Value::Date && b.type == Value::Date) return Fit(Value::Double, difference);
    if (a.type == Value::Date || b.type == Value::Date) return DateValueOf(difference);
    return Fit(wider(arithmeticKind(a), arithmeticKind(b)), difference);
}

Value multiply(const Value& a, const Value& b) {
    return Fit(wider(arithmeticKind(a), arithmeticKind(b)), ToNumber(a) * ToNumber(b));
}

// A Double, or a Single between Singles and small integers.
Value divide(const Value& a, const Value& b) {
    const double x = ToNumber(a);
    const double y = ToNumber(b);
    if (y == 0) Fail(x == 0 ? Overflow : DivisionByZero);
    const T ka = arithmeticKind(a), kb = arithmeticKind(b);
    auto small = [](T t) { return t == Value::Byte || t == Value::Integer || t == Value::Single; };
    const bool single = small(ka) && small(kb) && (ka == Value::Single || kb == Value::Single);
    return Fit(single ? Value::Single : Value::Double, x / y);
}

// The subtype of "\", Mod and the bitwise operators: Byte, Integer or Long.
T integerKind(const Value& a, const Value& b) {
    auto kind = [](const Value& v) {
        const T t = arithmeticKind(v);
        return t == Value::Byte || t == Value::Integer ? t : Value::Long;
    };
    const T ka = kind(a), kb = kind(b);
    if (ka == Value::Byte && kb == Value::Byte) return Value::Byte;
    return ka == Value::Long || kb == Value::Long ? Value::Long : Value::Integer;
}

Value integerDivide(const Value& a, const Value& b, bool remainder) {
    const qint64 x = ToLong(a);
    const qint64 y = ToLong(b);
    if (y == 0) Fail(DivisionByZero);
    return Fit(integerKind(a, b), double(remainder ? x % y : x / y));
}

Value power(const Value& a, const Value& b) {
    const double x = ToNumber(a);
    const double y = ToNumber(b);
    if (x == 0 && y < 0) Fail(DivisionByZero);
    const double r = std::pow(x, y);
    if (std::isnan(r)) Fail(InvalidCall);
    return Fit(Value::Double, r);
}

Value negate(const Value& a) {
    switch (a.type) {
        case Value::Date: return DateValueOf(-a.number);
        case Value::Byte: return Fit(Value::Integer, -a.number);
        default: return Fit(arithmeticKind(a), -ToNumber(a));
    }
}

int sign(double d) { return (d > 0) - (d < 0); }

// Texts compare by their characters; Empty is the empty text or 0; a text
// against a date or a number compares as one when it reads as one, else the
// number is the smaller.
int compare(const Value& a, const Value& b) {
    if (a.type == Value::Array || b.type == Value::Array) Fail(TypeMismatch);
    if (isTextOrEmpty(a) && isTextOrEmpty(b)) return sign(a.text.compare(b.text));
    if (isText(a) || isText(b)) {
        const Value& text = isText(a) ? a : b;
        const Value& other = isText(a) ? b : a;
        const int direction = isText(a) ? 1 : -1;  // text against other
        double n = 0;
        if (other.type == Value::Date) {
            if (const std::optional<double> d = ReadDate(text.text, false)) return direction * sign(*d - other.number);
        } else if (ReadNumber(text.text, n)) {
            return direction * sign(n - other.number);
        }
        return direction;
    }
    return sign(ToNumber(a) - ToNumber(b));
}

Value comparison(Op op, const Value& a, const Value& b) {
    if (isNull(a) || isNull(b)) return Value::null();
    const int c = compare(a, b);
    switch (op) {
        case Op::Equal: return Value::boolean(c == 0);
        case Op::NotEqual: return Value::boolean(c != 0);
        case Op::Less: return Value::boolean(c < 0);
        case Op::Greater: return Value::boolean(c > 0);
        case Op::LessEqual: return Value::boolean(c <= 0);
        default: return Value::boolean(c >= 0);
    }
}

qint32 bits(Op op, qint32 x, qint32 y) {
    switch (op) {
        case Op::And: return x & y;
        case Op::Or: return x | y;
        case Op::Xor: return x ^ y;
        case Op::Eqv: return ~(x ^ y);
        default: return ~x | y;  // Imp
    }
}

// With Null the value is known only where the other operand decides alone:
// False And Null, True Or Null, False Imp Null, Null Imp True.
Value logicalWithNull(Op op, const Value& a, const Value& b) {
    const bool nullA = isNull(a);
    const Value& other = nullA ? b : a;
    if (isNull(other)) return Value::null();
    const qint32 o = ToLong(other);
    if (op == Op::And && o == 0) return other;
    if (op == Op::Or && o == -1) return other;
    if (op == Op::Imp && ((!nullA && o == 0) || (nullA && o == -1)))
        return other.type == Value::Boolean ? Value::boolean(true) : Fit(integerKind(other, other), -1);
    return Value::null();
}

// Two Booleans give a Boolean; anything else works on the bits of integers.
Value logical(Op op, const Value& a, const Value& b) {
    if (op == Op::Not) {
        if (isNull(a)) return a;
        if (a.type == Value::Boolean) return Value::boolean(a.number == 0);
        const T kind = integerKind(a, a);
        const qint32 r = ~ToLong(a);
        return Fit(kind, kind == Value::Byte ? r & 0xFF : r);
    }
    if (isNull(a) || isNull(b)) return logicalWithNull(op, a, b);
    if (a.type == Value::Boolean && b.type == Value::Boolean)
        return Value::boolean(bits(op, qint32(a.number), qint32(b.number)) != 0);
    const T kind = integerKind(a, b);
    const qint32 r = bits(op, ToLong(a), ToLong(b));
    return Fit(kind, kind == Value::Byte ? r & 0xFF : r);
}

}  // namespace

Value Apply(Op op, const Value& a, const Value& b) {
    const bool unary = op == Op::Negate || op == Op::Not;
    const bool arithmetic = op <= Op::Power;
    if (arithmetic || unary) {
        if (isNull(a) || (!unary && isNull(b))) return Value::null();
    }
    switch (op) {
        case Op::Add: return add(a, b);
        case Op::Subtract: return subtract(a, b);
        case Op::Multiply: return multiply(a, b);
        case Op::Divide: return divide(a, b);
        case Op::IntDivide: return integerDivide(a, b, false);
        case Op::Mod: return integerDivide(a, b, true);
        case Op::Power: return power(a, b);
        case Op::Concat:
            if (isNull(a) && isNull(b)) return Value::null();
            if (a.type == Value::Array || b.type == Value::Array) Fail(TypeMismatch);
            return Text(ToText(a) + ToText(b));
        case Op::Negate: return negate(a);
        case Op::Equal:
        case Op::NotEqual:
        case Op::Less:
        case Op::Greater:
        case Op::LessEqual:
        case Op::GreaterEqual: return comparison(op, a, b);
        default: return logical(op, a, b);
    }
}

Value Evaluate(const Node& node) {
    switch (node.kind) {
        case Node::Constant: return node.constant;
        case Node::Operator: {
            const Value left = Evaluate(node.operands[0]);  // before the right one (Rnd)
            return Apply(node.op, left, node.operands.size() > 1 ? Evaluate(node.operands[1]) : Value());
        }
        case Node::Call: {
            Arguments args;
            args.reserve(node.operands.size());
            for (const Node& n : node.operands) args.push_back(Evaluate(n));
            for (int i = 0; i < node.function->minArgs; ++i)
                if (args[size_t(i)].type == Value::Missing) Fail(ArgumentNotOptional);
            if (node.function->nullGivesNull)
                for (const Value& v : args)
                    if (isNull(v)) return v;
            return node.function->run(args);
        }
        case Node::Index: {
            const Value array = Evaluate(node.operands[0]);
            if (array.type != Value::Array) Fail(TypeMismatch);
            if (node.operands.size() != 2) Fail(SubscriptOutOfRange);
            const qint32 i = ToLong(Evaluate(node.operands[1]));
            if (i < 0 || size_t(i) >= array.items.size()) Fail(SubscriptOutOfRange);
            return array.items[size_t(i)];
        }
    }
    return Value();
}

}  // namespace vbscript
