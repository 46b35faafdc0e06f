#include "editors/Unit8.h"

TForm8* Form8 = nullptr;

TForm8::TForm8(QWidget* parent) : TForm(8, QStringLiteral("Déclaration de variable"), parent) { Form8 = this; }
