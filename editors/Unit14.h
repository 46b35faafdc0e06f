#pragma once
#include "core/Form.h"

class TForm14 : public TForm {
    Q_OBJECT
public:
    explicit TForm14(QWidget* parent = nullptr);
};

extern TForm14* Form14;
