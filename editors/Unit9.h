#pragma once
#include "core/Form.h"

class TForm9 : public TForm {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
};

extern TForm9* Form9;
