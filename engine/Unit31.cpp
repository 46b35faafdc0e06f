#include "engine/Unit31.h"

#include "engine/Handlers.h"

TForm31* Form31 = nullptr;

TForm31::TForm31(QWidget* parent) : TForm(31, QStringLiteral("Recherche d'image"), parent) { Form31 = this; }

// The image search keeps no reference pictures yet: nothing to release.
void ReleaseImageSearchCache() {}
