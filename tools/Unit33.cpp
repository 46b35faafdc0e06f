#include "tools/Unit33.h"

TForm33* Form33 = nullptr;

TForm33::TForm33(QWidget* parent) : TForm(33, QStringLiteral("Ajout de fichiers supplèmentaires"), parent) { Form33 = this; }
