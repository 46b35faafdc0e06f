#pragma once
// The desktop's trash, as freedesktop.org file managers lay it
// out: an item's bytes under files/, and under info/ a ".trashinfo" naming
// where it was and when it was trashed.
#include <QString>

namespace platform {

// The home trash: $XDG_DATA_HOME/Trash, ~/.local/share/Trash by default.
QString HomeTrash();

// Moves a file or folder into the trash under a name not taken there yet.
// Items on another file system are copied, then removed. False with the
// reason in `error` when it could not be trashed; nothing is lost then.
bool MoveToTrash(const QString& path, QString* error = nullptr, const QString& trash = HomeTrash());

}  // namespace platform
