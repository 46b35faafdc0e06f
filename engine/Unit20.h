#pragma once
#include "core/Form.h"

class TForm20 : public TForm {
    Q_OBJECT
public:
    explicit TForm20(QWidget* parent = nullptr);
};

extern TForm20* Form20;
