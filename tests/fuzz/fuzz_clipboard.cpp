// The command clipboard: "clipboard.tmp" pasted as rows, one per whole
// record (first byte even), or the system clipboard's text pasted as rows
// (first byte odd, the rest read as UTF-8).
#include "core/CplBrd.h"
#include "core/Unit1.h"
#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    TForm1& form = fuzz::newMacro();
    fuzz::focusList(form);  // the paste acts on the list only when it has the focus
    const QByteArray rest = fuzz::bytes(data + 1, size - 1);
    if (data[0] & 1) {
        static_cast<platform::FakePlatform&>(platform::desktop()).clipboard = QString::fromUtf8(rest);
        form.Collerapartirduntextesimple1Click();
    } else {
        fuzz::writeFile(QStringLiteral("clipboard.tmp"), rest);
        form.Coller2Click();
        if (form.ListView1->count() != rest.size() / TMacroFileRecord::kSize) std::abort();  // a row per whole record
    }
    return 0;
}
