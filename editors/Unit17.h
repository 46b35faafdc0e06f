#pragma once
#include "core/Form.h"

class TForm17 : public TForm {
    Q_OBJECT
public:
    explicit TForm17(QWidget* parent = nullptr);
};

extern TForm17* Form17;
