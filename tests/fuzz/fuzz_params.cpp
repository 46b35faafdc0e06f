// Parameter strings: the splitter and its two rules, the joiner, with the
// separator the first byte gives, each command's fields read through its
// declaration, and the helpers that read a field (numbers, dates, times,
// procedure rows). The rest is the parameter string, Windows-1252.
#include "core/CommandParams.h"
#include "core/Helpers.h"
#include "core/Params.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "platform/Cp1252.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const QString separator = platform::fromCp1252(reinterpret_cast<const char*>(data), 1);
    settings().Separator = separator[0];
    const QString params = platform::fromCp1252(fuzz::bytes(data + 1, size - 1));
    const TParamFields fields = TForm1::GetParam(params);
    QString joined;
    TForm1::GetParamToStr(fields, joined);
    const TParamFields second = SplitFields(params, separator[0], SplitRule::Runner);
    for (int i = 1; i < second.Count && i <= 20; ++i) {
        mdlfnct::IsInteger(second[i]);
        mdlfnct::IsFloat(second[i]);
        mdlfnct::StrToIntOrZero(second[i]);
        mdlfnct::IsValidDate(second[i]);
        mdlfnct::TimeValide(second[i]);
    }
    for (int c = 0; c < kCommandSlots; ++c) {
        const ParamView view(Command(c), params, separator[0], [](const QString& name) { return name; });
        for (int n = 0; n <= view.count() + 1; ++n) {
            view.text(n);
            view.number(n);
            view.word(n);
            view.fieldAt(n);
        }
    }
    mdlfnct::SplitString(params, separator);
    mdlfnct::ProcedureRowRole(params);
    settings().Separator = u';';
    return 0;
}
