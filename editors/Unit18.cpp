#include "editors/Unit18.h"

TForm18* Form18 = nullptr;

TForm18::TForm18(QWidget* parent) : TForm(18, QStringLiteral("Manipulation sur objet"), parent) { Form18 = this; }
