#pragma once
#include "core/Form.h"

class TForm25 : public TForm {
    Q_OBJECT
public:
    explicit TForm25(QWidget* parent = nullptr);
};

extern TForm25* Form25;
