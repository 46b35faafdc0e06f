#include "engine/mdlfnct.h"

#include "core/Unit1.h"

namespace mdlfnct {

TParamFields SplitParams(const QString& s) {
    TParamFields f;
    int n = 1;
    for (qsizetype i = 0; i < s.size() && n <= 20; ++i) {
        if (s[i] == CarSepParam) {
            if (i != s.size() - 1) ++n;
        } else if (f[n].size() < kMaxFieldLength) {
            f[n] += s[i];
        }
    }
    f.Count = n + 1;
    return f;
}

bool LineHasParam(int row, const QString& text) {
    if (!Form1 || !Form1->ListView1->hasRow(row)) return false;
    const TParamFields f = SplitParams(Form1->ListView1->params(row));
    for (int i = 1; i < f.Count && i <= 20; ++i)
        if (f[i] == text) return true;
    return false;
}

int CountCommandsWithParam(const QString& keyword, const QString& text) {
    if (!Form1) return 0;
    int count = 0;
    for (int r = 0; r < Form1->ListView1->count(); ++r)
        if (Form1->ListView1->keyword(r) == keyword && LineHasParam(r, text)) ++count;
    return count;
}

// Not yet written: the validators and variable lookups of the helper library.
TStrArray SplitString(const QString& text, const QString& delimiter) { return text.split(delimiter); }
bool IsInteger(const QString& text) { Q_UNUSED(text); return false; }
bool IsFloat(const QString& text) { Q_UNUSED(text); return false; }
int StrToIntOrZero(const QString& text) { Q_UNUSED(text); return 0; }
bool IsValidDate(const QString& text) { Q_UNUSED(text); return false; }
bool IsValidFileName(const QString& name) { Q_UNUSED(name); return false; }
bool IsValidPath(const QString& path) { Q_UNUSED(path); return false; }
QString GetVarValue(const QString& name) { return name; }
QString GetVarType(const QString& name) { Q_UNUSED(name); return QStringLiteral("No_Type"); }

}  // namespace mdlfnct
