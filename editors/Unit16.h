#pragma once
#include "core/Form.h"

class TForm16 : public TForm {
    Q_OBJECT
public:
    explicit TForm16(QWidget* parent = nullptr);
};

extern TForm16* Form16;
