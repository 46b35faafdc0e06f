#pragma once
#include "core/Form.h"

class TForm15 : public TForm {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);
};

extern TForm15* Form15;
