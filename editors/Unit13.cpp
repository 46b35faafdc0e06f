#include "editors/Unit13.h"

TForm13* Form13 = nullptr;

TForm13::TForm13(QWidget* parent) : TForm(13, QStringLiteral("Fonctions"), parent) { Form13 = this; }
