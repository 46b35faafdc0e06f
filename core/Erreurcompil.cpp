#include "core/Erreurcompil.h"

TForm35* Form35 = nullptr;

TForm35::TForm35(QWidget* parent) : TForm(35, QStringLiteral("Erreur"), parent) { Form35 = this; }
