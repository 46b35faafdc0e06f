#include "core/CommandNames.h"

const std::array<QString, kCommandCount> CommandNames = [] {
    std::array<QString, kCommandCount> names;
    for (int i = 0; i < kCommandCount; ++i) names[i] = QString::fromUtf16(kCommands[i].keyword);
    return names;
}();

int CommandCase(const QString& keyword) {
    for (int i = 0; i < kCommandCount; ++i)
        if (CommandNames[i] == keyword) return i + 1;
    return 0;
}

int CommandIcon(int caseNumber) {
    return caseNumber >= 1 && caseNumber <= kCommandCount ? CommandLine(caseNumber).icon : -1;
}
