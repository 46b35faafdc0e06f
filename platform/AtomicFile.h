#pragma once
// Replacing a file in one step: the bytes go to a temporary file beside it,
// reach the disk and only then take its name. A failed write (a full disk, a
// read-only folder) leaves the old file whole and no temporary file behind.
// The temporary file is named after the target, the mark ".orvanel-tmp." and
// the writing process ("config.ini.orvanel-tmp.4242.a1B2c3"), so that one
// left by a program killed mid-save is known for what it is.
#include <QByteArray>
#include <QString>
#include <functional>

namespace platform {

// Who may read the file written.
enum class FileAccess {
    Kept,       // an existing file's permissions; for a new file, the usual ones
    OwnerOnly,  // read and written by its owner only (0600)
};

// False when the file could not be replaced; *error then holds the system's
// reason ("No space left on device").
bool WriteFileAtomically(const QString& fileName, const QByteArray& bytes, QString* error = nullptr,
                         FileAccess access = FileAccess::Kept);
// The same for contents too big to hold: write puts them into the open
// temporary file (false, with errno set, when that failed).
bool WriteFileAtomically(const QString& fileName, const std::function<bool(int fd)>& write, QString* error = nullptr,
                         FileAccess access = FileAccess::Kept);

// Removes the temporary files of saves in that folder whose process is gone
// (killed before it could rename or remove them); a save going on stays.
// Answers how many were removed.
int RemoveStrayTemporaryFiles(const QString& folder);

}  // namespace platform
