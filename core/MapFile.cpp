#include "core/MapFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QVector>
#include <dlfcn.h>

namespace uDebugEx {

namespace {

struct MapData {
    QVector<TUnitItem> units;
    QVector<TProcedureItem> procedures;
    QVector<TLineNumberItem> lines;
};
MapData* map = nullptr;

QString StripChar(QChar ch, QString s) { return s.remove(ch); }
bool StartsWithText(const QString& prefix, const QString& s) { return s.startsWith(prefix, Qt::CaseSensitive); }

bool hex8(const QString& text, quint32* value) {
    bool ok = false;
    *value = text.toUInt(&ok, 16);
    return ok && text.size() == 8;
}

// The segment number before ":" is 1 (code); the eight hexadecimal digits after it.
bool codeAddress(const QString& line, qsizetype* colon, quint32* address) {
    *colon = line.indexOf(u':');
    bool ok = false;
    return line.left(*colon).trimmed().toInt(&ok) == 1 && ok && hex8(line.mid(*colon + 1, 8), address);
}

int DetectMapSection(const QString& line, int current, QString& unit) {
    const QString s = StripChar(u' ', line);
    if (StartsWithText(QStringLiteral("StartLengthNameClass"), s)) return 0;
    if (StartsWithText(QStringLiteral("Detailedmapofsegments"), s)) return 1;
    if (StartsWithText(QStringLiteral("AddressPublicsbyName"), s)) return 2;
    if (StartsWithText(QStringLiteral("AddressPublicsbyValue"), s)) return 3;
    if (StartsWithText(QStringLiteral("Linenumbersfor"), s)) {
        unit = s.mid(14, s.indexOf(u'(') - 14);
        return 4;
    }
    if (StartsWithText(QStringLiteral("Boundresourcefiles"), s)) return 5;
    return current;
}

void ParseSegmentLine(const QString& line) {
    qsizetype colon;
    quint32 start, length;
    if (!codeAddress(line, &colon, &start) || !hex8(line.mid(colon + 10, 8), &length)) return;
    const qsizetype m = line.indexOf(u'M', colon);
    if (m < 0) return;
    const QString rest = line.mid(m + 2);
    map->units.append({rest.left(rest.indexOf(u' ')), start, start + length});
}

void ParsePublicLine(const QString& line) {
    qsizetype colon;
    quint32 address;
    if (codeAddress(line, &colon, &address)) map->procedures.append({line.mid(colon + 9).trimmed(), address});
}

void ParseLineNumbersLine(QString rest, const QString& unit) {
    while (!(rest = rest.trimmed()).isEmpty()) {
        const qsizetype blank = rest.indexOf(u' ');
        if (blank < 0) return;
        const QString number = rest.left(blank);
        rest.remove(0, blank + 1 + 5);  // the blank, then "0001:"
        quint32 address;
        if (!hex8(rest.left(8), &address)) return;  // a malformed group ends the line
        rest.remove(0, 8);
        map->lines.append({unit, number, address});
    }
}

}  // namespace

QString GetMapFileName() {
    const QFileInfo program(QCoreApplication::applicationFilePath());
    const QString suffix = program.suffix();
    const QString path = program.absoluteFilePath();
    return (suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1)) + QStringLiteral(".map");
}

bool LoadMapFile() { return LoadMapFile(GetMapFileName()); }

bool LoadMapFile(const QString& fileName) {
    FreeMapFile();
    map = new MapData;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    QTextStream in(&file);
    int section = -1;
    QString unit;
    for (int n = 0; !in.atEnd(); ++n) {
        if (n % 64 == 0) QCoreApplication::processEvents();  // a long map keeps the window alive
        const QString line = in.readLine();
        section = DetectMapSection(line, section, unit);
        if (line.isEmpty() || !line.contains(u':') || line[0] != u' ') continue;
        switch (section) {
        case 1: ParseSegmentLine(line); break;
        case 3: ParsePublicLine(line); break;
        case 4: ParseLineNumbersLine(line, unit); break;
        default: break;
        }
    }
    return !map->units.isEmpty() && !map->procedures.isEmpty() && !map->lines.isEmpty();
}

void FreeMapFile() {
    delete map;
    map = nullptr;
}

qint64 AddressToMapOffset(quintptr address) {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&AddressToMapOffset), &info) || !info.dli_fbase) return -1;
    const quintptr base = reinterpret_cast<quintptr>(info.dli_fbase) + 0x1000;
    return address < base ? -1 : qint64(address - base);
}

void AddressToUnit(qint64 offset, QString& unitName) {
    if (!map || offset < 0) return;
    for (qsizetype i = map->units.size(); i-- > 0;) {
        const TUnitItem& u = map->units[i];
        if (u.start <= offset && offset <= u.end) {
            unitName = u.name;
            return;
        }
    }
}

void AddressToProcedure(qint64 offset, QString& procName) {
    if (!map || offset < 0) return;
    for (qsizetype i = map->procedures.size(); i-- > 0;) {
        if (map->procedures[i].address <= offset) {
            procName = map->procedures[i].name;
            return;
        }
    }
}

// The line whose code holds the offset: the last record of the unit at or
// below it. An offset past the unit's last record is still inside the unit
// (the segment says so), so that record's line is the answer.
QString AddressToUnitLine(qint64 offset) {
    QString unit;
    AddressToUnit(offset, unit);
    if (unit.isEmpty()) return QString();
    QString line;
    for (const TLineNumberItem& l : map->lines) {
        if (l.unitName != unit) continue;
        if (l.address > offset) break;
        line = l.line;
    }
    return line;
}

}  // namespace uDebugEx
