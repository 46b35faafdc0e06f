#include "tools/rm_Utils.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMimeDatabase>

QString RemoveExtension(const QString& s) {
    const QString t = s.trimmed();
    const qsizetype dot = t.lastIndexOf(u'.');
    return dot < 0 ? t : t.left(dot);
}

QByteArray ScrambleContainerPassword(const QByteArray& s, int key) {
    QByteArray out(s.size(), '\0');
    for (qsizetype i = 0; i < s.size(); ++i) out[i] = char((static_cast<unsigned char>(s[s.size() - 1 - i]) + key) & 0xFF);
    return out;
}

QString FormatByteSize(qint64 size) {
    if (size < 1000) return QString::number(size) + QStringLiteral(" Octets");
    struct Unit {
        double scale;
        const char* name;
    };
    static constexpr Unit kUnits[] = {{1e3, " Ko"}, {1e6, " Mo"}, {1e9, " Go"}};
    const Unit& unit = size < 1000000 ? kUnits[0] : size < 1000000000 ? kUnits[1] : kUnits[2];
    return QLocale(QLocale::French).toString(double(size) / unit.scale, 'g', 15) + QLatin1String(unit.name);
}

QString AttributesToText(int attributes, bool longForm) {
    struct Bit {
        int bit;
        const char* longText;
        const char* letter;
    };
    static constexpr Bit kBits[] = {{1, "Lecture seule/", "L"},
                                    {2, "Fichier caché/", "C"},
                                    {4, "Fichier Système/", "S"},
                                    {32, "Archive", "A"}};
    QString text;
    for (const Bit& b : kBits)
        if (attributes & b.bit) text += QString::fromUtf8(longForm ? b.longText : b.letter);
    return text;
}

int FileAttributes(const QString& path) {
    const QFileInfo info(path);
    int attributes = 32;
    if (!(info.permissions() & QFileDevice::WriteOwner)) attributes |= 1;
    if (info.fileName().startsWith(u'.')) attributes |= 2;
    return attributes;
}

QString FileTypeName(const QString& path) {
    static const QMimeDatabase mimes;
    return mimes.mimeTypeForFile(path, QMimeDatabase::MatchExtension).comment().left(80);
}

void DeleteFilesByMask(const QString& folder, const QString& mask, bool recursive, bool removeFolder) {
    QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& e : entries) {
        if (e.isDir() && !e.isSymLink()) {
            if (recursive) DeleteFilesByMask(e.filePath(), mask, recursive, removeFolder);
            continue;
        }
        const QString name = e.fileName();
        const qsizetype dot = name.lastIndexOf(u'.');
        const QString pattern = u'*' + (dot < 0 ? QString() : name.mid(dot));
        if (mask == u"*.*" || pattern.compare(mask, Qt::CaseInsensitive) == 0) dir.remove(name);
    }
    if (removeFolder) QDir().rmdir(folder);
}
