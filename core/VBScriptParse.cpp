// Reading a VBScript expression into its tree, by precedence from the lowest:
// Imp, Eqv, Xor, Or, And, Not, comparisons, "&", "+" and "-", Mod, "\", "*"
// and "/", negation, "^".
#include "core/VBScriptInternal.h"

#include <array>
#include <limits>
#include <span>

namespace vbscript {

namespace {

struct Token {
    enum Kind : char { End, Number, String, Name, Symbol };
    Kind kind = End;
    QString text;  // Name, Symbol; String: its contents
    Value value;   // Number
};

bool isNameStart(QChar c) { return c.isLetter(); }
bool isNamePart(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

class Lexer {
public:
    explicit Lexer(const QString& text) : s_(text) {}

    Token next() {
        while (at_ < s_.size() && s_[at_].isSpace()) ++at_;
        if (at_ >= s_.size()) return {};
        const QChar c = s_[at_];
        if (c.isDigit() || (c == u'.' && at_ + 1 < s_.size() && s_[at_ + 1].isDigit())) return number();
        if (c == u'&' && at_ + 1 < s_.size() && QStringView(u"HhOo").contains(s_[at_ + 1])) return radixNumber();
        if (c == u'"') return string();
        if (c == u'#') return dateLiteral();
        if (isNameStart(c)) {
            const qsizetype from = at_;
            while (at_ < s_.size() && isNamePart(s_[at_])) ++at_;
            return {Token::Name, s_.mid(from, at_ - from), {}};
        }
        if (c == u'[') {  // a bracketed name: [any text]
            const qsizetype close = s_.indexOf(u']', at_);
            if (close < 0) Fail(ExpectedEnd);
            const QString name = s_.mid(at_, close + 1 - at_);
            at_ = close + 1;
            return {Token::Name, name, {}};
        }
        for (const char16_t* pair : {u"<>", u"<=", u">="}) {
            if (QStringView(s_).mid(at_, 2) == QStringView(pair)) {
                at_ += 2;
                return {Token::Symbol, QString::fromUtf16(pair), {}};
            }
        }
        if (QStringView(u"+-*/\\^&=<>(),").contains(c)) {
            ++at_;
            return {Token::Symbol, QString(c), {}};
        }
        Fail(InvalidCharacter, QString(c));
    }

private:
    Token number() {
        const qsizetype from = at_;
        auto digits = [&] {
            while (at_ < s_.size() && s_[at_].isDigit()) ++at_;
        };
        digits();
        bool whole = true;
        if (at_ < s_.size() && s_[at_] == u'.') {
            ++at_;
            digits();
            whole = false;
        }
        if (at_ < s_.size() && (s_[at_] == u'e' || s_[at_] == u'E')) {
            const qsizetype mark = at_++;
            if (at_ < s_.size() && (s_[at_] == u'+' || s_[at_] == u'-')) ++at_;
            if (at_ < s_.size() && s_[at_].isDigit()) {
                digits();
                whole = false;
            } else {
                at_ = mark;  // "2e" is 2 then a name
            }
        }
        const double d = QStringView(s_).mid(from, at_ - from).toDouble();
        return {Token::Number, {}, whole ? Fit(Value::Integer, d) : Fit(Value::Double, d)};
    }

    // "&H1F", "&O17": an Integer up to &HFFFF, else a Long; the highest bit is the sign.
    Token radixNumber() {
        const int base = s_[at_ + 1].toUpper() == u'H' ? 16 : 8;
        at_ += 2;
        const qsizetype from = at_;
        while (at_ < s_.size() && s_[at_].isLetterOrNumber()) ++at_;
        bool ok = false;
        const qulonglong n = QStringView(s_).mid(from, at_ - from).toULongLong(&ok, base);
        if (!ok) Fail(SyntaxFault);
        if (n > std::numeric_limits<quint32>::max()) Fail(Overflow);
        const double value = n <= 0xFFFF ? qint16(quint16(n)) : qint32(quint32(n));
        return {Token::Number, {}, Fit(n <= 0xFFFF ? Value::Integer : Value::Long, value)};
    }

    // #2024-01-31#, #1/31/2024 8:30 PM#: month before day, as the language writes its dates.
    Token dateLiteral() {
        const qsizetype close = s_.indexOf(u'#', at_ + 1);
        if (close < 0) Fail(SyntaxFault);
        const std::optional<double> days = ReadDate(s_.mid(at_ + 1, close - at_ - 1), true);
        if (!days) Fail(SyntaxFault);
        at_ = close + 1;
        return {Token::Number, {}, DateValueOf(*days)};
    }

    // "" inside stands for one quote; any other character is itself.
    Token string() {
        QString text;
        ++at_;
        for (;;) {
            if (at_ >= s_.size()) Fail(OpenString);
            const QChar c = s_[at_++];
            if (c != u'"') {
                text += c;
            } else if (at_ < s_.size() && s_[at_] == u'"') {
                text += c;
                ++at_;
            } else {
                return {Token::String, text, {}};
            }
        }
    }

    const QString& s_;
    qsizetype at_ = 0;
};

struct OpWord {
    const char16_t* word;  // a symbol, or a keyword read in any case
    Op op;
};
constexpr OpWord kImp[] = {{u"Imp", Op::Imp}};
constexpr OpWord kEqv[] = {{u"Eqv", Op::Eqv}};
constexpr OpWord kXor[] = {{u"Xor", Op::Xor}};
constexpr OpWord kOr[] = {{u"Or", Op::Or}};
constexpr OpWord kAnd[] = {{u"And", Op::And}};
constexpr OpWord kCompare[] = {{u"=", Op::Equal},  {u"<>", Op::NotEqual},   {u"<", Op::Less},
                               {u">", Op::Greater}, {u"<=", Op::LessEqual}, {u">=", Op::GreaterEqual}};
constexpr OpWord kConcat[] = {{u"&", Op::Concat}};
constexpr OpWord kAdd[] = {{u"+", Op::Add}, {u"-", Op::Subtract}};
constexpr OpWord kMod[] = {{u"Mod", Op::Mod}};
constexpr OpWord kIntDivide[] = {{u"\\", Op::IntDivide}};
constexpr OpWord kMultiply[] = {{u"*", Op::Multiply}, {u"/", Op::Divide}};
// The binary operators from the lowest precedence; Not stands between And and the comparisons.
constexpr std::array<std::span<const OpWord>, 11> kLevels = {kImp,    kEqv, kXor, kOr,       kAnd,     kCompare,
                                                             kConcat, kAdd, kMod, kIntDivide, kMultiply};
constexpr size_t kNotLevel = 5;
// The words that are operators, never names.
constexpr const char16_t* kOperatorWords[] = {u"Imp", u"Eqv", u"Xor", u"Or", u"And", u"Not", u"Mod", u"Is"};
// How deep brackets and calls may nest, and how many tokens an expression may
// hold (so that its tree is never deeper than that).
constexpr int kMaxDepth = 200;
constexpr int kMaxTokens = 2000;

Node operatorNode(Op op, std::vector<Node> operands) {
    Node n;
    n.kind = Node::Operator;
    n.op = op;
    n.operands = std::move(operands);
    return n;
}

Node constantNode(const Value& v) {
    Node n;
    n.constant = v;
    return n;
}

class Parser {
public:
    explicit Parser(const QString& text) : lexer_(text) { advance(); }

    Node whole() {
        Node n = binary(0);
        if (t_.kind != Token::End) Fail(ExpectedEnd);
        return n;
    }

private:
    void advance() {
        if (++tokens_ > kMaxTokens) Fail(OutOfStackSpace);
        t_ = lexer_.next();
    }

    bool isSymbol(const char16_t* s) const { return t_.kind == Token::Symbol && t_.text == QStringView(s); }
    bool isWord(const char16_t* w) const {
        return t_.kind == Token::Name && t_.text.compare(QStringView(w), Qt::CaseInsensitive) == 0;
    }
    const OpWord* match(std::span<const OpWord> ops) const {
        for (const OpWord& o : ops)
            if (isSymbol(o.word) || (QChar(o.word[0]).isLetter() && isWord(o.word))) return &o;
        return nullptr;
    }

    // One level deeper into brackets or a call; too deep is the stack's end.
    struct Deeper {
        explicit Deeper(int& depth) : depth_(depth) {
            if (++depth_ > kMaxDepth) Fail(OutOfStackSpace);
        }
        ~Deeper() { --depth_; }
        int& depth_;
    };

    Node binary(size_t level) {
        if (level == kNotLevel && isWord(u"Not")) {
            advance();
            Deeper deeper(depth_);
            return operatorNode(Op::Not, {binary(level)});
        }
        if (level == kLevels.size()) return negation();
        Node left = binary(level + 1);
        while (const OpWord* o = match(kLevels[level])) {
            advance();
            left = operatorNode(o->op, {std::move(left), binary(level + 1)});
        }
        return left;
    }

    // A sign before an operand: "-" negates it, "+" leaves it as it is.
    template <Node (Parser::*Operand)()>
    Node withSign() {
        Deeper deeper(depth_);
        if (isSymbol(u"-")) {
            advance();
            return operatorNode(Op::Negate, {withSign<Operand>()});
        }
        if (isSymbol(u"+")) {
            advance();
            return withSign<Operand>();
        }
        return (this->*Operand)();
    }

    Node negation() { return withSign<&Parser::power>(); }

    // "2 ^ -1": an exponent may carry its own sign.
    Node power() {
        if (isWord(u"Not")) return binary(kNotLevel);  // "a = Not b"
        Node left = primary();
        while (isSymbol(u"^")) {
            advance();
            left = operatorNode(Op::Power, {std::move(left), withSign<&Parser::primary>()});
        }
        return left;
    }

    Node primary() {
        const Token t = t_;
        switch (t.kind) {
            case Token::Number: advance(); return constantNode(t.value);
            case Token::String: advance(); return constantNode(Value::string(t.text));
            case Token::Name: return indexed(named());
            case Token::Symbol:
                if (t.text == u"(") {
                    Deeper deeper(depth_);
                    advance();
                    Node inner = binary(0);
                    if (!isSymbol(u")")) Fail(ExpectedCloseParen);
                    advance();
                    return inner;
                }
                [[fallthrough]];
            case Token::End: break;
        }
        Fail(SyntaxFault);
    }

    // "(a, , c)": the arguments of a call, a left-out one Missing.
    std::vector<Node> arguments() {
        Deeper deeper(depth_);
        std::vector<Node> args;
        advance();  // "("
        if (isSymbol(u")")) {
            advance();
            return args;
        }
        for (;;) {
            args.push_back(isSymbol(u",") || isSymbol(u")") ? constantNode({Value::Missing, 0, {}, {}}) : binary(0));
            if (!isSymbol(u",")) break;
            advance();
        }
        if (!isSymbol(u")")) Fail(ExpectedCloseParen);
        advance();
        return args;
    }

    // Split(...)(1): an element of the array a call gives.
    Node indexed(Node n) {
        while (n.kind == Node::Call && isSymbol(u"(")) {
            Node index;
            index.kind = Node::Index;
            index.operands.push_back(std::move(n));
            for (Node& a : arguments()) index.operands.push_back(std::move(a));
            n = std::move(index);
        }
        return n;
    }

    Node named() {
        const QString name = t_.text;
        advance();
        if (name.compare(u"True", Qt::CaseInsensitive) == 0) return constantNode(Value::boolean(true));
        if (name.compare(u"False", Qt::CaseInsensitive) == 0) return constantNode(Value::boolean(false));
        if (name.compare(u"Empty", Qt::CaseInsensitive) == 0) return constantNode(Value());
        if (name.compare(u"Null", Qt::CaseInsensitive) == 0) return constantNode(Value::null());
        for (const char16_t* op : kOperatorWords)
            if (name.compare(QStringView(op), Qt::CaseInsensitive) == 0) Fail(SyntaxFault);
        const Function* f = FindFunction(name);
        const bool call = isSymbol(u"(");
        if (!f) {
            if (!call)
                if (const std::optional<Value> constant = FindConstant(name)) return constantNode(*constant);
            Fail(call ? TypeMismatch : UndefinedVariable, name);
        }
        Node n;
        n.kind = Node::Call;
        n.function = f;
        if (call) n.operands = arguments();
        const int count = int(n.operands.size());
        if (count < f->minArgs || count > f->maxArgs) Fail(WrongArgumentCount, name);
        return n;
    }

    Lexer lexer_;
    Token t_;
    int depth_ = 0;
    int tokens_ = 0;
};

}  // namespace

Node ParseText(const QString& text) { return Parser(text).whole(); }

}  // namespace vbscript
