#pragma once
#include <QString>

namespace platform {

// The folder beside the executable where settings, "clipboard.tmp",
// "temp.sqc", language files and plug-ins live. The environment variable
// ORVANEL_HOME moves it (tests, installed copies).
QString programFolder();
// A file of the program folder.
QString programFile(const QString& name);

}  // namespace platform
