#include "editors/Unit16.h"

TForm16* Form16 = nullptr;

TForm16::TForm16(QWidget* parent) : TForm(16, QStringLiteral("Spy"), parent) { Form16 = this; }
