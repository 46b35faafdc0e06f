#include "editors/Unit15.h"

TForm15* Form15 = nullptr;

TForm15::TForm15(QWidget* parent) : TForm(15, QStringLiteral("Lire Ecrire"), parent) { Form15 = this; }
