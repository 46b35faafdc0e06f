#pragma once
#include "core/Form.h"

class TForm4 : public TForm {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
};

extern TForm4* Form4;
