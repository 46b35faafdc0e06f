// The Windows-1252 codec: every byte string survives a round trip through
// text, and every text keeps its length through the bytes.
#include "platform/Cp1252.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytes(data, size);
    if (platform::toCp1252(platform::fromCp1252(bytes)) != bytes) std::abort();
    const QString text(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
    const QByteArray encoded = platform::toCp1252(text);
    if (encoded.size() != text.size() || platform::fromCp1252(encoded).size() != text.size()) std::abort();
    return 0;
}
