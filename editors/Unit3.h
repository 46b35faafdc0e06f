#pragma once
#include "core/Form.h"

class TForm3 : public TForm {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
};

extern TForm3* Form3;
