#pragma once
// The "Pause" dialog: a delay "hh:mm:ss" or a variable holding one, a spin
// button stepping the part under the caret, and a clock dial showing the time.
// The row's parameter string is the box's text as typed, whatever its shape
// ("00:00:05", "5;Sec;", "500;MilliSec;", a variable): it comes back whole.
#include "editors/CommandDialog.h"
#include "core/Windows.h"

#include <QImage>
#include <QPen>
#include <QPoint>

class QLabel;
class QToolButton;

// Two arrow buttons; Click(true) for up, Click(false) for down.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget* parent = nullptr);
    QToolButton* Up = nullptr;
    QToolButton* Down = nullptr;
signals:
    void Click(bool up);
};

class TForm7 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    TComboBox* ComboBox1 = nullptr;  // the delay; lists variables
    TUpDown* UpDown1 = nullptr;
    QLabel* Image1 = nullptr;  // the dial with its hands
    QLabel* Image2 = nullptr;  // the clean dial, hidden
    QPoint DialCentre{74, 70};

    // 8 characters "hh:mm:ss": three integer pairs and ":" at positions 3 and 6.
    static bool TimeValide(const QString& text);
    // Where a hand of that length ends for a value on a 60 scale (0 up, clockwise).
    static QPoint HandEnd(QPoint centre, int value, int length);

    void ComboBox1Change();
    void UpDown1Click(bool up);
    void InitCadran();
    void DrawAiguille(int value, int length);

protected:
    void LoadDefaults() override;
    void AfterShow() override;

private:
    QImage dial_;  // Image1's picture while hands are drawn
    QPen pen_;
};

constexpr WindowRef<TForm7> Form7{7};
