#pragma once
// The "Examine" dialog ("Condition"): a variable compared with an operand.
#include "editors/OperandsDialog.h"
#include "core/Windows.h"

class TForm11 : public TOperandsDialog {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);
};

constexpr WindowRef<TForm11> Form11{11};
