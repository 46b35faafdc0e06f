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
    const ParamView& p = c.param;
    auto numberOr0 = [&p](int n) { return int(p.integer(n).value_or(0)); };
    const QString source = p.value(1);
    Slot targets[6];
    if (p.text(2) == QLatin1String("F")) {
        for (int k = 1; k <= 6; ++k) targets[k - 1] = {p.text(3 * k), numberOr0(3 * k + 1), numberOr0(3 * k + 2)};
    } else {
        QSet<QChar> delimiters;
        if (!p.text(3).isEmpty()) delimiters << u'\t';
        if (!p.text(4).isEmpty()) delimiters << u' ';
        if (!p.text(5).isEmpty()) delimiters << u';';
        if (!p.text(6).isEmpty()) delimiters << u',';
        if (const QString other = p.text(7); !other.isEmpty()) delimiters << other[0];
        const QVector<QPair<int, int>> runs = runsOf(source, delimiters);
        for (int k = 1; k <= 6; ++k) {
            Slot& slot = targets[k - 1];
            slot.name = p.text(2 * k + 6);
            const int run = numberOr0(2 * k + 7);
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
