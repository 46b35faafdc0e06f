#pragma once
#include "core/Form.h"

class TForm22 : public TForm {
    Q_OBJECT
public:
    explicit TForm22(QWidget* parent = nullptr);
};

extern TForm22* Form22;
