#pragma once
// The key-capture dialog of "Type Special": an on-screen keyboard of 104 key
// buttons (SpeedButton1..SpeedButton110, 104 of them exist) made from the
// key table of core/KeyBoard.h. Each has the key's scan code as its "Tag"
// property and the key's name as its text and tool tip.
#include "core/Form.h"

#include <QToolButton>

// One key of the on-screen keyboard; paints the start of its name that fits.
class TKeyButton : public QToolButton {
    Q_OBJECT
public:
    TKeyButton(int number, int tag, QWidget* parent);
    int Tag() const { return property("Tag").toInt(); }
    // The name shown on the key: as many first characters as width / 7.
    QString Caption() const;

protected:
    void paintEvent(QPaintEvent* e) override;
};

class TForm4 : public TForm {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // Names every key from the active keyboard layout (the key table too); a
    // key the layout does not name keeps its name ("?" until one is read).
    void UpdateKeyBoard();
    // Paints one key in the XP look: a black face, the key's picture (moved
    // up and left while the mouse is over it) and its name centred.
    void PaintSpeedButton(TKeyButton* key, bool hot, bool mouseDown, bool spaceDown);
    // The key button numbered n, null for the six numbers without one.
    TKeyButton* SpeedButton(int n) const;

    QString KeyboardLanguage;
};

extern TForm4* Form4;
