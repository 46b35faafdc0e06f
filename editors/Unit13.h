#pragma once
#include "core/Form.h"

class TForm13 : public TForm {
    Q_OBJECT
public:
    explicit TForm13(QWidget* parent = nullptr);
};

extern TForm13* Form13;
