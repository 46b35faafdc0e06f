#include "look/XPControls.h"

#include "look/XPColors.h"
#include "look/XPMenu.h"
#include "look/XPPaint.h"

#include <QAbstractSpinBox>
#include <QFrame>
#include <QImage>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>

using namespace xppaint;

namespace xpcontrols {

namespace {
TColor colorOf(const QColor& c) { return QColorToColor(c); }

TColor mean(TColor a, TColor b) {
    const QColor x = ColorToQColor(a), y = ColorToQColor(b);
    return colorOf(QColor((x.red() + y.red()) / 2, (x.green() + y.green()) / 2, (x.blue() + y.blue()) / 2));
}

// The square of t pixels a check box or radio button draws its box in. Around
// the box the square keeps the colour the control shows, its parent's: a
// box on a light tab page stands on that page's colour.
Box indicatorSquare(const Context& c) {
    const Box r = Box::of(c.option.rect);
    const int t = std::min({c.t(), r.width(), r.height()});
    const int top = r.t + (r.height() - t) / 2;
    return {r.l, top, r.l + t, top + t};
}

// A small arrow of three rows 5, 3 and 1 pixels wide, its widest row at y.
void arrow(QPainter& p, int centreX, int y, bool up, TColor color) {
    for (int row = 0; row < 3; ++row) {
        const int yy = up ? y - row : y + row;
        line(p, centreX - 2 + row, yy, centreX + 2 - row, yy, color);
    }
}

// Inner lines of a raised (or, pressed, lowered) face.
void bevelLines(QPainter& p, const Box& b, bool pressed, TColor color) {
    if (pressed) {
        line(p, b.l + 2, b.t + 1, b.r - 3, b.t + 1, color);
        line(p, b.l + 1, b.t + 2, b.l + 1, b.b - 3, color);
    } else {
        line(p, b.l + 2, b.b - 2, b.r - 3, b.b - 2, color);
        line(p, b.r - 2, b.t + 2, b.r - 2, b.b - 3, color);
    }
}

// A box whose Tag is 1000 takes base from its parent's colour.
TColor faceOr(const Context& c, TColor normal, int level) {
    return c.tag1000() ? Lighten(c.parent(), level) : normal;
}
}  // namespace

bool Context::tag1000() const { return widget && widget->property("Tag").toInt() == 1000; }

TColor Context::own() const {
    return colorOf(option.palette.color(widget ? widget->backgroundRole() : QPalette::Window));
}

TColor Context::parent() const {
    const QWidget* up = widget ? widget->parentWidget() : nullptr;
    return colorOf(up ? up->palette().color(up->backgroundRole()) : option.palette.color(QPalette::Window));
}

TColor Context::active() const { return Lighten(styler.SelectFrameColor, 60); }
TColor Context::idle() const { return Shade(parent(), 60); }
int Context::t() const { return style.pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, widget); }

void Edit(const Context& c, bool bordered) {
    const Box b = Box::of(c.option.rect);
    const TColor base = colorOf(c.option.palette.color(QPalette::Base));
    TColor frame = c.hot() || c.focused() ? c.active() : c.idle();
    if (!bordered) frame = c.hot() && !c.focused() ? Lighten(mean(base, c.parent()), 40) : base;
    rectangle(c.p, b, frame, base);
}

void HotKey(const Context& c) {
    const QWidget* field = c.widget ? c.widget->parentWidget() : nullptr;
    const bool lit = c.focused() || (field && field->underMouse());
    const Box b = Box::of(c.option.rect);
    rectangle(c.p, b, lit ? c.active() : Shade(colorOf(field ? field->palette().color(QPalette::Window)
                                                              : c.option.palette.color(QPalette::Window)), 60),
              colorOf(c.option.palette.color(QPalette::Base)));
    rectangle(c.p, b.shrunk(1, 1), clWindow);
}

void Combo(const Context& c) {
    const auto* o = qstyleoption_cast<const QStyleOptionComboBox*>(&c.option);
    const TXPMenu& s = c.styler;
    const TColor own = colorOf(c.option.palette.color(QPalette::Base));
    const bool hot = c.hot(), focused = c.focused(), dropped = c.option.state & QStyle::State_On;
    TColor arrowColor = c.enabled() ? 0 : 0xFFFFFF;
    TColor f = hot ? s.SelectFrameColor : own;
    TColor b = hot ? s.SelectFillColor : faceOr(c, clBtnFace, s.FocusLightLevel);
    if (focused && !hot) f = Lighten(s.SelectFrameColor, 60), b = s.CheckAreaColor;
    if (dropped) f = s.SelectFrameColor, b = s.CheckAreaSelectedColor, arrowColor = 0xFFFFFF;

    const Box r = Box::of(c.option.rect);
    rectangle(c.p, r, c.parent(), own);
    const Box inner = hot || focused ? r : r.shrunk(1, 1);
    rectangle(c.p, inner, f);
    if (o && !o->subControls.testFlag(QStyle::SC_ComboBoxArrow)) return;
    const Box area = inner.shrunk(1, 1);
    const int width = c.t() + 1 + (hot || focused ? 1 : 0);
    const bool rtl = c.option.direction == Qt::RightToLeft;
    const Box button = rtl ? Box{area.l, area.t, area.l + width, area.b} : Box{area.r - width, area.t, area.r, area.b};
    fill(c.p, button, b);
    const Box gap = rtl ? Box{button.r - 5, button.t, button.r, button.b} : Box{button.l, button.t, button.l + 5, button.b};
    fill(c.p, gap, own);
    const int edge = rtl ? gap.l - 1 : gap.r;
    line(c.p, edge, button.t, edge, button.b - 1, f);
    const int centre = rtl ? (button.l + gap.l) / 2 : (gap.r + button.r) / 2;
    arrow(c.p, centre, (button.t + button.b) / 2 - 1, false, arrowColor);
}

void CheckBox(const Context& c) {
    const TXPMenu& s = c.styler;
    const Box box = indicatorSquare(c).shrunk(2, 2);
    const bool lit = c.hot() || c.focused();
    const bool grayed = c.option.state & QStyle::State_NoChange;
    TColor area = lit ? s.SelectFillColor : clWindow;
    if (c.pressed()) area = s.CheckAreaSelectedColor;
    if (grayed) area = 0xC0C0C0;
    rectangle(c.p, box, lit ? s.SelectFrameColor : clBtnShadow, area);
    if (!(c.option.state & QStyle::State_On) && !grayed) return;
    const TColor tick = !c.enabled() ? s.DisabledTextColor : c.pressed() ? clWindow : grayed ? 0x808080 : clHighlight;
    const int x = box.l, y = box.b;
    for (int k = 0; k < 3; ++k) {
        line(c.p, x + 2, y - 5 - k, x + 4, y - 3 - k, tick);
        line(c.p, x + 4, y - 3 - k, x + 9, y - 8 - k, tick);
    }
}

void Radio(const Context& c) {
    const TXPMenu& s = c.styler;
    const Box box = indicatorSquare(c).shrunk(2, 2);
    TColor area = c.hot() || c.focused() ? s.SelectFillColor : clWindow;
    if (c.pressed()) area = s.CheckAreaSelectedColor;
    c.p.save();
    c.p.setRenderHint(QPainter::Antialiasing, true);
    c.p.setPen(ColorToQColor(c.hot() ? s.SelectFrameColor : clBtnShadow));
    c.p.setBrush(ColorToQColor(area));
    c.p.drawEllipse(QRectF(box.l + 0.5, box.t + 0.5, box.width() - 1, box.height() - 1));
    if (c.option.state & QStyle::State_On) {
        const Box dot = box.shrunk(2, 2);
        const QColor colour = ColorToQColor(c.enabled() ? clHighlight : s.DisabledTextColor);
        c.p.setPen(colour);
        c.p.setBrush(colour);
        c.p.drawEllipse(QRectF(dot.l + 0.5, dot.t + 0.5, dot.width() - 1, dot.height() - 1));
    }
    c.p.restore();
}

void PushButton(const Context& c) {
    const TXPMenu& s = c.styler;
    const bool hot = c.hot();
    const TColor face = hot ? faceOr(c, Lighten(clBtnFace, s.PressLightLevel), s.PressLightLevel)
                            : faceOr(c, s.IconColumnColor, s.FocusLightLevel);
    const TColor frame = hot || c.focused() ? Lighten(s.SelectFrameColor, 60) : clBtnShadow;
    const Box b = Box::of(c.option.rect);
    fill(c.p, b, c.parent());
    c.p.setPen(ColorToQColor(Lighten(frame, 30)));
    c.p.setBrush(ColorToQColor(face));
    c.p.drawRoundedRect(QRect(b.l, b.t, b.width() - 1, b.height() - 1), 2, 2);
    if (c.enabled()) bevelLines(c.p, b, c.pressed(), Shade(face, 50));
}

void ToolButton(const Context& c) {
    const auto* o = qstyleoption_cast<const QStyleOptionToolButton*>(&c.option);
    if (!o) return;
    const TXPMenu& s = c.styler;
    const bool flat = o->state & QStyle::State_AutoRaise;
    const bool hot = c.hot(), down = o->state & QStyle::State_On, pressed = c.pressed();
    TColor f = hot ? (flat ? s.SelectFillColor : faceOr(c, Lighten(clBtnFace, s.PressLightLevel), s.PressLightLevel))
                   : (flat ? c.parent() : faceOr(c, s.IconColumnColor, s.FocusLightLevel));
    TColor e = hot ? Lighten(s.SelectFrameColor, 60) : clBtnShadow;
    if (down) f = hot ? s.CheckAreaSelectedColor : s.CheckAreaColor, e = s.SelectFrameColor;
    if (!c.enabled()) e = clBtnShadow;
    const Box b = Box::of(o->rect);
    fill(c.p, b, f);
    if (!flat || down || hot) rectangle(c.p, b, Lighten(e, 30));
    if (c.enabled() && flat) {
        if (pressed || down) {
            rectangle(c.p, b, e);
            line(c.p, b.l + 1, b.t + 1, b.r - 2, b.t + 1, Shade(e, 50));
            line(c.p, b.l + 1, b.t + 1, b.l + 1, b.b - 2, Shade(e, 50));
        } else if (hot) {
            rectangle(c.p, b, s.SelectFrameColor);
        }
    } else if (c.enabled()) {
        bevelLines(c.p, b, pressed || down, Shade(e, 50));
    }
    if (!o->icon.isNull() && o->toolButtonStyle == Qt::ToolButtonIconOnly &&
        !(o->features & QStyleOptionToolButton::Arrow)) {
        // The picture alone, with the styler's glyph drawing: dimmed at rest,
        // lifted with its shadow under the mouse, grayed when disabled.
        const QImage glyph = o->icon.pixmap(o->iconSize).toImage();
        const bool lifted = hot && !pressed && c.enabled();
        const int shift = lifted ? 1 : 0;
        c.styler.DrawGlyph(c.p, glyph, b.l + (b.width() - glyph.width()) / 2 - shift,
                           b.t + (b.height() - glyph.height()) / 2 - shift, lifted, c.enabled(), down);
    } else {
        QStyleOptionToolButton label = *o;
        label.rect = b.shrunk(2, 2).rect();
        c.style.drawControl(QStyle::CE_ToolButtonLabel, &label, &c.p, c.widget);
    }
    if (o->features & QStyleOptionToolButton::HasMenu) {
        QStyleOption indicator = *o;
        indicator.rect = QRect(b.r - 9, b.b - 9, 7, 7);
        c.style.drawPrimitive(QStyle::PE_IndicatorArrowDown, &indicator, &c.p, c.widget);
    }
}

void SpinBox(const Context& c) {
    const auto* o = qstyleoption_cast<const QStyleOptionSpinBox*>(&c.option);
    if (!o) return;
    const TXPMenu& s = c.styler;
    Edit(c, o->frame);
    if (o->buttonSymbols == QAbstractSpinBox::NoButtons) return;
    for (const QStyle::SubControl half : {QStyle::SC_SpinBoxUp, QStyle::SC_SpinBoxDown}) {
        const Box r = Box::of(c.style.subControlRect(QStyle::CC_SpinBox, o, half, c.widget));
        const bool halfHot = c.hot() && (o->activeSubControls & half);
        const bool halfDown = halfHot && c.pressed();
        TColor arrowColor = c.enabled() ? 0 : 0xFFFFFF;
        TColor frame = Lighten(c.parent(), 80), face = faceOr(c, Lighten(s.SelectFillColor, s.FocusLightLevel), s.FocusLightLevel);
        if (halfHot) frame = s.SelectFrameColor, face = Lighten(s.SelectFillColor, 60);
        if (halfDown) face = s.CheckAreaSelectedColor, arrowColor = 0xFFFFFF;
        rectangle(c.p, r, frame, face);
        const bool up = half == QStyle::SC_SpinBoxUp;
        arrow(c.p, (r.l + r.r) / 2, (r.t + r.b) / 2 + (up ? 0 : -2), up, arrowColor);
    }
}

void Panel(const Context& c) {
    const auto* o = qstyleoption_cast<const QStyleOptionFrame*>(&c.option);
    const TColor own = colorOf(c.option.palette.color(QPalette::Window));
    const TColor dark = Shade(own, 60), light = Lighten(own, 60);
    const bool lowered = c.option.state & QStyle::State_Sunken;
    const int width = std::max(1, o ? o->lineWidth : 1);
    Box b = Box::of(c.option.rect);
    for (int i = 0; i < width; ++i, b = b.shrunk(1, 1)) {
        const TColor topLeft = lowered ? dark : light, bottomRight = lowered ? light : dark;
        line(c.p, b.l, b.t, b.r - 1, b.t, topLeft);
        line(c.p, b.l, b.t, b.l, b.b - 1, topLeft);
        line(c.p, b.l, b.b - 1, b.r - 1, b.b - 1, bottomRight);
        line(c.p, b.r - 1, b.t, b.r - 1, b.b - 1, bottomRight);
    }
}

void GroupBox(const Context& c) {
    const auto* o = qstyleoption_cast<const QStyleOptionGroupBox*>(&c.option);
    if (!o) return;
    const TColor own = c.own();
    const TColor dark = Shade(own, 60), light = Lighten(own, 60);
    const bool ctl3d = !(o->features & QStyleOptionFrame::Flat);
    const QFontMetrics fm = c.widget ? c.widget->fontMetrics() : c.option.fontMetrics;
    const QString text = o->text.isEmpty() ? QStringLiteral(" ") : QString(o->text).remove(u'&');
    const int h = fm.height(), w = fm.horizontalAdvance(text);
    const Box r = Box::of(o->rect);
    const int y = r.t + h / 2;
    const bool rtl = o->direction == Qt::RightToLeft;
    const Box caption = rtl ? Box{r.r - 9 - w, r.t, r.r - 9, r.t + h} : Box{r.l + 9, r.t, r.l + 9 + w, r.t + h};
    const TColor topLeft = ctl3d ? light : dark;
    line(c.p, r.l, y, r.l, r.b - 1, topLeft);
    line(c.p, r.l, r.b - 1, r.r - 1, r.b - 1, dark);
    line(c.p, r.r - 1, y, r.r - 1, r.b - 1, dark);
    if (!o->text.isEmpty()) {
        line(c.p, r.l, y, caption.l - 2, y, topLeft);
        line(c.p, caption.r + 1, y, r.r - 1, y, topLeft);
        c.p.setPen(o->palette.color(c.enabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        c.p.drawText(caption.rect(), Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, o->text);
    } else {
        line(c.p, r.l, y, r.r - 1, y, topLeft);
    }
}

void ListBorder(const Context& c) {
    const Box b = Box::of(c.option.rect);
    rectangle(c.p, b, c.hot() || c.focused() ? c.active() : c.idle());
    const auto* o = qstyleoption_cast<const QStyleOptionFrame*>(&c.option);
    if (o && o->lineWidth > 1) rectangle(c.p, b.shrunk(1, 1), colorOf(c.option.palette.color(QPalette::Base)));
}

void ProgressBar(const Context& c) {
    rectangle(c.p, Box::of(c.option.rect), c.hot() ? c.styler.SelectFrameColor : c.idle());
}

}  // namespace xpcontrols
