#pragma once
#include "core/Form.h"

class TForm21 : public TForm {
    Q_OBJECT
public:
    explicit TForm21(QWidget* parent = nullptr);
};

extern TForm21* Form21;
