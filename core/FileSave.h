#pragma once
// Saves that say why they failed. A file is replaced in one step; when that
// fails, the old file stays whole and an error box names the file and the
// system's reason.
#include "platform/AtomicFile.h"

#include <QByteArray>
#include <QString>

namespace platform {
class IniFile;
}

bool SaveFile(const QString& fileName, const QByteArray& bytes,
              platform::FileAccess access = platform::FileAccess::Kept);
// Writes the pending changes of a settings file.
bool SaveIniFile(platform::IniFile& ini);
