#include "engine/ClipboardFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <limits>

namespace CplBrd {

namespace {

constexpr quint32 kNameLimit = 400;  // code units

void putSize(QByteArray& out, quint32 n) {
    char b[4];
    qToLittleEndian(n, b);
    out.append(b, 4);
}

}  // namespace

QByteArray EncodeClipboardFile(const QVector<platform::ClipboardFormat>& formats) {
    QByteArray out;
    for (const platform::ClipboardFormat& f : formats) {
        if (f.mimeType.isEmpty()) continue;
        putSize(out, quint32(f.mimeType.size()));
        for (const QChar c : f.mimeType) {
            char b[2];
            qToLittleEndian(c.unicode(), b);
            out.append(b, 2);
        }
        putSize(out, quint32(f.data.size()));
        out += f.data;
    }
    putSize(out, 0);
    return out;
}

bool DecodeClipboardFile(const QByteArray& bytes, QVector<platform::ClipboardFormat>& formats) {
    formats.clear();
    qsizetype at = 0;
    auto size = [&](quint32& n) {
        if (bytes.size() - at < 4) return false;
        n = qFromLittleEndian<quint32>(bytes.constData() + at);
        at += 4;
        return true;
    };
    for (quint32 length; size(length);) {
        if (length == 0) return at == bytes.size();
        if (length > kNameLimit || bytes.size() - at < qsizetype(length) * 2) return false;
        QString name(qsizetype(length), Qt::Uninitialized);
        for (quint32 i = 0; i < length; ++i, at += 2)
            name[i] = QChar(qFromLittleEndian<quint16>(bytes.constData() + at));
        quint32 dataSize;
        if (!size(dataSize) || bytes.size() - at < qsizetype(dataSize)) return false;
        formats << platform::ClipboardFormat{name, bytes.mid(at, dataSize)};
        at += dataSize;
    }
    return false;  // no end mark
}

QString SaveClipboardToFile(const QString& fileName) {
    const QVector<platform::ClipboardFormat> formats = platform::desktop().GetClipboardData();
    for (const platform::ClipboardFormat& f : formats)
        if (quint64(f.data.size()) > std::numeric_limits<quint32>::max())
            return QStringLiteral("le format %1 est trop grand").arg(f.mimeType);
    const QByteArray bytes = EncodeClipboardFile(formats);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return QString();
}

QString LoadClipboardFromFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return file.errorString();
    QVector<platform::ClipboardFormat> formats;
    if (!DecodeClipboardFile(file.readAll(), formats))
        return QStringLiteral("ce n'est pas un fichier presse-papiers valide");
    platform::desktop().SetClipboardData(formats);
    QCoreApplication::processEvents();
    return QString();
}

bool IsClpFile(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot >= 0 && fileName.mid(dot) == QLatin1String(".clp");
}

}  // namespace CplBrd
