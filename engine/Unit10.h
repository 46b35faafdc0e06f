#pragma once
#include "core/Form.h"

class TForm10 : public TForm {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);
};

extern TForm10* Form10;
