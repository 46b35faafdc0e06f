#include "look/XPStyle.h"

#include "look/XPColors.h"
#include "look/XPControls.h"
#include "look/XPMenu.h"
#include "look/XPPaint.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QRadioButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolButton>
#include <functional>

using namespace xppaint;

namespace {
// Room added to each measured item, as the system adds a check-mark width
// to the items it lets a program draw: the caption and the sub-menu arrow
// stay inside the item.
constexpr int kCheckMarkRoom = 12;

// The action a menu or menu bar paints in rectangle r, or measures with text.
QAction* itemAt(const QWidget* widget, const QStyleOptionMenuItem& option, bool byRect) {
    QList<QAction*> actions;
    std::function<QRect(QAction*)> geometry;
    if (auto* menu = qobject_cast<const QMenu*>(widget)) {
        actions = menu->actions();
        geometry = [menu](QAction* a) { return menu->actionGeometry(a); };
    } else if (auto* bar = qobject_cast<const QMenuBar*>(widget)) {
        actions = bar->actions();
        geometry = [bar](QAction* a) { return bar->actionGeometry(a); };
    }
    for (QAction* a : actions) {
        if (byRect ? geometry(a) == option.rect : option.text.section(u'\t', 0, 0) == a->text().section(u'\t', 0, 0))
            return a;
    }
    return nullptr;
}

TMenuItemInfo menuItemInfo(const QStyleOptionMenuItem& option, bool topLevel) {
    TMenuItemInfo item;
    item.topLevel = topLevel;
    item.caption = option.menuItemType == QStyleOptionMenuItem::Separator ? QStringLiteral("-")
                                                                         : option.text.section(u'\t', 0, 0);
    item.shortcut = option.text.contains(u'\t') ? option.text.section(u'\t', 1) : QString();
    if (!option.icon.isNull()) item.glyph = option.icon.pixmap(16, 16).toImage();
    item.hasSubItems = option.menuItemType == QStyleOptionMenuItem::SubMenu;
    item.checked = option.checkType != QStyleOptionMenuItem::NotCheckable && option.checked;
    item.radio = option.checkType == QStyleOptionMenuItem::Exclusive;
    item.enabled = option.state & QStyle::State_Enabled;
    item.isDefault = option.menuItemType == QStyleOptionMenuItem::DefaultItem;
    item.rightToLeft = option.direction == Qt::RightToLeft;
    return item;
}

// The styler of the item painted or measured, or null.
TXPMenu* itemStyler(const QStyleOption* option, const QWidget* widget, bool byRect) {
    auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!item) return nullptr;
    QAction* action = itemAt(widget, *item, byRect);
    // Separators are made with their menu: they take its look.
    if (action && action->isSeparator() && !action->property("XPStyled").isValid() &&
        action->property("Tag").toInt() != 999)
        return TXPMenu::StylerOfMenu(qobject_cast<const QMenu*>(widget));
    return TXPMenu::StylerOf(action);
}

// A small arrow pointing to a sub-menu, at the right of its item.
void drawSubMenuArrow(QPainter& p, const QRect& r, bool rightToLeft, TColor color) {
    const int cy = r.center().y();
    for (int i = 0; i < 4; ++i) {
        const int x = rightToLeft ? r.left() + 4 + i : r.right() - 4 - i;
        line(p, x, cy - i, x, cy + i, color);
    }
}

xpcontrols::Context context(TXPMenu& styler, const QStyle& style, const QStyleOption* option, QPainter* p,
                            const QWidget* widget) {
    styler.ComputeColors(p->device());
    return {styler, style, *option, *p, widget};
}
}  // namespace

TXPStyle::TXPStyle(QStyle* base) : QProxyStyle(base) {}

void TXPStyle::Install() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app || qobject_cast<TXPStyle*>(QApplication::style())) return;
    QStyle* base = QStyleFactory::create(QApplication::style()->name());
    if (!base) base = QStyleFactory::create(QStringLiteral("Fusion"));
    QApplication::setStyle(new TXPStyle(base));
}

bool TXPStyle::drawMenu(ControlElement element, const QStyleOption* option, QPainter* p, const QWidget* widget) const {
    const bool top = element == CE_MenuBarItem;
    TXPMenu* styler = itemStyler(option, widget, true);
    if (!styler) return false;
    const auto& o = *qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    const TMenuItemInfo item = menuItemInfo(o, top);
    const bool selected = top ? bool(o.state & State_Sunken) : bool(o.state & State_Selected);
    const bool hot = top && (o.state & State_Selected) && !(o.state & State_Sunken);
    styler->DrawMenuItem(*p, o.rect, item, selected, hot);
    if (item.hasSubItems && !top)
        drawSubMenuArrow(*p, o.rect, item.rightToLeft,
                         !item.enabled ? styler->DisabledTextColor : selected ? styler->SelectTextColor : styler->FontColor);
    return true;
}

void TXPStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                           const QWidget* widget) const {
    if ((element == CE_MenuItem || element == CE_MenuBarItem) && drawMenu(element, option, painter, widget)) return;
    TXPMenu* styler = TXPMenu::StylerOf(widget);
    if (styler) {
        const auto c = context(*styler, *this, option, painter, widget);
        switch (element) {
            case CE_PushButtonBevel: return xpcontrols::PushButton(c);
            case CE_ShapedFrame: {
                const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
                if (!frame || frame->frameShape == QFrame::NoFrame || frame->frameShape == QFrame::HLine ||
                    frame->frameShape == QFrame::VLine)
                    break;
                if (XPControlKind(widget) == xcPanel) {
                    if (!(option->state & (State_Sunken | State_Raised))) break;
                    return xpcontrols::Panel(c);
                }
                if (qobject_cast<const QAbstractScrollArea*>(widget)) return xpcontrols::ListBorder(c);
                break;
            }
            case CE_ProgressBar:
                QProxyStyle::drawControl(element, option, painter, widget);
                return xpcontrols::ProgressBar(c);
            default: break;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void TXPStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    if (element == PE_PanelMenu || element == PE_FrameMenu) {
        if (TXPMenu* styler = TXPMenu::StylerOfMenu(qobject_cast<const QMenu*>(widget))) {
            styler->ComputeColors(painter->device());
            const Box b = Box::of(option->rect);
            if (element == PE_PanelMenu) {
                fill(*painter, b, styler->ItemColor);
                const int column = pixelMetric(PM_MenuPanelWidth, option, widget) + styler->IconWidth;
                fill(*painter, option->direction == Qt::RightToLeft ? Box{b.r - column, b.t, b.r, b.b} : Box{b.l, b.t, b.l + column, b.b},
                     styler->IconColumnColor);
            }
            rectangle(*painter, b, styler->MenuBorderColor);
            return;
        }
    }
    if (TXPMenu* styler = TXPMenu::StylerOf(widget)) {
        const auto c = context(*styler, *this, option, painter, widget);
        switch (element) {
            case PE_PanelLineEdit:
                if (qobject_cast<const QLineEdit*>(widget)) {
                    auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
                    return xpcontrols::Edit(c, frame && frame->lineWidth > 0);
                }
                break;
            case PE_IndicatorCheckBox:
                if (qobject_cast<const QCheckBox*>(widget)) return xpcontrols::CheckBox(c);
                break;
            case PE_IndicatorRadioButton:
                if (qobject_cast<const QRadioButton*>(widget)) return xpcontrols::Radio(c);
                break;
            case PE_FrameFocusRect: return;  // focus shows in the frame colour
            default: break;
        }
    }
    // The field of a styled key-sequence control is its inner edit.
    if (element == PE_PanelLineEdit && widget && qobject_cast<const QKeySequenceEdit*>(widget->parentWidget()))
        if (TXPMenu* styler = TXPMenu::StylerOf(widget->parentWidget()))
            return xpcontrols::HotKey(context(*styler, *this, option, painter, widget));
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void TXPStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                  const QWidget* widget) const {
    if (TXPMenu* styler = TXPMenu::StylerOf(widget)) {
        const auto c = context(*styler, *this, option, painter, widget);
        switch (control) {
            case CC_ComboBox: return xpcontrols::Combo(c);
            case CC_SpinBox: return xpcontrols::SpinBox(c);
            case CC_ToolButton:
                // The keys of the on-screen keyboard paint themselves.
                if (widget->parentWidget() && widget->parentWidget()->objectName() == QLatin1String("Form4")) break;
                return xpcontrols::ToolButton(c);
            case CC_GroupBox:
                if (!(qstyleoption_cast<const QStyleOptionGroupBox*>(option)->subControls & SC_GroupBoxCheckBox))
                    return xpcontrols::GroupBox(c);
                break;
            default: break;
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

QSize TXPStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                 const QWidget* widget) const {
    const QSize base = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type != CT_MenuItem && type != CT_MenuBarItem) return base;
    TXPMenu* styler = itemStyler(option, widget, false);
    if (!styler) return base;
    const auto& o = *qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    int width = 0, height = 0;
    const TMenuItemInfo item = menuItemInfo(o, type == CT_MenuBarItem);
    styler->MeasureMenuItem(item, width, height);
    // The menu adds the widest shortcut to its items itself: an item measured
    // with its own gives that room back.
    if (!item.shortcut.isEmpty()) width = std::max(width - o.reservedShortcutWidth, 1);
    if (type == CT_MenuItem) return {width + kCheckMarkRoom, height};
    return {width, base.height()};  // the bar keeps its own height
}

int TXPStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
            if ((qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget)) &&
                TXPMenu::StylerOf(widget))
                return pixelMetric(PM_ScrollBarExtent, option, widget);
            break;
        case PM_MenuPanelWidth:
            // A styled pop-up keeps a window frame, drawn in the menu border colour.
            if (TXPMenu::StylerOfMenu(qobject_cast<const QMenu*>(widget)))
                return std::max(1, QProxyStyle::pixelMetric(metric, option, widget));
            break;
        default: break;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}
