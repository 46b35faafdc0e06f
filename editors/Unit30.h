#pragma once
#include "core/Form.h"

class TForm30 : public TForm {
    Q_OBJECT
public:
    explicit TForm30(QWidget* parent = nullptr);
};

extern TForm30* Form30;
