#pragma once
#include "core/Form.h"

class TForm28 : public TForm {
    Q_OBJECT
public:
    explicit TForm28(QWidget* parent = nullptr);
};

extern TForm28* Form28;
// The recorder watches the desktop's events ("[EVENT.ACTIVATE]" is "1").
extern bool EventMonitoring;
