#include "core/MacroFileRecord.h"

#include "platform/Cp1252.h"

namespace {
void putShortString(char* out, const QString& text, int room) {
    const QByteArray b = platform::toCp1252(text.left(room));
    out[0] = char(quint8(b.size()));
    std::copy(b.begin(), b.end(), out + 1);
}

QString getShortString(const char* in, int room) {
    const int length = qMin(int(quint8(in[0])), room);
    return platform::fromCp1252(in + 1, length);
}
}  // namespace

QByteArray TMacroFileRecord::toBytes() const {
    QByteArray out(kSize, '\0');
    putShortString(out.data(), keyword, kKeywordSize);
    putShortString(out.data() + 1 + kKeywordSize, params, kParamsSize);
    return out;
}

TMacroFileRecord TMacroFileRecord::fromBytes(const char* bytes) {
    return {getShortString(bytes, kKeywordSize), getShortString(bytes + 1 + kKeywordSize, kParamsSize)};
}
