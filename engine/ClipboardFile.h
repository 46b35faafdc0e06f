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

// When the name ends exactly in ".clp" (case counts): the operation, with a
// failure reported as a run-time error, and true; else false and nothing done.
bool SaveClipboardIfClp(const QString& fileName);
bool LoadClipboardIfClp(const QString& fileName);

}  // namespace CplBrd
