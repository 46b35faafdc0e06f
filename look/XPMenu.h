#pragma once
// The XP look of menus and controls. A styler marks what it styles with the
// property "XPStyled"; the application style (look/XPStyle.h) paints marked
// widgets and menu items in the styler's look while the styler is Active, and
// everything else exactly as the base style does. A component whose Tag
// property is 999, and a control whose parent's Tag is 999, is left out.
#include "look/Colors.h"

#include <QFont>
#include <QImage>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QPainter;
class QPaintDevice;
class QRect;
class QWidget;

// Parent kinds whose controls are styled (bit 0 first).
enum TXPContainer { xccForm, xccFrame, xccToolbar, xccCoolbar, xccControlbar, xccPanel, xccScrollBox, xccGroupBox,
                    xccTabSheet, xccPageScroller };
// Control kinds that are styled (bit 0 first).
enum TXPControl { xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcListBox, xcEdit, xcMaskEdit, xcMemo,
                  xcRichEdit, xcMiscEdit, xcCheckBox, xcRadioButton, xcButton, xcBitBtn, xcSpeedButton, xcUpDown,
                  xcPanel, xcGroupBox, xcTreeView, xcListView, xcProgressBar, xcHotKey };

// One menu item as the painter sees it.
struct TMenuItemInfo {
    QString caption;   // "-" for a separator
    QString shortcut;  // its text, empty without one
    QImage glyph;      // null without one
    bool topLevel = false;
    bool hasSubItems = false;
    bool checked = false;
    bool radio = false;
    bool enabled = true;
    bool isDefault = false;
    bool rightToLeft = false;
    bool separator() const { return caption == QLatin1String("-"); }
};

class TXPMenu : public QObject {
    Q_OBJECT
public:
    // The owner is the form whose components the switch styles.
    explicit TXPMenu(QObject* owner);
    ~TXPMenu() override;

    bool Active() const { return active_; }
    // On a change: styles (or leaves) the owner form, and every window
    // repaints at once in the look it has now.
    void SetActive(bool on);

    // Gives one window or control the XP look; a window's own controls and
    // menus with it. Harmless on a component already styled.
    void StyleComponent(QWidget* component);
    // Gives a menu item (and, with subItems, everything under it) the XP look.
    void StyleMenuItemTree(QAction* item, bool subItems = true);
    void StyleFormComponents(QWidget* form, bool enable, bool update);
    void StyleOneComponent(QObject* component, bool enable, bool update);

    // The styler whose look this widget or menu item has now, or null.
    static TXPMenu* StylerOf(const QWidget* widget);
    static TXPMenu* StylerOf(const QAction* item);
    // The styler of a popup menu's panel (the one of its own menu item).
    static TXPMenu* StylerOfMenu(const QMenu* menu);

    // Measures one item: width and height only grow. A menu-bar item also
    // makes room for what its drawing puts around the caption (the inset and
    // the blank before it, the selected bar's frame and shadow after it), so
    // the caption is whole, open or closed.
    void MeasureMenuItem(const TMenuItemInfo& item, int& width, int& height) const;
    // Paints one item into rectangle r (the item's rectangle in its menu).
    void DrawMenuItem(QPainter& canvas, const QRect& r, const TMenuItemInfo& item, bool selected, bool hot = false);
    // Recomputes the effective colours for a device (null: the screen).
    void ComputeColors(const QPaintDevice* device = nullptr);
    // The text colour readable on c.
    TColor ReadableColor(TColor c) const;
    // Glyph drawing shared with the controls: dimmed, grayed or shadowed by state.
    void DrawGlyph(QPainter& canvas, QImage glyph, int x, int y, bool selected, bool enabled, bool checked);

    // The caption of an item starts this far into its text box, after a blank.
    static constexpr int kCaptionInset = 3;
    // The selected menu-bar item's frame ends this far before its right edge;
    // its shadow fills the pixels after the frame.
    static constexpr int kBarFrameInset = 8;

    // Published properties.
    int DimLevel = 30;
    int GrayLevel = 10;
    QFont Font;
    TColor FontColor = clMenuText;
    TColor Color = clBtnFace;
    bool DrawMenuBar = false;
    TColor IconBackColor = clBtnFace;
    TColor MenuBarColor = clBtnFace;
    TColor SelectColor = clHighlight;
    TColor SelectBorderColor = clHighlight;
    TColor SelectFontColor = clMenuText;
    TColor DisabledColor = clInactiveCaption;
    TColor SeparatorColor = clBtnFace;
    TColor CheckedColor = clHighlight;
    int IconWidth = 24;
    bool DrawSelect = true;
    bool UseSystemColors = true;
    bool UseDimColor = false;
    bool OverrideOwnerDraw = false;
    bool Gradient = false;
    bool FlatMenu = false;
    bool AutoDetect = false;
    quint32 XPContainers = 1023;
    quint32 XPControls = 0x7FFFFF;
    bool DisableSubclassing = false;

    // Effective colours (ComputeColors).
    TColor ItemColor = 0, IconColumnColor = 0, SelectFillColor = 0, SelectFrameColor = 0, SelectTextColor = 0,
           CheckAreaColor = 0, CheckAreaSelectedColor = 0, CheckFrameColor = 0, BarColor = 0, DisabledTextColor = 0,
           SeparatorLineColor = 0, MenuBorderColor = 0, MenuShadowColor = 0;
    bool HighColor = true;
    int FocusLightLevel = 16;
    int PressLightLevel = 40;

private:
    void switchItem(QAction* item, bool enable);
    void drawCheck(QPainter& canvas, const QRect& g, const TMenuItemInfo& item, bool selected);
    void drawTopLevelBar(QPainter& canvas, const QRect& b);
    void drawCaption(QPainter& canvas, QRect t, const TMenuItemInfo& item, bool selected);

    bool active_ = false;
    QWidget* form_ = nullptr;
};

// The kind of a control as the styler knows it, or -1 for none.
int XPControlKind(const QWidget* w);
