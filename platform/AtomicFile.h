#pragma once
// Replacing a file in one step: the bytes go to a temporary file beside it,
// reach the disk and only then take its name. A failed write (a full disk, a
// read-only folder) leaves the old file whole and no temporary file behind.
#include <QByteArray>
#include <QString>
#include <functional>

namespace platform {

// False when the file could not be replaced; *error then holds the system's
// reason ("No space left on device").
bool WriteFileAtomically(const QString& fileName, const QByteArray& bytes, QString* error = nullptr);
// The same for contents too big to hold: write puts them into the open
// temporary file (false, with errno set, when that failed).
bool WriteFileAtomically(const QString& fileName, const std::function<bool(int fd)>& write, QString* error = nullptr);

}  // namespace platform
