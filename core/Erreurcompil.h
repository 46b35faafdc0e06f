#pragma once
#include "core/Form.h"

class TForm35 : public TForm {
    Q_OBJECT
public:
    explicit TForm35(QWidget* parent = nullptr);
};

extern TForm35* Form35;
