#include "editors/Unit22.h"

TForm22* Form22 = nullptr;

TForm22::TForm22(QWidget* parent) : TForm(22, QStringLiteral("Trouve image"), parent) { Form22 = this; }
