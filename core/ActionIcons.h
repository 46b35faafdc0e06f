#pragma once
// The pictures of the menu entries and tool-bar buttons that act on the macro
// and the run, drawn in the style of the command icons (core/icons); the
// breakpoint and the watch take the command list's own pictures.
#include <QIcon>

class QWidget;

// The picture of an action by its name ("new", "open", "run"...); null for a
// name without one.
QIcon ActionIcon(const char* name);
// Gives the window's menu items, sub-menus and buttons that act on the macro
// and the run their pictures, found by object name; an item the window does
// not hold is passed over. A tool bar's button shows its picture at the
// tool bar's icon size.
void ShowActionIcons(QWidget& window);
