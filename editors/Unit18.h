#pragma once
#include "core/Form.h"

class TForm18 : public TForm {
    Q_OBJECT
public:
    explicit TForm18(QWidget* parent = nullptr);
};

extern TForm18* Form18;
