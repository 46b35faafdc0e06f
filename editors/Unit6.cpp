#include "editors/Unit6.h"

TForm6* Form6 = nullptr;

TForm6::TForm6(QWidget* parent) : TForm(6, QStringLiteral("Clic Souris"), parent) { Form6 = this; }
