#pragma once
// Windows-1252, the byte encoding of macro files, settings and language files.
#include <QByteArray>
#include <QString>

namespace platform {

QString fromCp1252(const QByteArray& bytes);
QString fromCp1252(const char* bytes, int length);
// Characters with no Windows-1252 byte become '?'.
QByteArray toCp1252(const QString& text);
char toCp1252(QChar c);

}  // namespace platform
