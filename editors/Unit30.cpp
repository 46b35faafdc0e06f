#include "editors/Unit30.h"

TForm30* Form30 = nullptr;

TForm30::TForm30(QWidget* parent) : TForm(30, QStringLiteral("Définition de champs"), parent) { Form30 = this; }
