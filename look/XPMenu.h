#pragma once
// The XP-style look of menus and controls. This is its switch and its entry
// points; a component or menu item styled while the look is active carries the
// property "XPStyled". A component whose Tag property is 999 is left out.
#include <QObject>

class QAction;
class QWidget;

class TXPMenu : public QObject {
    Q_OBJECT
public:
    explicit TXPMenu(QObject* owner);

    bool Active() const { return active_; }
    void SetActive(bool on) { active_ = on; }

    // Gives one window or control the XP look.
    void StyleComponent(QWidget* component);
    // Gives a menu item (and, with subItems, everything under it) the XP look.
    void StyleMenuItemTree(QAction* item, bool subItems = true);

private:
    bool active_ = false;
};
