// The clipboards. The first byte chooses what the rest is: the command
// clipboard's "clipboard.tmp" (even, bit 1 clear: one row per whole record),
// a clipboard file ".clp" (even, bit 1 set: decoded, and written back the same
// when whole), or a text pasted as rows (odd, UTF-8: each line split into a
// known keyword and its parameters).
#include "core/CplBrd.h"
#include "engine/ClipboardFile.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    fuzz::start();
    const QByteArray rest = fuzz::bytes(data + 1, size - 1);
    if (data[0] & 1) {
        for (const QString& line : CplBrd::PastedLines(QString::fromUtf8(rest))) {
            QString keyword, params;
            if (CplBrd::SplitCommandLine(line, keyword, params) &&
                (keyword.isEmpty() || params.size() > TMacroFileRecord::kParamsSize))
                std::abort();  // a keyword found, parameters that fit a row
        }
    } else if (data[0] & 2) {
        QVector<platform::ClipboardFormat> formats;
        if (CplBrd::DecodeClipboardFile(rest, formats) && CplBrd::EncodeClipboardFile(formats) != rest) std::abort();
    } else {
        QVector<TMacroFileRecord> records;
        if (!CplBrd::ReadRecords(fuzz::writeFile(QStringLiteral("clipboard.tmp"), rest), records)) std::abort();
        if (records.size() != rest.size() / TMacroFileRecord::kSize) std::abort();  // a row per whole record
    }
    return 0;
}
