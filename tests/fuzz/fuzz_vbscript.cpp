// VBScript expressions: read and evaluated (twice, as a condition is), the
// text taken as UTF-8. Whatever the text, an answer or an error, never a crash.
#include "core/VBScript.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(fuzz::bytes(data, size));
    vbscript::Expression e;
    if (vbscript::Expression::Parse(text, e)) return 0;
    vbscript::Value v;
    if (!e.Evaluate(v)) vbscript::ToText(v);
    e.Evaluate(v);
    return 0;
}
