#include "core/ProcessPriority.h"

#include "core/Dialogs.h"
#include "platform/Platform.h"

#include <cstring>

int ProcessPriority = 3;

const QStringList& ProcessPriorityNames() {
    static const QStringList names = {QStringLiteral("Temps réel"), QStringLiteral("Haute"),
                                      QStringLiteral("Supérieure à la normale"), QStringLiteral("Normale"),
                                      QStringLiteral("Inférieure à la normale"), QStringLiteral("Basse")};
    return names;
}

namespace {
platform::ProcessScheduling schedulingOf(int index) {
    static constexpr int kNice[] = {0, -10, -10, 0, 19, 19};
    return {index == 0, kNice[index]};
}
}  // namespace

void SetProcessPriority(int index) {
    if (index < 0 || index > 5) return;
    ProcessPriority = index;
    const int error = platform::desktop().SetProcessScheduling(schedulingOf(index));
    if (error != 0)
        ShowMessage(QString::fromLocal8Bit(std::strerror(error)) + QStringLiteral(" (Priority [") +
                    QString::number(index) + QStringLiteral("])"));
}

void StartWithNormalPriority() {
    ProcessPriority = 3;
    const platform::ProcessScheduling now = platform::desktop().GetProcessScheduling();
    if (!now.realTime && now.nice >= 0) return;
    platform::desktop().SetProcessScheduling(schedulingOf(3));
}

int ProcessPriorityInUse() {
    const platform::ProcessScheduling now = platform::desktop().GetProcessScheduling();
    if (now.realTime) return 0;
    for (int index : {1, 3, 5})
        if (schedulingOf(index) == now) return index;
    return -1;
}
