#pragma once
// Base of the program's windows. Each window is named "Form" + its number,
// which is how settings (positions) and language files find it; the window
// registry (core/Windows.h) holds it from its construction on.
#include <QWidget>

class TForm : public QWidget {
    Q_OBJECT
public:
    TForm(int number, const QString& caption, QWidget* parent = nullptr);
    int number() const { return number_; }

private:
    int number_;
};

// Places a window about to be shown, at least as big as its contents need.
// One still at the origin, where every window starts and where the positions
// written for windows never shown put it back, has no place of its own yet:
// it is centred on anchor (on the screen when anchor is null or hidden).
// Whatever its place, it is kept inside the free area of the screen.
// Positions are those of the window's inside (its frame drawn around it),
// so that one read back is exactly the one written.
void PlaceNear(QWidget& window, const QWidget* anchor);
// Gives a window the inside rectangle a settings file kept, moved where
// needed so that its title bar is on a screen. A place at the origin is no
// place: only the size is taken.
void PlaceAt(QWidget& window, const QRect& inside);
