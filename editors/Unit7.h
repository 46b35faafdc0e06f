#pragma once
#include "core/Form.h"

class TForm7 : public TForm {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
};

extern TForm7* Form7;
