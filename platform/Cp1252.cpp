#include "platform/Cp1252.h"

#include "platform/Cp1252Table.h"

namespace platform {

namespace {
constexpr const auto& kHigh = kCp1252High;
}  // namespace

QString fromCp1252(const char* bytes, int length) {
    QString out(length, Qt::Uninitialized);
    QChar* d = out.data();
    for (int i = 0; i < length; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b <= 0x9F) ? QChar(kHigh[b - 0x80]) : QChar(b);
    }
    return out;
}

QString fromCp1252(const QByteArray& bytes) { return fromCp1252(bytes.constData(), int(bytes.size())); }

char toCp1252(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return char(u);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u) return char(0x80 + i);
    return '?';
}

QByteArray toCp1252(const QString& text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    char* d = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) d[i] = toCp1252(text[i]);
    return out;
}

QStringList cp1252Lines(const QByteArray& bytes) {
    QStringList lines = fromCp1252(bytes).split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r')) line.chop(1);
    if (lines.last().isEmpty()) lines.removeLast();
    return lines;
}

}  // namespace platform
