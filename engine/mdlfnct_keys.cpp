// The key-name table of the on-screen keyboard and the scan-code mapping.
#include "core/Debug.h"
#include "core/KeyBoard.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

#include <array>

using namespace platform;

namespace mdlfnct {

QVector<KeyNameEntry> KeyNameTable;

namespace {
// Buttons whose key the scan code cannot tell (numeric pad, arrows, ...).
constexpr std::pair<int, quint32> kFixedCodes[] = {
    {106, 37}, {107, 40}, {108, 39}, {109, 38}, {100, 45}, {101, 36}, {102, 33}, {103, 46}, {104, 35},
    {105, 34}, {3, 91},   {6, 93},   {16, 44},  {17, 145}, {18, 19},  {92, 96},  {96, 97},  {97, 98},
    {98, 99},  {84, 100}, {85, 101}, {86, 102}, {88, 103}, {89, 104}, {90, 105}, {94, 108}, {80, 144},
    {81, 111}, {82, 106}, {83, 109}, {91, 107}, {87, 13},  {1, 18},   {5, 92},
};
}  // namespace

// The layout places letters and digits; see platform::Platform::MapVirtualKey.
quint32 MapVirtualKeyA(quint32 code, int mapType) { return desktop().MapVirtualKey(code, unsigned(mapType)); }

void BuildKeyNameTable() {
    KeyNameTable = QVector<KeyNameEntry>(kKeyButtons);
    for (const KeyPlace& k : KeyPlaces()) {
        const int scan = k.tag >= 100 ? k.tag - 100 : k.tag;
        KeyNameEntry& e = KeyNameTable[k.number - 1];
        e.name = KeyName(k.number);
        e.scan = scan;
        e.extended = k.tag >= 100;
        e.code = MapVirtualKeyA(quint32(scan), 1);
        if (e.code == 0) Debug::AddCheckError(0, Debug::kAvertissement, QStringLiteral("Error to MapVirtualKey"), 0);
    }
    for (const auto& [button, code] : kFixedCodes) KeyNameTable[button - 1].code = code;
}

QString KeyNameOfVk(quint32 vk) {
    BuildKeyNameTable();
    for (const KeyNameEntry& e : KeyNameTable)
        if (e.code == vk) return e.name;
    return QString();
}

QString LastKeyNameOfVk(quint32 vk) {
    BuildKeyNameTable();
    for (qsizetype i = KeyNameTable.size(); i-- > 0;)
        if (KeyNameTable[i].code == vk) return KeyNameTable[i].name;
    return QString();
}

}  // namespace mdlfnct
