#pragma once
#include "core/Form.h"

class TForm37 : public TForm {
    Q_OBJECT
public:
    explicit TForm37(QWidget* parent = nullptr);
};

extern TForm37* Form37;
