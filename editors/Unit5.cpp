#include "editors/Unit5.h"

TForm5* Form5 = nullptr;

TForm5::TForm5(QWidget* parent) : TForm(5, QStringLiteral("Déplacement Curseur"), parent) { Form5 = this; }
