#pragma once
#include "core/Form.h"

class TForm31 : public TForm {
    Q_OBJECT
public:
    explicit TForm31(QWidget* parent = nullptr);
};

extern TForm31* Form31;
