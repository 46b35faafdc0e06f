#pragma once
#include "core/Form.h"

class TForm36 : public TForm {
    Q_OBJECT
public:
    explicit TForm36(QWidget* parent = nullptr);
};

extern TForm36* Form36;
