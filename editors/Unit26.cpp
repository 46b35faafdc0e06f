#include "editors/Unit26.h"

TForm26* Form26 = nullptr;

TForm26::TForm26(QWidget* parent) : TForm(26, QStringLiteral("Commande Exécute"), parent) { Form26 = this; }
