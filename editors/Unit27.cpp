#include "editors/Unit27.h"

TForm27* Form27 = nullptr;

TForm27::TForm27(QWidget* parent) : TForm(27, QStringLiteral("Boite à outils"), parent) { Form27 = this; }
