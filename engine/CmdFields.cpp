// Run-time handler of "Champs": a text cut into fields, by delimiters or at
// fixed positions, each field stored into its variable.
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/mdlfnct.h"

#include <QSet>

#include <tuple>

namespace {

// One target: a variable and the characters it takes (1-based, both ends
// included; 0 and 0 when never set).
struct Slot {
    QString name;
    int first = 0;
    int last = 0;
};

int numberOr0(const QString& text) { return mdlfnct::IsInteger(text) ? mdlfnct::StrToIntOrZero(text) : 0; }

// The runs of the text, alternately delimiters and other characters,
// numbered from 1 in order: (first, last) of run n is runs[n - 1].
QVector<QPair<int, int>> runsOf(const QString& text, const QSet<QChar>& delimiters) {
    QVector<QPair<int, int>> runs;
    for (int i = 0; i < text.size();) {
        const bool delimiter = delimiters.contains(text[i]);
        int j = i;
        while (j < text.size() && delimiters.contains(text[j]) == delimiter) ++j;
        runs.append({i + 1, j});
        i = j;
    }
    return runs;
}

}  // namespace

CommandResult ExecFields(CommandCall& c) {
    const TParamFields f = mdlfnct::SplitParams(c.params);
    const QString source = c.Value(f[1]);
    Slot targets[6];
    if (f[2] == QLatin1String("F")) {
        for (int k = 1; k <= 6; ++k) targets[k - 1] = {f[3 * k], numberOr0(f[3 * k + 1]), numberOr0(f[3 * k + 2])};
    } else {
        QSet<QChar> delimiters;
        if (!f[3].isEmpty()) delimiters << u'\t';
        if (!f[4].isEmpty()) delimiters << u' ';
        if (!f[5].isEmpty()) delimiters << u';';
        if (!f[6].isEmpty()) delimiters << u',';
        if (!f[7].isEmpty()) delimiters << f[7][0];
        const QVector<QPair<int, int>> runs = runsOf(source, delimiters);
        for (int k = 1; k <= 6; ++k) {
            Slot& slot = targets[k - 1];
            slot.name = f[2 * k + 6];
            const int run = numberOr0(f[2 * k + 7]);
            if (run >= 1 && run <= runs.size()) std::tie(slot.first, slot.last) = runs[run - 1];
        }
    }
    for (const Slot& slot : targets) {
        if (slot.name.isEmpty()) continue;
        const bool set = slot.first != 0 || slot.last != 0;
        const int from = qMax(slot.first, 1);
        const QString value = set ? source.mid(from - 1, qMax(0, slot.last - from + 1)) : QString();
        c.Write(slot.name, value);
    }
    return Done();
}
