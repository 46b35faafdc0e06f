#include "editors/Unit17.h"

TForm17* Form17 = nullptr;

TForm17::TForm17(QWidget* parent) : TForm(17, QStringLiteral("Liste Objet"), parent) { Form17 = this; }
