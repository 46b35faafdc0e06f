#include "core/Params.h"

QChar CarSepParam = u';';

TParamFields GetParam(const QString& s) {
    TParamFields fields;
    int n = 1;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == CarSepParam)
            ++n;
        else if (fields[n].size() < kMaxFieldLength)
            fields[n] += s[i];
        if (n >= 20) break;
    }
    if (!s.isEmpty() && s.back() != CarSepParam) ++n;
    fields.Count = n;
    return fields;
}
