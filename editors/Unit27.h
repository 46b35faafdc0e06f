#pragma once
#include "core/Form.h"

class TForm27 : public TForm {
    Q_OBJECT
public:
    explicit TForm27(QWidget* parent = nullptr);
};

extern TForm27* Form27;
