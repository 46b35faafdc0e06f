// The program's map file: loaded, then asked for the unit, procedure and
// line of offsets around every address it names.
#include "core/MapFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::start();
    using namespace uDebugEx;
    LoadMapFile(fuzz::writeFile(QStringLiteral("fuzz.map"), fuzz::bytes(data, size)));
    for (size_t i = 0; i + 4 <= size && i < 64; i += 4) {
        const qint64 offset = qint64(data[i]) | qint64(data[i + 1]) << 8 | qint64(data[i + 2]) << 16 |
                              qint64(data[i + 3]) << 24;
        QString unit, procedure;
        AddressToUnit(offset, unit);
        AddressToProcedure(offset, procedure);
        AddressToUnitLine(offset);
    }
    AddressToUnitLine(-1);
    FreeMapFile();
    return 0;
}
