#include "core/CheckReport.h"

QString TCheckReport::ErrorLines() const {
    QString lines;
    for (const TCheckFinding& f : findings_)
        if (f.kind == QLatin1String("Erreur")) lines += QStringLiteral("\n  ligne %1 : %2").arg(f.caption, f.message);
    return lines;
}

void TCheckReport::Clear() {
    findings_.clear();
    ErrorCount = 0;
    StructureBroken = false;
    emit Cleared();
}

void TCheckReport::Add(const TCheckFinding& finding) {
    findings_.append(finding);
    emit Added(finding);
}

void TCheckReport::RemoveValidRow() {
    if (findings_.isEmpty() || findings_.first().kind != QLatin1String("Valide")) return;
    findings_.removeFirst();
    emit FirstRemoved();
}
