#pragma once
// Each command's parameters, declared once beside the command table: per
// field what it holds, its range or words, whether a variable may stand for
// it, whether it may be empty or missing, and where it stands in the
// parameter string. The checker builds its descriptors from it, the dialogs
// place their controls by it and the handlers read their fields through
// ParamView. A declared kind is what a sound row holds (what the checker
// accepts); a handler may read more leniently and say so itself.
#include "core/CommandNames.h"
#include "core/Params.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <span>

enum class FieldKind : char {
    Text,      // any text
    Name,      // a text that is no number: a name, a class
    Number,    // an integer, within the range when one is declared
    Word,      // one of the declared words
    Key,       // a key name of the keyboard (core/KeyBoard.h), or one of the declared words
    Variable,  // the name of a declared variable, of the kinds `vars` says
    File,
    Folder,
    Time,      // "hh:mm:ss"
};

// The kinds of variable that may stand for a field (for a Variable field:
// that it names).
enum class Vars : char { None = 0, Alpha = 1, Numeric = 2, Any = 3 };
constexpr bool Allows(Vars set, Vars kind) { return (int(set) & int(kind)) != 0; }

enum class Presence : char {
    Required,
    MayBeEmpty,    // present, possibly empty
    MayBeMissing,  // may end the string before it (so may be empty too)
};

// The top of a range that is the screen's size.
enum class Extent : char { Fixed, ScreenWidth, ScreenHeight };

using Words = std::span<const char16_t* const>;

struct FieldDecl {
    FieldKind kind = FieldKind::Text;
    ParamPlace place;
    Vars vars = Vars::None;
    Presence presence = Presence::Required;
    qint64 min = 0, max = -1;  // a range when min <= max (or the top is the screen's)
    Extent top = Extent::Fixed;
    Words words;
    bool repeats = false;  // governs every further field too

    // The same field with one property more.
    constexpr FieldDecl range(qint64 low, qint64 high) const {
        FieldDecl f = *this;
        f.min = low;
        f.max = high;
        return f;
    }
    constexpr FieldDecl upToScreen(Extent e) const {
        FieldDecl f = *this;
        f.min = 0;
        f.top = e;
        return f;
    }
    constexpr FieldDecl variable(Vars v) const {
        FieldDecl f = *this;
        f.vars = v;
        return f;
    }
    constexpr FieldDecl present(Presence p) const {
        FieldDecl f = *this;
        f.presence = p;
        return f;
    }
    constexpr FieldDecl mayBeEmpty() const { return present(Presence::MayBeEmpty); }
    constexpr FieldDecl mayBeMissing() const { return present(Presence::MayBeMissing); }
    constexpr FieldDecl orWords(Words w) const {
        FieldDecl f = *this;
        f.words = w;
        return f;
    }
    constexpr FieldDecl repeated() const {
        FieldDecl f = *this;
        f.repeats = true;
        return f;
    }
    constexpr bool hasRange() const { return min <= max || top != Extent::Fixed; }
};

// The declarations of a layout, built in its table (core/CommandParams.cpp).
namespace params {
constexpr FieldDecl Decl(FieldKind kind, ParamPlace place) { return {.kind = kind, .place = place}; }
constexpr FieldDecl Text(ParamPlace p) { return Decl(FieldKind::Text, p); }
constexpr FieldDecl Text(int n) { return Text(ParamField(n)); }
constexpr FieldDecl Name(int n) { return Decl(FieldKind::Name, ParamField(n)); }
constexpr FieldDecl Number(int n) { return Decl(FieldKind::Number, ParamField(n)); }
constexpr FieldDecl Word(ParamPlace p, Words w) { return Decl(FieldKind::Word, p).orWords(w); }
constexpr FieldDecl Word(int n, Words w) { return Word(ParamField(n), w); }
constexpr FieldDecl Key(ParamPlace p) { return Decl(FieldKind::Key, p); }
constexpr FieldDecl Variable(int n, Vars v) { return Decl(FieldKind::Variable, ParamField(n)).variable(v); }
constexpr FieldDecl File(ParamPlace p) { return Decl(FieldKind::File, p); }
constexpr FieldDecl File(int n) { return File(ParamField(n)); }
constexpr FieldDecl Folder(int n) { return Decl(FieldKind::Folder, ParamField(n)); }
constexpr FieldDecl Time(int n) { return Decl(FieldKind::Time, ParamField(n)); }
}  // namespace params

// Fields that replace those of the same place when the row's fields from the
// layout's selector on hold these words ("Résolution"; "Texte" then
// "Caractère(s)/Position(s)").
struct ParamVariant {
    Words when;
    std::span<const FieldDecl> fields;
};

struct ParamLayout {
    Command command;
    std::span<const FieldDecl> fields;  // numbered from 1 in this order
    int selector = 0;                   // the first field that chooses a variant; 0 none
    std::span<const ParamVariant> variants = {};
};

const ParamLayout& LayoutOf(Command command);
// Declared field n (from 1) of that command, whatever the variant.
const FieldDecl& DeclaredField(Command command, int n);
// Where declared field n of that command stands.
inline ParamPlace PlaceOf(Command command, int n) { return DeclaredField(command, n).place; }
QStringList WordsOf(const FieldDecl& field);
// The top of the field's range, the screen's width or height read now.
qint64 RangeTop(const FieldDecl& field);

// The counts of fields a complete row of that layout may have: from the
// fields that may not be missing to all of them; no top when a field repeats
// or stands in a middle text.
struct FieldCounts {
    int least, most;  // most -1: no top
    bool fits(int count) const { return count >= least && (most < 0 || count <= most); }
};
FieldCounts CountsOf(const ParamLayout& layout);

// A row's fields read through its command's declaration. n is a declared
// field's number: field n for the plain fields; the middle text, the last
// field or the rest where the layout places them; field n itself beyond the
// declared fields. The fields are split as the runner does (the empty text
// is one empty field).
class ParamView {
public:
    // The value a variable's name stands for, when a variable may stand there.
    using Resolve = std::function<QString(const QString& name)>;

    ParamView(Command command, const QString& params, QChar separator, Resolve resolve = {});

    int count() const { return fields().Count - 1; }  // fields found
    const TParamFields& fields() const;
    // The declaration that governs declared field n of this row, its variant applied.
    const FieldDecl& field(int n) const;
    // The declaration that governs the field at that position (from 1): the
    // last field may have a declaration of its own, further fields that of a
    // repeating field.
    const FieldDecl& fieldAt(int position) const;
    QString text(int n) const;   // as written
    // The field at that position (from 1) as split, whatever the declaration
    // places there: for a reader that does not follow the declaration.
    QString textAt(int position) const;
    QString value(int n) const;  // resolved when a variable may stand for it
    // The value as an integer as the runner reads them (mdlfnct::IsInteger:
    // 32 bits, "$" for hexadecimal); number() also within the declared range.
    std::optional<qint64> integer(int n) const;
    std::optional<qint64> number(int n) const;
    // The value's place among the declared words (the variant's); -1 when none.
    int word(int n) const;

private:
    const FieldDecl& governing(ParamPlace place) const;

    const ParamLayout& layout_;
    QString params_;
    QChar separator_;
    Resolve resolve_;
    mutable std::optional<TParamFields> fields_;  // split at the first reading
};
