#include "engine/Unit31.h"

TForm31* Form31 = nullptr;

TForm31::TForm31(QWidget* parent) : TForm(31, QStringLiteral("Recherche d'image"), parent) { Form31 = this; }
