#include "editors/Unit11.h"

TForm11* Form11 = nullptr;

TForm11::TForm11(QWidget* parent) : TOperandsDialog(kExamineTable, parent) { Form11 = this; }
