#include "look/XPMenu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace {
bool leftOut(const QObject* o) { return o->property("Tag").toInt() == 999; }
}  // namespace

TXPMenu::TXPMenu(QObject* owner) : QObject(owner) { setObjectName(QStringLiteral("XPMenu1")); }

void TXPMenu::StyleComponent(QWidget* component) {
    if (!active_ || !component || leftOut(component)) return;
    component->setProperty("XPStyled", true);
}

void TXPMenu::StyleMenuItemTree(QAction* item, bool subItems) {
    if (!active_ || !item || leftOut(item)) return;
    item->setProperty("XPStyled", true);
    if (!subItems || !item->menu()) return;
    for (QAction* sub : item->menu()->actions()) StyleMenuItemTree(sub, true);
}
