#include "editors/Unit12.h"

TForm12* Form12 = nullptr;

TForm12::TForm12(QWidget* parent) : TForm(12, QStringLiteral("Calcul sur variable"), parent) { Form12 = this; }
