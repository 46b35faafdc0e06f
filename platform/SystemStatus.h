#pragma once
// Power and processor state of the machine, read from /sys and /proc.
#include <QString>

namespace platform {

// Remaining battery charge in percent; -1 when there is no battery or its
// charge is not known.
int BatteryPercent(const QString& powerSupplyDir = QStringLiteral("/sys/class/power_supply"));
// The power line: 0 on battery, 1 on mains, 255 when not known.
int PowerLineStatus(const QString& powerSupplyDir = QStringLiteral("/sys/class/power_supply"));
// Load of all the processors together, 0 to 100 percent, over the time since
// the previous call (since the machine started on the first call).
double ProcessorLoad(const QString& procStat = QStringLiteral("/proc/stat"));

}  // namespace platform
