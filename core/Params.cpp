#include "core/Params.h"

#include "core/Settings.h"

QChar ParamSeparator() {
    const QString& s = settings().Separator;
    return s.isEmpty() ? u';' : s.front();
}

TParamFields SplitFields(QStringView text, QChar separator, SplitRule rule) {
    TParamFields f;
    int n = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != separator) {
            if (f[n].size() < kMaxFieldLength) f[n] += text[i];
        } else if (i == text.size() - 1 || ++n > kMaxParamFields) {
            break;
        }
    }
    f.Count = text.isEmpty() ? 1 : n + 1;
    if (rule == SplitRule::Runner) f.Count = qMax(f.Count, 2);
    if (rule == SplitRule::Editor) {
        f[kMaxParamFields].clear();
        if (f.Count > kMaxParamFields) f.Count = text.endsWith(separator) ? kMaxParamFields : kMaxParamFields + 1;
    }
    return f;
}

QString FieldsAfter(QStringView text, int fieldsBefore, QChar separator) {
    qsizetype from = 0;
    for (int i = 0; i < fieldsBefore; ++i) {
        const qsizetype at = text.indexOf(separator, from);
        if (at < 0) return QString();
        from = at + 1;
    }
    return text.mid(from).toString();
}

namespace {
// What stands after that many fields, up to the separator before the last field.
QString middleText(QStringView text, int fieldsBefore, QChar separator) {
    QString tail = FieldsAfter(text, fieldsBefore, separator);
    if (tail.endsWith(separator)) tail.chop(1);
    const qsizetype cut = tail.lastIndexOf(separator);
    return cut < 0 ? QString() : tail.left(cut);
}
}  // namespace

QString ValueAt(const QString& text, const TParamFields& fields, ParamPlace place, QChar separator) {
    switch (place.kind) {
        case ParamPlace::Field: return place.n >= 1 && place.n <= kMaxParamFields ? fields[place.n] : QString();
        case ParamPlace::Rest: return FieldsAfter(text, place.n, separator);
        case ParamPlace::Whole: return text;
        case ParamPlace::Middle: return middleText(text, place.n, separator);
        case ParamPlace::Last:
            return fields.Count > 1 ? fields[qMin(fields.Count - 1, kMaxParamFields)] : QString();
        case ParamPlace::None: break;
    }
    return QString();
}
