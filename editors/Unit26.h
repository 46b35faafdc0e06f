#pragma once
#include "core/Form.h"

class TForm26 : public TForm {
    Q_OBJECT
public:
    explicit TForm26(QWidget* parent = nullptr);
};

extern TForm26* Form26;
