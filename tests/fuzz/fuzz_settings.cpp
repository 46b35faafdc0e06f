// Settings files: every read of the INI class over the file's sections and
// keys, a write back, then the store loaded from the file and written again
// as "Valider" does.
#include "core/Settings.h"
#include "platform/IniFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::start();
    const QString file = fuzz::writeFile(QStringLiteral("config.ini"), fuzz::bytes(data, size));
    {
        platform::IniFile ini(file);
        for (const QString& section : ini.ReadSections()) {
            ini.ReadSectionValues(section);
            for (const QString& key : ini.ReadSection(section)) {
                ini.ReadString(section, key, QString());
                ini.ReadInteger(section, key, 0);
            }
        }
        ini.WriteString(QStringLiteral("General"), QStringLiteral("Mode"), QStringLiteral("Edition"));
        ini.DeleteKey(QStringLiteral("Control"), QStringLiteral("Rapport"));
        ini.EraseSection(QStringLiteral("Outils"));
    }
    LoadSettings(file);
    SaveSettings();
    return 0;
}
