#pragma once
// The "Calcul" dialog ("Calcul sur variable"): a variable, an operator and an operand.
#include "editors/OperandsDialog.h"
#include "core/Windows.h"

class TForm12 : public TOperandsDialog {
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);
};

constexpr WindowRef<TForm12> Form12{12};
