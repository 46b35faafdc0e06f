// Macro files: the whole records of the file, what the reader tells of it,
// its password records, and its rows read into a document as the readers do.
// The first byte chooses: the open macro's special records kept (bit 0),
// "[ALIAS_EXE]" decoded like the others (bit 1), the rows inserted between
// two rows already there instead of replacing them (bit 3). The rest is the file.
#include "core/IgnoreMsg.h"
#include "core/MacroDocument.h"
#include "core/MacroFile.h"
#include "core/MacroFileLoad.h"
#include "core/MacroFileRecord.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    fuzz::start();
    const uint8_t how = data[0];
    const QString file = fuzz::writeFile(QStringLiteral("fuzz.mcr"), fuzz::bytes(data + 1, size - 1));
    TMacroFileData stored;
    if (!stored.load(file, nullptr)) return 0;
    stored.warning(file, how & 1);
    const QString password = stored.password();
    stored.sourceOnly();
    for (int i = 0; i < stored.count(); ++i) {
        stored.record(i, !password.isEmpty());
        const TMacroFileRecord plain = stored.record(i, false);
        const TMacroFileRecord again = TMacroFileRecord::fromBytes(plain.toBytes().constData());
        if (again.keyword != plain.keyword || again.params != plain.params) std::abort();  // a record survives a write
        TMacroFileRecord::storedKeyword(stored.at(i));
    }

    TMacroDocument doc;
    const bool insert = how & 8;
    if (insert) doc.append({{QStringLiteral("Label"), QStringLiteral("a;"), -1}, {QStringLiteral("Goto"), QStringLiteral("a;"), -1}});
    macrofile::ReadOptions opt;
    opt.list = &doc;
    opt.position = insert ? 1 : -1;
    opt.mainList = how & 1;
    opt.decodeAlias = how & 2;
    const int rows = macrofile::readRecords(nullptr, stored, password, opt);
    if (doc.count() != rows + (insert ? 2 : 0)) std::abort();  // every row read is in the document
    doc.Variables(true, true);
    doc.ProceduresBalanced(doc.count() - 1, false);
    TTabIgnoreMsg.clear();
    OpenMacroFile().aliasExe.clear();
    return 0;
}
