#pragma once
#include "core/Form.h"

class TForm12 : public TForm {
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);
};

extern TForm12* Form12;
