#pragma once
// The painters of styled controls, by kind. The state flags come from the
// style option: hot is the mouse over the control (State_MouseOver), pressed
// is State_Sunken, focused is State_HasFocus.
#include "look/Colors.h"

#include <QStyle>
#include <QStyleOption>

class QPainter;
class QWidget;
class TXPMenu;

namespace xpcontrols {

struct Context {
    TXPMenu& styler;
    const QStyle& style;
    const QStyleOption& option;
    QPainter& p;
    const QWidget* widget;

    bool hot() const { return option.state & QStyle::State_MouseOver; }
    bool focused() const { return option.state & QStyle::State_HasFocus; }
    bool pressed() const { return option.state & QStyle::State_Sunken; }
    bool enabled() const { return option.state & QStyle::State_Enabled; }
    // A control whose Tag is 1000 takes its face from its parent's colour.
    bool tag1000() const;
    TColor own() const;     // the control's colour (its base for edits and lists)
    TColor parent() const;  // the parent's colour
    TColor active() const;  // frame of a hot or focused control
    TColor idle() const;    // frame of a control at rest
    int t() const;          // the width of a scroll bar
};

void Edit(const Context& c, bool bordered);
void HotKey(const Context& c);
void Combo(const Context& c);
void CheckBox(const Context& c);
void Radio(const Context& c);
void PushButton(const Context& c);
void ToolButton(const Context& c);
void SpinBox(const Context& c);
void Panel(const Context& c);
void GroupBox(const Context& c);
void ListBorder(const Context& c);
void ProgressBar(const Context& c);

}  // namespace xpcontrols
