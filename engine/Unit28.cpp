#include "engine/Unit28.h"

TForm28* Form28 = nullptr;

TForm28::TForm28(QWidget* parent) : TForm(28, QStringLiteral("Enregistreur"), parent) { Form28 = this; }
