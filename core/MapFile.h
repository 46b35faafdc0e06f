#pragma once
// The program's own map file ("orvanel.map" beside the executable, written
// at build time from its symbols and line tables) and the lookups of a code
// address in it: the source unit, the nearest public symbol and the line.
//
// The map keeps the classic linker-map line shapes:
//   Detailed map of segments
//    0001:00000000 00000120 C=CODE     S=.text    G=(none)   M=RunControl ACBP=A9
//   Address         Publics by Value
//    0001:00000010       TForm1::Execute(QObject*, bool, int)
//   Line numbers for RunControl(engine/RunControl.cpp) segment .text
//       12 0001:00000010    13 0001:0000001C
// Offsets count from the code base: the module's load address plus $1000.
#include <QString>

namespace uDebugEx {

struct TUnitItem {
    QString name;
    quint32 start = 0;
    quint32 end = 0;
};
struct TProcedureItem {
    QString name;
    quint32 address = 0;
};
struct TLineNumberItem {
    QString unitName;
    QString line;
    quint32 address = 0;
};

// Reads the map beside the program; true when segments, publics and lines were found.
bool LoadMapFile();
bool LoadMapFile(const QString& fileName);
void FreeMapFile();
QString GetMapFileName();

// The offset of a code address in the map; -1 below the code base.
qint64 AddressToMapOffset(quintptr address);
// Leave the name unchanged when nothing matches (also for a negative offset).
void AddressToUnit(qint64 offset, QString& unitName);
void AddressToProcedure(qint64 offset, QString& procName);
QString AddressToUnitLine(qint64 offset);

}  // namespace uDebugEx
