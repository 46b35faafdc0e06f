#include "platform/Cp1252.h"

#include <array>

namespace platform {

namespace {
// Bytes 0x80..0x9F; the five bytes the code page leaves unassigned map to the
// C1 control of the same number so that every byte survives a round trip.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
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

}  // namespace platform
