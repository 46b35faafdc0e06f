#pragma once
// Inclusions: an "Inclusion" row names a macro file whose rows take its place
// while the macro runs.
#include "core/MacroDocument.h"

#include <QString>

class TForm1;

inline const QString kInclusionKeyword = QStringLiteral("Inclusion");
constexpr int kInclusionIcon = 29;

namespace editing {
void buildInclusionsUi(TForm1& form);
}

// Expands the "Inclusion" rows of doc into the rows of their files, nested
// ones too, each noted in doc.Includes. A file that includes itself (ownFile,
// the document's own file, heads the nesting) is a loop: that row stays
// folded, the user is told, and the answer is false.
bool LoadInclusions(TMacroDocument& doc, const QString& ownFile);
// Folds back exactly the rows the expansion inserted, wherever edits moved
// them; rows the user added stay, included rows the user deleted are simply
// not there to remove.
void UnloadInclusions(TMacroDocument& doc);
// The rows the document's file holds: its inclusions folded, the document untouched.
QVector<MacroCommand> FoldedRows(const TMacroDocument& doc);
