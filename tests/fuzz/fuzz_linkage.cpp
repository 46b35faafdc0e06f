// Other-language linkage files and the texts they describe. The input is the
// linkage file (".OtherLangEditor"), a line "----", then a text of that
// language: the file read for each use, the text's "LangEditor=" line, its
// statements imported as rows, and those rows written back as text.
#include "platform/Cp1252.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tools/OtherLang.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::start();
    const auto [linkage, text] = fuzz::twoParts(fuzz::bytes(data, size));
    const QString file = fuzz::writeFile(QStringLiteral("fuzz.OtherLangEditor"), linkage);
    const TLinkageFile import = ReadLinkageFile(file, LinkageUse::Import);
    const QStringList lines = platform::cp1252Lines(text);
    QString name;
    qsizetype next = 0;
    LinkageNameOf(lines, name, next);
    QVector<MacroCommand> rows;
    for (; next < lines.size() && rows.size() < 200; ++next) {
        if (lines[next].trimmed().isEmpty()) continue;
        for (const MacroCommand& r : OtherLangStatements(import, lines[next])) {
            if (r.keyword.size() > 20 || r.params.size() > 255) std::abort();  // what fits a row
            rows << r;
        }
    }
    OtherLangRows(ReadLinkageFile(file, LinkageUse::Export), rows);
    OtherLangRows(ReadLinkageFile(file, LinkageUse::Copy), rows);
    return 0;
}
