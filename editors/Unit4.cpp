#include "editors/Unit4.h"

TForm4* Form4 = nullptr;

TForm4::TForm4(QWidget* parent) : TForm(4, QStringLiteral("Saisie de touche"), parent) { Form4 = this; }
