#pragma once
#include "core/Form.h"

class TForm8 : public TForm {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);
};

extern TForm8* Form8;
