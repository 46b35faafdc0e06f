#include "editors/Unit36.h"

TForm36* Form36 = nullptr;

TForm36::TForm36(QWidget* parent) : TForm(36, QStringLiteral("Procédure"), parent) { Form36 = this; }
