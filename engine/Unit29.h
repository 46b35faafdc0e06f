#pragma once
#include "core/Form.h"

class TForm29 : public TForm {
    Q_OBJECT
public:
    explicit TForm29(QWidget* parent = nullptr);
};

extern TForm29* Form29;
