#include "editors/Unit11.h"

TForm11::TForm11(QWidget* parent) : TOperandsDialog(kExamineTable, parent) {}
