#pragma once
// Inclusions: an "Inclusion" row names a macro file whose rows take its place
// while the macro runs; TForm1::LoadInclusions expands, UnloadInclusions folds.
#include <QString>

class TForm1;

inline const QString kInclusionKeyword = QStringLiteral("Inclusion");
constexpr int kInclusionIcon = 29;

namespace editing {
void buildInclusionsUi(TForm1& form);
}
