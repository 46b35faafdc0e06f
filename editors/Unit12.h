#pragma once
// The "Calcul" dialog ("Calcul sur variable"): a variable, an operator and an operand.
#include "editors/OperandsDialog.h"

class TForm12 : public TOperandsDialog {
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);
};

extern TForm12* Form12;
