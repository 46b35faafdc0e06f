#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

QString programFolder() {
    const QString home = qEnvironmentVariable("ORVANEL_HOME");
    if (!home.isEmpty()) return QDir(home).absolutePath();
    return QCoreApplication::applicationDirPath();
}

QString programFile(const QString& name) { return QDir(programFolder()).filePath(name); }

}  // namespace platform
