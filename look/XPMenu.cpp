#include "look/XPMenu.h"

#include "look/XPColors.h"
#include "look/XPMenuManager.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPaintDevice>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <cmath>

namespace {
// Every styler alive; a mark names its styler, which may be gone.
QList<TXPMenu*>& stylers() {
    static QList<TXPMenu*> alive;
    return alive;
}

bool leftOut(const QObject* o) { return o && o->property("Tag").toInt() == 999; }

void mark(QObject* o, TXPMenu* styler) {
    o->setProperty("XPStyled", true);
    o->setProperty("XPMenu", QVariant::fromValue(static_cast<QObject*>(styler)));
}

void unmark(QObject* o) {
    o->setProperty("XPStyled", QVariant());
    o->setProperty("XPMenu", QVariant());
}

TXPMenu* markedBy(const QObject* o) {
    if (!o || !o->property("XPStyled").toBool()) return nullptr;
    auto* styler = static_cast<TXPMenu*>(o->property("XPMenu").value<QObject*>());
    return stylers().contains(styler) ? styler : nullptr;
}

bool has(quint32 set, int bit) { return bit >= 0 && (set >> bit) & 1U; }

// The kind of parent a control sits on, or -1 when it holds no styled control
// (the inside of another control: a combo's edit, a tab bar's arrows).
int containerKind(const QWidget* parent) {
    if (!parent) return -1;
    if (parent->isWindow()) return xccForm;
    const int kind = XPControlKind(parent);
    if (kind == xcPanel) return xccPanel;
    if (kind == xcGroupBox) return xccGroupBox;
    if (kind >= 0 || qobject_cast<const QTabBar*>(parent)) return -1;
    if (parent->parentWidget() && parent->parentWidget()->inherits("QStackedWidget")) return xccTabSheet;
    if (parent->parentWidget() && parent->parentWidget()->parentWidget() &&
        parent->parentWidget()->parentWidget()->inherits("QScrollArea"))
        return xccScrollBox;
    return xccForm;  // the client area of a form
}

// A control styler would style under its switches, ignoring the Tag.
bool styleable(const TXPMenu& styler, const QWidget* w) {
    return has(styler.XPControls, XPControlKind(w)) && has(styler.XPContainers, containerKind(w->parentWidget()));
}
}  // namespace

int XPControlKind(const QWidget* w) {
    if (!w || w->isWindow()) return -1;
    if (qobject_cast<const QComboBox*>(w)) return xcCombo;
    if (qobject_cast<const QLineEdit*>(w)) return xcEdit;
    if (qobject_cast<const QPlainTextEdit*>(w)) return xcMemo;
    if (qobject_cast<const QTextEdit*>(w)) return xcRichEdit;
    if (qobject_cast<const QCheckBox*>(w)) return xcCheckBox;
    if (qobject_cast<const QRadioButton*>(w)) return xcRadioButton;
    if (auto* b = qobject_cast<const QPushButton*>(w)) return b->icon().isNull() ? xcButton : xcBitBtn;
    if (qobject_cast<const QToolButton*>(w)) return xcSpeedButton;
    if (qobject_cast<const QAbstractSpinBox*>(w)) return xcUpDown;
    if (qobject_cast<const QGroupBox*>(w)) return xcGroupBox;
    if (qobject_cast<const QTreeView*>(w)) return xcTreeView;
    if (qobject_cast<const QListView*>(w)) return xcListBox;
    if (qobject_cast<const QAbstractItemView*>(w)) return xcListView;
    if (qobject_cast<const QProgressBar*>(w)) return xcProgressBar;
    if (qobject_cast<const QKeySequenceEdit*>(w)) return xcHotKey;
    if (w->metaObject() == &QFrame::staticMetaObject) return xcPanel;
    return -1;
}

TXPMenu::TXPMenu(QObject* owner) : QObject(owner), form_(qobject_cast<QWidget*>(owner)) {
    setObjectName(QStringLiteral("XPMenu1"));
    Font = QApplication::font("QMenu");
    stylers().append(this);
    if (form_) ComputeColors();
    TXPMenuManager::Attach(this);
}

TXPMenu::~TXPMenu() {
    stylers().removeAll(this);
    TXPMenuManager::Detach(this);
}

void TXPMenu::SetActive(bool on) {
    if (on == active_) return;
    active_ = on;
    if (on && form_) StyleComponent(form_);
    TXPMenuManager::RepaintAll();
}

TXPMenu* TXPMenu::StylerOf(const QWidget* w) {
    if (!w || leftOut(w) || leftOut(w->parentWidget())) return nullptr;
    TXPMenu* styler = markedBy(w);
    // A control added to a styled form after it was styled takes its look too.
    if (!styler && !w->isWindow())
        if (TXPMenu* form = markedBy(w->window()); form && styleable(*form, w)) styler = form;
    return styler && styler->Active() ? styler : nullptr;
}

TXPMenu* TXPMenu::StylerOf(const QAction* item) {
    if (!item || leftOut(item)) return nullptr;
    TXPMenu* styler = markedBy(item);
    return styler && styler->Active() ? styler : nullptr;
}

TXPMenu* TXPMenu::StylerOfMenu(const QMenu* menu) { return menu ? StylerOf(menu->menuAction()) : nullptr; }

void TXPMenu::StyleComponent(QWidget* component) {
    if (!active_ || !component || leftOut(component)) return;
    mark(component, this);
    StyleOneComponent(component, true, true);
}

void TXPMenu::StyleMenuItemTree(QAction* item, bool subItems) {
    if (!item || leftOut(item)) return;
    mark(item, this);
    if (!subItems || !item->menu()) return;
    for (QAction* sub : item->menu()->actions()) StyleMenuItemTree(sub, true);
}

void TXPMenu::switchItem(QAction* item, bool enable) {
    if (enable && !leftOut(item)) mark(item, this);
    else if (!enable) unmark(item);
    if (item->menu())
        for (QAction* sub : item->menu()->actions()) switchItem(sub, enable);
}

void TXPMenu::StyleFormComponents(QWidget* form, bool enable, bool update) {
    if (!form) return;
    for (QWidget* w : form->findChildren<QWidget*>())
        if (!w->isWindow() || qobject_cast<QMenu*>(w)) StyleOneComponent(w, enable, update);
}

void TXPMenu::StyleOneComponent(QObject* component, bool enable, bool update) {
    if (auto* bar = qobject_cast<QMenuBar*>(component)) {
        if (!has(XPControls, xcMainMenu) || leftOut(bar)) return;
        for (QAction* item : bar->actions()) switchItem(item, enable);
        return;
    }
    if (auto* menu = qobject_cast<QMenu*>(component)) {
        if (has(XPControls, xcPopupMenu)) switchItem(menu->menuAction(), enable);
        return;
    }
    auto* w = qobject_cast<QWidget*>(component);
    if (!w) return;
    if (w->isWindow()) {
        StyleFormComponents(w, enable, update);
        return;
    }
    if (!w->parentWidget() || !styleable(*this, w)) return;
    if (enable && !leftOut(w) && !leftOut(w->parentWidget())) {
        mark(w, this);
        w->setAttribute(Qt::WA_Hover, true);
    } else if (!enable) {
        unmark(w);
    }
    if (update) w->update();
}

void TXPMenu::MeasureMenuItem(const TMenuItemInfo& item, int& width, int& height) const {
    if (!active_) return;
    QString text = item.separator() ? QString() : item.caption;
    if (!item.shortcut.trimmed().isEmpty()) text += item.shortcut + QStringLiteral("WWW");
    const QFontMetrics fm(Font);
    int w = fm.horizontalAdvance(text) + 5;
    if (text.contains(u'&')) w -= fm.horizontalAdvance(u'&');
    if (!item.topLevel && item.hasSubItems) w += 6;
    if (item.topLevel) w += kCaptionInset + fm.horizontalAdvance(u' ') + kBarFrameInset;
    int glyphWidth = item.glyph.isNull() ? 0 : item.glyph.width();
    const int glyphHeight = item.glyph.isNull() ? 0 : item.glyph.height();
    if (!item.topLevel) glyphWidth = std::max(glyphWidth, IconWidth);
    width = std::max(width, w + glyphWidth);
    if (item.separator()) {
        height = 4;
        return;
    }
    const int textHeight = fm.height();
    const int h = std::max(textHeight + int(std::nearbyint(0.75 * textHeight)), glyphHeight + 6);
    height = std::max(height, h);
}

void TXPMenu::ComputeColors(const QPaintDevice* device) {
    HighColor = (device ? device->depth() : QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->depth()
                                                                             : 24) >= 16;
    FocusLightLevel = 16;
    PressLightLevel = 40;
    ItemColor = Color;
    IconColumnColor = IconBackColor;
    if (HighColor) {
        SelectFillColor = UseDimColor ? Lighten(SelectColor, 68) : SelectColor;
        CheckAreaColor = UseDimColor ? Lighten(SelectColor, 80) : SelectColor;
        CheckAreaSelectedColor = UseDimColor ? Lighten(SelectColor, 50) : SelectColor;
        MenuBorderColor = Shade(clBtnFace, 90);
        MenuShadowColor = Shade(clBtnFace, 76);
    } else {
        SelectFillColor = SelectColor;
        CheckAreaColor = 0xFFFFFF;
        CheckAreaSelectedColor = 0xC0C0C0;
        MenuBorderColor = MenuShadowColor = clBtnShadow;
    }
    SelectFrameColor = SelectBorderColor;
    SelectTextColor = SelectFontColor;
    BarColor = MenuBarColor;
    DisabledTextColor = DisabledColor;
    CheckFrameColor = CheckedColor;
    SeparatorLineColor = SeparatorColor;
    if (!UseSystemColors) return;
    SelectTextColor = FontColor;
    SelectFrameColor = CheckFrameColor = clHighlight;
    BarColor = clBtnFace;
    if (HighColor) {
        ItemColor = Lighten(clBtnFace, 86);
        IconColumnColor = Lighten(clBtnFace, 16);
        SelectFillColor = Lighten(clHighlight, 68);
        DisabledTextColor = Lighten(clBtnShadow, 10);
        SeparatorLineColor = Lighten(clBtnShadow, 25);
        CheckAreaColor = Lighten(clHighlight, 80);
        CheckAreaSelectedColor = Lighten(clHighlight, 50);
    } else {
        ItemColor = SelectFillColor = CheckAreaColor = CheckAreaSelectedColor = 0xFFFFFF;
        IconColumnColor = clBtnFace;
        DisabledTextColor = SeparatorLineColor = clBtnShadow;
    }
}

TColor TXPMenu::ReadableColor(TColor c) const {
    const QColor q = ColorToQColor(c);
    if ((q.red() + q.blue()) / 2 < 151 && q.green() < 201) return Lighten(c, 90);
    return FontColor;
}
