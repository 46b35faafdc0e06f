#pragma once
#include "core/Form.h"

class TForm34 : public TForm {
    Q_OBJECT
public:
    explicit TForm34(QWidget* parent = nullptr);
};

extern TForm34* Form34;
