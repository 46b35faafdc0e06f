#pragma once
// Support routines of the resource container: names, the password as the
// trailer stores it, and the texts of an entry's sizes and attributes.
#include <QByteArray>
#include <QString>

// Cuts the trimmed text before its last "." wherever it stands (also in a
// folder name); unchanged when there is none.
QString RemoveExtension(const QString& s);
// The bytes from the last to the first, each raised by key (modulo 256).
QByteArray ScrambleContainerPassword(const QByteArray& s, int key);
// "999 Octets", "1,5 Ko", "2,5 Mo", "3 Go" (decimal units, French decimals).
QString FormatByteSize(qint64 size);
// Attribute bits 1 read-only, 2 hidden, 4 system, 32 archive, in that order:
// "Lecture seule/", "Fichier caché/", "Fichier Système/", "Archive" (long
// form) or the letters "L", "C", "S", "A".
QString AttributesToText(int attributes, bool longForm);
// The attribute bits of a file: 32, plus 1 when its owner may not write it,
// plus 2 for a name beginning with ".".
int FileAttributes(const QString& path);
// The desktop's name for the type of a file name (the file need not exist).
QString FileTypeName(const QString& path);
// Deletes the files of folder that match mask ("*.*" for all, else "*" and
// an extension, any ASCII case), in its sub-folders too when recursive, then
// the folder itself when asked and empty. Links are removed, never followed.
void DeleteFilesByMask(const QString& folder, const QString& mask, bool recursive, bool removeFolder);
