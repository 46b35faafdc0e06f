#pragma once
#include "core/Form.h"

class TForm33 : public TForm {
    Q_OBJECT
public:
    explicit TForm33(QWidget* parent = nullptr);
};

extern TForm33* Form33;
