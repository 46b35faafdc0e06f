#pragma once
// The 32 built-in command keywords. A keyword's case number is its position
// plus one; a keyword not in the table (case 0) is a plug-in command.
#include <QString>
#include <array>

inline constexpr int kCommandCount = 32;
extern const std::array<QString, kCommandCount> CommandNames;

// 1..32, or 0 for a plug-in keyword. Exact, case-sensitive.
int CommandCase(const QString& keyword);
// The icon of a built-in command (-1 for case 0).
int CommandIcon(int caseNumber);

// Looks up the icon of a plug-in command; installed by the plug-in loader.
// Without one, every plug-in keyword has icon -1.
using PluginIconLookup = int (*)(const QString& keyword);
void setPluginIconLookup(PluginIconLookup lookup);
int PluginIcon(const QString& keyword);
