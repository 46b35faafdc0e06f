#pragma once
// The window of the visual-effect program: a small panel above every other
// window, which takes no focus and lets the mouse through, showing an
// animated picture and a text. The main program drives it by messages.
#include "platform/Platform.h"

#include <QBasicTimer>
#include <QWidget>

class QMovie;

class EffectWindow : public QWidget {
public:
    EffectWindow();
    // One message of the main program (platform/ProgramMessages.h).
    void handle(const platform::ProgramMessage& message);

protected:
    void paintEvent(QPaintEvent*) override;
    void timerEvent(QTimerEvent*) override;

private:
    void fit();
    QMovie* movie_ = nullptr;  // the picture, when it can be read
    QString text_;
    QPoint position_;
    QBasicTimer tick_;  // the drawn animation, without a picture
    QBasicTimer above_;  // keeps it above the windows raised after it
    int step_ = 0;
};
