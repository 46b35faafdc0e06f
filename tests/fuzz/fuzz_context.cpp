// Execution contexts (".ctx"): the header alone, as the resume list reads it,
// and the whole file, as a resumed run reads it before changing anything.
#include "engine/ContextOfExecute.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::start();
    const QByteArray bytes = fuzz::bytes(data, size);
    ExecContextHeader header;
    const bool headed = ReadContextHeader(fuzz::writeFile(QStringLiteral("fuzz.ctx"), bytes), header);
    ExecContextContents contents;
    if (!ParseExecutionContext(bytes, contents)) return 0;
    // A whole context has the header the resume list shows, and as many entries as it counts.
    if (!headed || header.MacroPath != contents.Header.MacroPath || contents.Variables.size() != header.VariableCount ||
        contents.Files.size() != header.FileCount)
        std::abort();
    return 0;
}
