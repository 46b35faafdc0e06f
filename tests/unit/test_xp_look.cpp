// The XP look: colour arithmetic, which components are styled, the measures
// and pixels of menu items, and the painted states of controls.
#include "look/XPColors.h"
#include "look/XPMenu.h"
#include "look/XPStyle.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <functional>
#include <memory>

namespace {

QColor rgb(TColor c) { return ColorToQColor(c); }

// A menu or menu bar that shows how it describes its items to the style.
template <class Menu>
class Probe : public Menu {
public:
    using Menu::Menu;
    QStyleOptionMenuItem optionOf(QAction* a) const {
        QStyleOptionMenuItem o;
        this->initStyleOption(&o, a);
        o.rect = this->actionGeometry(a);
        return o;
    }
};
using ProbeMenu = Probe<QMenu>;
using ProbeBar = Probe<QMenuBar>;

// A form with a styler on it, as the main window has.
class XPLookTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<QWidget>();
        form->setObjectName("FormTest");
        form->resize(300, 300);
        styler = new TXPMenu(form.get());
        styler->Font = QFont("DejaVu Sans", 9);
        menu = new ProbeMenu(form.get());
        menu->menuAction()->setText("Macro");
    }
    void TearDown() override { form.reset(); }

    QStyle* style() const { return QApplication::style(); }
    std::unique_ptr<QStyle> base() const { return std::unique_ptr<QStyle>(QStyleFactory::create(static_cast<QProxyStyle*>(style())->baseStyle()->name())); }

    // One menu item drawn through a style into a fresh image.
    QImage drawItem(const QStyle& s, QAction* a, bool selected = false) const {
        QStyleOptionMenuItem o = menu->optionOf(a);
        if (selected) o.state |= QStyle::State_Selected;
        QImage image(menu->width() + 20, menu->height() + 20, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        s.drawControl(QStyle::CE_MenuItem, &o, &p, menu);
        return image;
    }

    void showMenu() {
        styler->SetActive(true);
        styler->StyleComponent(form.get());
        menu->adjustSize();
        menu->ensurePolished();
    }

    std::unique_ptr<QWidget> form;
    TXPMenu* styler = nullptr;
    ProbeMenu* menu = nullptr;
};

// The columns of an image that hold a pixel the test picks.
QList<int> columnsWhere(const QImage& image, const std::function<bool(int x, int y)>& pick) {
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (pick(x, y)) {
                columns << x;
                break;
            }
    return columns;
}

// Pixels of a widget rendered into an image.
QImage grab(QWidget& w) {
    QImage image(w.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    w.render(&image);
    return image;
}

}  // namespace

TEST(XPColours, FunctionsGiveTheirTableValues) {
    struct Case {
        const char* what;
        TColor got, expected;
    };
    const Case cases[] = {
        {"Shade($808080, 16)", Shade(0x808080, 16), 0x707270},
        {"Shade keeps channels within 0..255", Shade(0x000000, 10), 0x000000},
        {"Shade of green near the top", Shade(0x00FF00, 1), 0x00FF00},
        {"Gray of white with 10", Gray(clWhite, 10), 0xF0F0F0},
        {"Gray of black with 10", Gray(0, 10), 0x0A0A0A},
        {"Gray is the channels' mean", Gray(0x302010, 0), 0x202020},
        {"Lighten(c, 150) is Lighten(c, 100)", Lighten(0x123456, 150), Lighten(0x123456, 100)},
        {"Lighten(c, 100) is white", Lighten(0x123456, 100), 0xFFFFFF},
        {"Lighten rounds half to even", Lighten(0, 50), 0x808080},
        {"Lighten by 0 keeps the colour", Lighten(0x123456, 0), 0x123456},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;

    QWidget owner;
    TXPMenu styler(&owner);
    styler.ComputeColors();
    EXPECT_EQ(styler.ItemColor, Lighten(clBtnFace, 86));
    EXPECT_EQ(styler.SelectFillColor, Lighten(clHighlight, 68));
    EXPECT_EQ(styler.IconColumnColor, Lighten(clBtnFace, 16));
    // With the system's colours, the colour properties change nothing.
    styler.Color = styler.SelectColor = styler.SelectBorderColor = 0x0000FF;
    styler.ComputeColors();
    EXPECT_EQ(styler.ItemColor, Lighten(clBtnFace, 86));
    EXPECT_EQ(styler.SelectFrameColor, clHighlight);
    styler.UseSystemColors = false;
    styler.ComputeColors();
    EXPECT_EQ(styler.ItemColor, 0x0000FF);
}

TEST(XPColours, BitmapsAreGrayedAndDimmedPixelByPixel) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 255, 255, 255));
    image.setPixel(1, 0, qRgba(0, 0, 0, 0));
    QImage gray = image;
    GrayBitmap(gray, 10);
    EXPECT_EQ(gray.pixel(0, 0), qRgba(240, 240, 240, 255));
    EXPECT_EQ(qAlpha(gray.pixel(1, 0)), 0);
    QImage dim = image;
    DimBitmap(dim, 50);
    EXPECT_EQ(dim.pixel(0, 0), qRgba(255, 255, 255, 255));
    EXPECT_EQ(qRed(dim.pixel(1, 0)), 128);
}

TEST_F(XPLookTest, MarkingFollowsTagsAndTheSwitch) {
    auto* plain = new QCheckBox("a", form.get());
    auto* left = new QCheckBox("b", form.get());
    left->setProperty("Tag", 999);
    auto* box = new QGroupBox("g", form.get());
    box->setProperty("Tag", 999);
    auto* inside = new QLineEdit(box);
    QAction* item = menu->addAction("Ouvrir");
    QAction* kept = menu->addAction("Garder");
    kept->setProperty("Tag", 999);

    styler->StyleComponent(form.get());  // not active yet: nothing
    EXPECT_EQ(TXPMenu::StylerOf(plain), nullptr);
    showMenu();
    EXPECT_EQ(TXPMenu::StylerOf(plain), styler);
    EXPECT_EQ(TXPMenu::StylerOf(left), nullptr) << "Tag 999";
    EXPECT_EQ(TXPMenu::StylerOf(inside), nullptr) << "parent's Tag 999";
    EXPECT_EQ(TXPMenu::StylerOf(item), styler);
    EXPECT_EQ(TXPMenu::StylerOf(kept), nullptr);
    EXPECT_TRUE(plain->property("XPStyled").toBool());

    // A control added to a styled form later takes its look; another window does not.
    auto* later = new QPushButton("c", form.get());
    EXPECT_EQ(TXPMenu::StylerOf(later), styler);
    QWidget other;
    auto* elsewhere = new QPushButton("d", &other);
    EXPECT_EQ(TXPMenu::StylerOf(elsewhere), nullptr);
    // A combo box's own edit is part of the combo, not a control of its own.
    auto* combo = new QComboBox(form.get());
    combo->setEditable(true);
    EXPECT_EQ(TXPMenu::StylerOf(combo), styler);
    EXPECT_EQ(TXPMenu::StylerOf(combo->lineEdit()), nullptr);

    styler->SetActive(false);
    EXPECT_EQ(TXPMenu::StylerOf(plain), nullptr);
    EXPECT_EQ(TXPMenu::StylerOf(item), nullptr);
    styler->SetActive(true);
    EXPECT_EQ(TXPMenu::StylerOf(plain), styler);
    EXPECT_EQ(TXPMenu::StylerOf(item), styler);
}

TEST_F(XPLookTest, MenuItemsMeasureByTheirTextGlyphAndKind) {
    auto* sub = new QMenu("Récents", menu);
    sub->addAction("x");
    QAction* plain = menu->addAction("Ouvrir");
    QAction* amp = menu->addAction("&Ouvrir");
    QAction* parent = menu->addMenu(sub);
    QAction* twin = menu->addAction("Récents");
    QAction* separator = menu->addSeparator();
    showMenu();
    const QFontMetrics fm(styler->Font);

    auto size = [&](QAction* a) {
        const QStyleOptionMenuItem o = menu->optionOf(a);
        return style()->sizeFromContents(QStyle::CT_MenuItem, &o, QSize(), menu);
    };
    // The menu adds the room of a check mark to every item, as the system does.
    auto measure = [&](QAction* a) {
        int w = 0, h = 0;
        TMenuItemInfo info;
        info.caption = a->isSeparator() ? QStringLiteral("-") : a->text();
        info.hasSubItems = a->menu() != nullptr;
        styler->MeasureMenuItem(info, w, h);
        return QSize(w, h);
    };
    for (QAction* a : {plain, amp, parent, twin, separator}) EXPECT_EQ(size(a), measure(a) + QSize(12, 0));
    EXPECT_EQ(measure(separator).height(), 4);
    EXPECT_EQ(measure(plain).width(), fm.horizontalAdvance("Ouvrir") + 5 + 24);
    EXPECT_EQ(measure(amp).width(), fm.horizontalAdvance("&Ouvrir") + 5 - fm.horizontalAdvance("&") + 24);
    EXPECT_EQ(size(parent).width(), size(twin).width() + 6);
    EXPECT_EQ(size(plain).height(), fm.height() + int(std::nearbyint(0.75 * fm.height())));

    // The measure itself, with a glyph and a shortcut.
    int w = 0, h = 0;
    TMenuItemInfo item;
    item.caption = "Ouvrir";
    item.glyph = QImage(30, 30, QImage::Format_ARGB32);
    styler->MeasureMenuItem(item, w, h);
    EXPECT_EQ(w, fm.horizontalAdvance("Ouvrir") + 5 + 30);
    EXPECT_EQ(h, std::max(36, fm.height() + int(std::nearbyint(0.75 * fm.height()))));
    item.glyph = {};
    item.shortcut = "Ctrl+O";
    w = h = 0;
    styler->MeasureMenuItem(item, w, h);
    EXPECT_EQ(w, fm.horizontalAdvance("OuvrirCtrl+OWWW") + 5 + 24);
}

TEST_F(XPLookTest, MenuBarCaptionsAreWholeWithRoomBeforeTheOpenItemsFrame) {
    auto* bar = new ProbeBar(form.get());
    const QStringList captions = {"&Macro", "&Edition", "E&xecuter", "&Outils", "&Aide",
                                  "&Edit",  "&Run",     "&Tools",    "&Help"};
    for (const QString& caption : captions) bar->addMenu(caption);
    showMenu();
    bar->adjustSize();
    styler->ComputeColors();
    const QRgb frame = rgb(styler->SelectFrameColor).rgb();
    const int fill = qGray(rgb(styler->SelectFillColor).rgb());

    // Each item drawn open (the selected bar) by the style in its own rectangle,
    // and by the styler in a far wider one.
    auto drawOpen = [&](QAction* a) {
        QStyleOptionMenuItem o = bar->optionOf(a);
        o.state |= QStyle::State_Selected | QStyle::State_Sunken;
        QImage image(o.rect.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        p.translate(-o.rect.topLeft());
        p.setClipRect(o.rect);
        style()->drawControl(QStyle::CE_MenuBarItem, &o, &p, bar);
        return image;
    };
    auto drawWide = [&](QAction* a) {
        const QRect r(QPoint(0, 0), bar->actionGeometry(a).size() + QSize(100, 0));
        QImage image(r.size(), QImage::Format_RGB32);
        QPainter p(&image);
        TMenuItemInfo item;
        item.caption = a->text();
        item.topLevel = true;
        styler->DrawMenuItem(p, r, item, true);
        return image;
    };
    for (QAction* a : bar->actions()) {
        const QImage open = drawOpen(a), wide = drawWide(a);
        // The frame's right line is the last column with a frame pixel below the top line.
        const QList<int> frameColumns = columnsWhere(open, [&](int x, int y) { return y > 0 && open.pixel(x, y) == frame; });
        ASSERT_FALSE(frameColumns.isEmpty());
        const int frameLine = frameColumns.last();
        EXPECT_EQ(frameLine, open.width() - TXPMenu::kBarFrameInset);
        // The letters: dark pixels inside the frame.
        auto letters = [&](const QImage& image) {
            return columnsWhere(image, [&](int x, int y) {
                return x > 0 && x < frameLine && y > 0 && image.pixel(x, y) != frame && qGray(image.pixel(x, y)) < fill - 80;
            });
        };
        const QList<int> shown = letters(open);
        ASSERT_FALSE(shown.isEmpty()) << a->text().toStdString();
        EXPECT_EQ(shown, letters(wide)) << a->text().toStdString() << ": the caption is cut";
        EXPECT_GE(frameLine - shown.last() - 1, 2) << a->text().toStdString();
    }
    // The measure: the caption with the Part's room, the inset and blank before it, the frame after it.
    const QFontMetrics fm(styler->Font);
    int w = 0, h = 0;
    TMenuItemInfo item;
    item.caption = "E&xecuter";
    item.topLevel = true;
    styler->MeasureMenuItem(item, w, h);
    EXPECT_EQ(w, fm.horizontalAdvance("E&xecuter") - fm.horizontalAdvance("&") + 5 + TXPMenu::kCaptionInset +
                     fm.horizontalAdvance(' ') + TXPMenu::kBarFrameInset);
}

TEST_F(XPLookTest, AStyledPopUpHasAFrameOnAllFourSides) {
    menu->addAction("Nouveau");
    menu->addAction("Ouvrir");
    menu->addSeparator();
    menu->addAction("Quitter");
    showMenu();
    const QImage shown = menu->grab().toImage();
    styler->ComputeColors();
    const QColor border = rgb(styler->MenuBorderColor);
    ASSERT_NE(border, rgb(styler->ItemColor));
    ASSERT_NE(border, rgb(styler->IconColumnColor));
    const int right = shown.width() - 1, bottom = shown.height() - 1;
    for (int x = 0; x <= right; ++x) {
        EXPECT_EQ(shown.pixelColor(x, 0), border) << "top, x = " << x;
        EXPECT_EQ(shown.pixelColor(x, bottom), border) << "bottom, x = " << x;
    }
    for (int y = 0; y <= bottom; ++y) {
        EXPECT_EQ(shown.pixelColor(0, y), border) << "left, y = " << y;
        EXPECT_EQ(shown.pixelColor(right, y), border) << "right, y = " << y;
    }
    // Inside the frame: the icon column, then the items.
    const QRect first = menu->actionGeometry(menu->actions().first());
    EXPECT_EQ(shown.pixelColor(1, first.center().y()), rgb(styler->IconColumnColor));
    EXPECT_EQ(shown.pixelColor(right - 1, first.center().y()), rgb(styler->ItemColor));
}

TEST_F(XPLookTest, CheckAndRadioBoxesStandOnTheColourOfTheirPage) {
    auto* tabs = new QTabWidget(form.get());
    auto* page = new QWidget;
    tabs->addTab(page, "Générale");
    auto* check = new QCheckBox("Grille", page);
    auto* radio = new QRadioButton("Insertion", page);
    check->move(10, 10);
    radio->move(10, 40);
    tabs->resize(200, 120);
    form->show();
    showMenu();
    for (QAbstractButton* b : {static_cast<QAbstractButton*>(check), static_cast<QAbstractButton*>(radio)}) {
        b->adjustSize();
        const QImage shown = grab(*tabs);
        const QColor pageColour = shown.pixelColor(page->mapTo(tabs, QPoint(page->width() - 5, page->height() - 5)));
        // The corners of the indicator's square, left of and above its box.
        const QPoint corner = b->mapTo(tabs, QPoint(0, (b->height() - style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, b)) / 2));
        EXPECT_EQ(shown.pixelColor(corner), pageColour) << b->metaObject()->className();
        EXPECT_EQ(shown.pixelColor(corner + QPoint(1, 1)), pageColour) << b->metaObject()->className();
    }
    // The box itself keeps the window colour inside the shadow frame.
    check->setChecked(false);
    const QImage shown = grab(*tabs);
    const int t = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, check);
    const QPoint box = check->mapTo(tabs, QPoint(2, (check->height() - t) / 2 + 2));
    EXPECT_EQ(shown.pixel(box), rgb(clBtnShadow).rgb());
    EXPECT_EQ(shown.pixel(box + QPoint(2, 2)), rgb(clWindow).rgb());
}

TEST_F(XPLookTest, GlyphsAreDimmedAtRestShadowedWhenLitAndGrayedWhenDisabled) {
    // A red square with a transparent border, as menu glyph and tool-bar picture.
    auto square = [](int size) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter(&image).fillRect(2, 2, size - 4, size - 4, QColor(200, 0, 0));
        return QIcon(QPixmap::fromImage(image));
    };
    QAction* item = menu->addAction(square(16), "Ouvrir");
    auto* button = new QToolButton(form.get());
    button->setIcon(square(24));
    button->setIconSize(QSize(24, 24));
    button->resize(32, 32);
    showMenu();
    styler->ComputeColors();
    auto drawButton = [&](QStyle::State state) {
        QStyleOptionToolButton o;
        o.initFrom(button);
        o.state = state | QStyle::State_Raised;
        o.icon = button->icon();
        o.iconSize = button->iconSize();
        o.toolButtonStyle = Qt::ToolButtonIconOnly;
        o.subControls = QStyle::SC_ToolButton;
        QImage image(button->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        style()->drawComplexControl(QStyle::CC_ToolButton, &o, &p, button);
        return image;
    };
    auto count = [](const QImage& image, QRgb colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
        return n;
    };
    const QRgb red = qRgb(200, 0, 0);
    const QRgb dimmed = rgb(Lighten(QColorToColor(QColor(200, 0, 0)), styler->DimLevel)).rgb();
    const QRgb grayed = rgb(Lighten(Gray(QColorToColor(QColor(200, 0, 0)), styler->GrayLevel), 40)).rgb();
    const QRgb shadow = rgb(Shade(styler->SelectFillColor, 50)).rgb();
    struct Case {
        const char* what;
        QImage image;
        bool red, dimmed, grayed, shadow;
    };
    item->setEnabled(true);
    const QImage itemAtRest = drawItem(*style(), item), itemSelected = drawItem(*style(), item, true);
    item->setEnabled(false);
    const QImage itemDisabled = drawItem(*style(), item);
    const Case cases[] = {
        {"menu item at rest", itemAtRest, false, true, false, false},
        {"selected menu item", itemSelected, true, false, false, true},
        {"disabled menu item", itemDisabled, false, false, true, false},
        {"button at rest", drawButton(QStyle::State_Enabled), false, true, false, false},
        {"button under the mouse", drawButton(QStyle::State_Enabled | QStyle::State_MouseOver), true, false, false, true},
        {"disabled button", drawButton(QStyle::State_None), false, false, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(count(c.image, red) > 0, c.red) << c.what;
        EXPECT_EQ(count(c.image, dimmed) > 0, c.dimmed) << c.what;
        EXPECT_EQ(count(c.image, grayed) > 0, c.grayed) << c.what;
        EXPECT_EQ(count(c.image, shadow) > 0, c.shadow) << c.what;
    }
}

TEST_F(XPLookTest, MenuItemsArePaintedByTheirState) {
    QAction* kept = menu->addAction("Garder");
    kept->setProperty("Tag", 999);
    QAction* checked = menu->addAction("Coché");
    checked->setCheckable(true);
    QAction* open = menu->addAction("Ouvrir");
    showMenu();
    const auto baseStyle = base();

    // Tag 999: exactly the base style's pixels, selected or not.
    for (bool selected : {false, true})
        EXPECT_EQ(drawItem(*style(), kept, selected), drawItem(*baseStyle, kept, selected)) << selected;
    EXPECT_NE(drawItem(*style(), open), drawItem(*baseStyle, open));
    // A separator added to a styled menu later takes the menu's look.
    QAction* separator = menu->addSeparator();
    menu->adjustSize();
    EXPECT_NE(drawItem(*style(), separator), drawItem(*baseStyle, separator));

    // The selected item: the selection fill framed in the highlight colour.
    const QRect r = menu->actionGeometry(open);
    const QImage selected = drawItem(*style(), open, true);
    EXPECT_EQ(selected.pixelColor(r.left(), r.center().y()), rgb(clHighlight));
    EXPECT_EQ(selected.pixelColor(r.left() + 4, r.top() + 3), rgb(styler->SelectFillColor));
    const QImage idle = drawItem(*style(), open);
    EXPECT_EQ(idle.pixelColor(r.left() + 4, r.top() + 3), rgb(styler->IconColumnColor));
    EXPECT_EQ(idle.pixelColor(r.right() - 2, r.top() + 3), rgb(styler->ItemColor));

    // The check mark without glyph stays inside its 10 x 10 box.
    const QRect c = menu->actionGeometry(checked);
    const QImage off = drawItem(*style(), checked);
    checked->setChecked(true);
    const QImage on = drawItem(*style(), checked);
    const QRect box(c.left() + 7, c.top() + (c.height() - 10) / 2, 10, 10);
    int changed = 0;
    for (int y = 0; y < on.height(); ++y)
        for (int x = 0; x < on.width(); ++x)
            if (on.pixel(x, y) != off.pixel(x, y)) {
                ++changed;
                EXPECT_TRUE(box.contains(x, y)) << x << "," << y;
            }
    EXPECT_GT(changed, 20);
    EXPECT_EQ(on.pixelColor(box.topLeft()), rgb(clHighlight));
    EXPECT_EQ(on.pixelColor(box.left() + 1, box.top() + 1), rgb(styler->CheckAreaColor));
}

TEST_F(XPLookTest, ControlStatesPaintTheirColours) {
    auto* check = new QCheckBox("Case", form.get());
    auto* button = new QPushButton("Bouton", form.get());
    button->setProperty("Tag", 1000);
    QPalette parentColour = form->palette();
    parentColour.setColor(QPalette::Window, QColor(0x20, 0x60, 0xA0));
    form->setPalette(parentColour);
    showMenu();

    // A hovered check box: the selection fill framed in the highlight colour.
    QStyleOptionButton o;
    o.initFrom(check);
    o.state |= QStyle::State_MouseOver;
    const int t = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, check);
    o.rect = QRect(0, 0, t, t);
    QImage image(t, t, QImage::Format_RGB32);
    {
        QPainter p(&image);
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &o, &p, check);
    }
    EXPECT_EQ(image.pixelColor(2, 2), rgb(clHighlight));
    EXPECT_EQ(image.pixelColor(t / 2, t / 2), rgb(styler->SelectFillColor));
    EXPECT_EQ(style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, check), t);

    // Tag 1000: the push button's face is its parent's colour lightened.
    button->resize(80, 30);
    const QImage face = grab(*button);
    EXPECT_EQ(face.pixelColor(5, 5), rgb(Lighten(QColorToColor(QColor(0x20, 0x60, 0xA0)), 16)));
    EXPECT_EQ(face.pixelColor(0, 0), QColor(0x20, 0x60, 0xA0));
}

TEST_F(XPLookTest, WithTheSwitchOffEveryControlHasTheBaseLook) {
    auto* layout = new QVBoxLayout(form.get());
    QList<QWidget*> controls = {new QCheckBox("Case"), new QRadioButton("Radio"), new QPushButton("Bouton"),
                                new QToolButton, new QLineEdit("texte"), new QComboBox, new QSpinBox,
                                new QListWidget, new QProgressBar, new QGroupBox("Groupe")};
    for (QWidget* w : controls) layout->addWidget(w);
    static_cast<QCheckBox*>(controls[0])->setChecked(true);
    static_cast<QProgressBar*>(controls[8])->setValue(40);
    form->show();
    showMenu();
    QVector<QImage> styled;
    for (QWidget* w : controls) styled.append(grab(*w));

    styler->SetActive(false);
    QVector<QImage> off;
    for (QWidget* w : controls) off.append(grab(*w));
    const auto baseStyle = base();
    for (int i = 0; i < controls.size(); ++i) {
        controls[i]->setStyle(baseStyle.get());
        EXPECT_EQ(off[i], grab(*controls[i])) << controls[i]->metaObject()->className();
        EXPECT_NE(off[i], styled[i]) << controls[i]->metaObject()->className();
        controls[i]->setStyle(nullptr);
    }
    // On again: what was marked is styled again.
    styler->SetActive(true);
    EXPECT_EQ(grab(*controls[0]), styled[0]);
}
