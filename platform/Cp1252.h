#pragma once
// Windows-1252, the byte encoding of macro files, settings and language files.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

QString fromCp1252(const QByteArray& bytes);
QString fromCp1252(const char* bytes, int length);
// Characters with no Windows-1252 byte become '?'.
QByteArray toCp1252(const QString& text);
char toCp1252(QChar c);
// The lines of a Windows-1252 text: split at each "\n", a "\r" before it
// dropped; a final line break ends the last line (no empty line after it).
QStringList cp1252Lines(const QByteArray& bytes);

}  // namespace platform
