#pragma once
// Clipboard files (".clp"): the whole clipboard, every format, saved and
// restored. A file is a run of records, all integers little-endian: the
// format's name length in UTF-16 code units (32 bits), the name (UTF-16LE,
// no terminator; a MIME type), the data size in bytes (32 bits), the data.
// A 0 length ends the file.
#include "platform/Platform.h"

#include <QByteArray>
#include <QString>
#include <QVector>

namespace CplBrd {

QByteArray EncodeClipboardFile(const QVector<platform::ClipboardFormat>& formats);
// False when the bytes are not a whole clipboard file (sizes that run past
// its end, a name longer than 400 code units, anything after the end mark).
bool DecodeClipboardFile(const QByteArray& bytes, QVector<platform::ClipboardFormat>& formats);

// Each answers "" when done, else why not. A failed restore leaves the
// clipboard as it was.
QString SaveClipboardToFile(const QString& fileName);
QString LoadClipboardFromFile(const QString& fileName);

// The name ends exactly in ".clp" (case counts).
bool IsClpFile(const QString& fileName);
// The failures of a save and of a restore: file, then reason.
inline const QString kSaveFailure = QStringLiteral("Impossible d'enregistrer le presse-papiers dans le fichier %1 (%2).");
inline const QString kLoadFailure = QStringLiteral("Impossible de restaurer le presse-papiers depuis le fichier %1 (%2).");

}  // namespace CplBrd
