#pragma once
#include "core/Form.h"

class TForm24 : public TForm {
    Q_OBJECT
public:
    explicit TForm24(QWidget* parent = nullptr);
};

extern TForm24* Form24;
