#pragma once
#include "core/Form.h"

class TForm2 : public TForm {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
};

extern TForm2* Form2;
