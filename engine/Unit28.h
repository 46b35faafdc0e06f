#pragma once
#include "core/Form.h"

class TForm28 : public TForm {
    Q_OBJECT
public:
    explicit TForm28(QWidget* parent = nullptr);
    ~TForm28() override;
};

extern TForm28* Form28;
// The recorder watches the desktop's events ("[EVENT.ACTIVATE]" is "1").
extern bool EventMonitoring;
// The recorder can record: set when its window is made.
extern bool RecorderAvailable;
// Makes the recorder window when first needed and shows it when the recorder can record.
void ShowRecorderWindow();
