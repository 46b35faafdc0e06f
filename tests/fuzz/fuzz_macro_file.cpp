// Macro files through both readers. The first byte chooses: the general
// loader or File > Open (bit 0); the password dialog given the file's own
// password, a wrong one, or cancelled (bits 1-2); replacing the macro or
// inserting rows (bit 3); a command-line run (bit 4). The rest is the file.
#include "core/FileDialog.h"
#include "core/MacroFile.h"
#include "core/MacroFileRecord.h"
#include "core/Unit1.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/TestServices.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    TForm1& form = fuzz::newMacro();
    const uint8_t how = data[0];
    const QString file = fuzz::writeFile(QStringLiteral("fuzz.mcr"), fuzz::bytes(data + 1, size - 1));
    TMacroFileData stored;
    stored.load(file, nullptr);
    const int answer = (how >> 1) & 3;
    fuzz::answerPassword(answer == 0 ? stored.password() : answer == 1 ? QStringLiteral("faux") : QString());
    StartMode().commandLineRun = how & 16;
    if (how & 1) {
        testServices().onChooseFile = [&file](TFileDialog& dialog) {
            dialog.FileName = file;
            return true;
        };
        form.Ouvrir1Click();
        testServices().onChooseFile = nullptr;
    } else {
        form.OpenFileMacro(file, form.ListView1, QStringLiteral("Chargement"), how & 8 ? 0 : -1);
    }
    StartMode().commandLineRun = false;
    return 0;
}
