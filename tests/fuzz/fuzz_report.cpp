// The execution report's rich text: read into a document, written back and
// read again, as the report's file list shows a saved report.
#include "core/Rtf.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QTextCursor>
#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::start();
    QTextDocument read;
    QTextCursor cursor(&read);
    rtf::insert(cursor, fuzz::bytes(data, size));
    QTextDocument again;
    QTextCursor end(&again);
    rtf::insert(end, rtf::fromDocument(read));
    return 0;
}
