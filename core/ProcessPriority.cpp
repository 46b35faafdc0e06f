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

void SetProcessPriority(int index) {
    if (index < 0 || index > 5) return;
    ProcessPriority = index;
    static constexpr int kNice[] = {-20, -20, -10, 0, 19, 19};
    const int error = platform::desktop().SetProcessNice(kNice[index]);
    if (error != 0)
        ShowMessage(QString::fromLocal8Bit(std::strerror(error)) + QStringLiteral(" (Priority [") +
                    QString::number(index) + QStringLiteral("])"));
}
