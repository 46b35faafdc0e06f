#include "editors/Unit14.h"

TForm14* Form14 = nullptr;

TForm14::TForm14(QWidget* parent) : TForm(14, QStringLiteral("Insertion d'un commentaire"), parent) { Form14 = this; }
