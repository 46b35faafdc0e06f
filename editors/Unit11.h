#pragma once
#include "core/Form.h"

class TForm11 : public TForm {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);
};

extern TForm11* Form11;
