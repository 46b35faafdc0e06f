#include "editors/Unit24.h"

TForm24* Form24 = nullptr;

TForm24::TForm24(QWidget* parent) : TForm(24, QStringLiteral("Calcul évolué"), parent) { Form24 = this; }
