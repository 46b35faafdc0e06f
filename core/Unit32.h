#pragma once
#include "core/Form.h"

class TForm32 : public TForm {
    Q_OBJECT
public:
    explicit TForm32(QWidget* parent = nullptr);
};

extern TForm32* Form32;
