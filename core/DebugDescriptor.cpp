// The descriptor of expected parameters and the row under check.
#include "core/CheckRules.h"
#include "core/MacroDocument.h"
#include "core/CommandParams.h"
#include "core/Helpers.h"
#include "core/KeyBoard.h"

#include <QFileInfo>

#include <algorithm>

TstructParam& TstructParam::SetRange(qint64 min, qint64 max) {
    HasRange = true;
    RangeMin = min;
    RangeMax = max;
    return *this;
}

TstructParam& TstructParam::SetAllowedValues(const QStringList& words) {
    AllowedValues = words;
    HasAllowedValues = !words.isEmpty();
    return *this;
}

TstructParam& TstructParam::SetKinds(unsigned kinds) {
    AlphaValue = kinds & kAlphaValue;
    NumericValue = kinds & kNumericValue;
    AlphaVariable = kinds & kAlphaVariable;
    NumericVariable = kinds & kNumericVariable;
    IsObject = kinds & kObject;
    EmptyAllowed = kinds & kEmptyAllowed;
    return *this;
}

TstructParam& TstructOrdre::AddParam(const QString& value, unsigned kinds) {
    TstructParam& p = Params.emplace_back();
    p.Value = value;
    return p.SetKinds(kinds);
}

void TstructOrdre::SetAllowedValues(const QStringList& words, int index) {
    if (index >= 0 && index < Params.size()) Params[index].SetAllowedValues(words);
}

namespace {

bool accepts(const TstructParam& p, const TMacroDocument* list) {
    if (p.EmptyAllowed && p.Value.isEmpty()) return true;
    const bool integer = Debug::isInt(p.Value);
    if (p.AlphaValue && !integer) return true;
    if (p.NumericValue && integer) return true;
    if (p.NumericVariable || p.AlphaVariable) {
        const QString kind = Debug::kindOf(p.Value);
        if (p.NumericVariable && kind == QLatin1String("Numerique")) return true;
        if (p.AlphaVariable && kind == QLatin1String("Alpha")) return true;
    }
    if (p.HasAllowedValues && p.AllowedValues.contains(p.Value)) return true;
    if (p.IsObject && list->HasRowWithField(QStringLiteral("Objet"), 1, p.Value)) return true;
    if (p.HasRange && integer) {
        const qint64 v = mdlfnct::StrToIntOrZero(p.Value);
        if (p.RangeMin <= v && v <= p.RangeMax) return true;
    }
    return false;
}

QString acceptedKinds(const TstructParam& p) {
    QStringList kinds;
    if (p.AlphaValue) kinds << QStringLiteral("valeur alphanumérique");
    if (p.NumericValue) kinds << QStringLiteral("valeur numérique");
    if (p.AlphaVariable) kinds << QStringLiteral("variable alphanumérique");
    if (p.NumericVariable) kinds << QStringLiteral("variable numérique");
    if (p.IsObject) kinds << QStringLiteral("object");
    if (p.HasAllowedValues) kinds << p.AllowedValues;
    if (p.HasRange)
        kinds << QStringLiteral("valeur comprise entre %1 et %2").arg(p.RangeMin).arg(p.RangeMax);
    return kinds.join(QStringLiteral(", "));
}

}  // namespace

bool TstructOrdre::Validate(const TMacroDocument* list, int sourceNumber, TCheckReport& report) const {
    bool ok = true;
    for (int i = 0; i < Params.size(); ++i) {
        const TstructParam& p = Params[i];
        const bool checked = p.AlphaValue || p.NumericValue || p.AlphaVariable || p.NumericVariable || p.IsObject ||
                             p.HasAllowedValues || p.HasRange;
        if (!checked || accepts(p, list)) continue;
        const QString message = QStringLiteral("Le paramètre %1 de la commande \"%2\" doit être de type suivant [%3].")
                                    .arg(i + 1)
                                    .arg(Name, acceptedKinds(p));
        if (Debug::AddCheckError(report, Row + 1, Debug::kErreur, message, sourceNumber)) ok = false;
    }
    return ok;
}

namespace Debug {

RowCheck::RowCheck(const TMacroDocument* l, const QString& p, int r, int s, TCheckReport& into)
    : list(l), params(p), row(r), source(s), report(into), f(SplitFields(p, ParamSeparator(), SplitRule::Runner)) {}

void RowCheck::errorAt(int line, const QString& message) {
    if (AddCheckError(report, line, kErreur, message, source)) ok = false;
}

void RowCheck::warningAt(int line, const QString& message) {
    AddCheckError(report, line, kAvertissement, message, source);
}

void RowCheck::validate(const TstructOrdre& d) {
    if (!d.Validate(list, source, report)) ok = false;
}

bool RowCheck::needDeclaredFields(Command command) {
    if (CountsOf(LayoutOf(command)).fits(fieldCount())) return true;
    error(QStringLiteral("Nombre de paramètre invalide."));
    return false;
}

void RowCheck::notReadOnly(const QString& name) {
    if (IsReadOnlySysVar(name)) error(QStringLiteral("La variable ") + name + QStringLiteral(" est en lecture seule."));
}

namespace {
// What a declared field accepts, in the descriptor's kinds. A text, a file,
// a folder or a time is any text here (the rules test them by hand).
void declare(TstructParam& p, const FieldDecl& f) {
    const bool named = f.kind == FieldKind::Name || f.kind == FieldKind::Number || f.kind == FieldKind::Variable;
    unsigned kinds = f.presence != Presence::Required ? unsigned(kEmptyAllowed) : 0u;
    if (f.kind == FieldKind::Name) kinds |= kAlphaValue;
    if (f.kind == FieldKind::Number && !f.hasRange()) kinds |= kNumericValue;
    if (named && Allows(f.vars, Vars::Alpha)) kinds |= kAlphaVariable;
    if (named && Allows(f.vars, Vars::Numeric)) kinds |= kNumericVariable;
    p.SetKinds(kinds);
    if (f.kind == FieldKind::Number && f.hasRange()) p.SetRange(f.min, RangeTop(f));
    if (f.kind == FieldKind::Word) p.SetAllowedValues(WordsOf(f));
    if (f.kind == FieldKind::Key) p.SetAllowedValues(KeyNames() + WordsOf(f));
}
}  // namespace

TstructOrdre RowCheck::declared(Command command, const QString& name, const QList<int>& checked) const {
    const ParamView view(command, params, ParamSeparator());
    const auto decls = LayoutOf(command).fields;
    const bool repeats = std::ranges::any_of(decls, &FieldDecl::repeats);
    const int count = repeats ? qMin(fieldCount(), kMaxParamFields) : int(decls.size());
    TstructOrdre d(name, row);
    for (int i = 1; i <= count; ++i) {
        TstructParam& p = d.AddParam(repeats ? f[i] : view.text(i));
        if (checked.isEmpty() || checked.contains(i))
            declare(p, repeats ? view.fieldAt(i) : view.field(i));
    }
    return d;
}

QString kindOf(const QString& name) { return mdlfnct::GetVarType(name); }

bool isInt(const QString& text) { return mdlfnct::IsInteger(text); }

bool fileExists(const QString& name) { return !name.isEmpty() && QFileInfo(name).isFile(); }

}  // namespace Debug
