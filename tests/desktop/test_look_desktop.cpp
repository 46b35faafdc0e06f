// The XP look on the real X server: the screen captured with xwd while the
// main menu is open from the keyboard, the recorder window and the keys of
// the on-screen keyboard.
#include "core/Form.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "editors/Unit4.h"
#include "look/Colors.h"
#include "look/XPMenu.h"
#include "platform/VirtualKeys.h"
#include "tests/desktop/DesktopWindow.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>

using desktoptest::waitFor;

namespace {

// The whole screen as xwd writes it (true colour, 4 bytes a pixel), as an image.
QImage captureScreen() {
    QTemporaryDir dir;
    const QString file = dir.filePath("screen.xwd");
    QByteArray said;
    if (!desktoptest::run("xwd", {"-root", "-silent", "-out", file}, &said)) {
        ADD_FAILURE() << "xwd: " << said.toStdString();
        return {};
    }
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = in.readAll();
    auto word = [&data](qsizetype at, bool bigEndian) {
        quint32 v = 0;
        for (int k = 0; k < 4; ++k) v |= quint32(quint8(data[at + k])) << (8 * (bigEndian ? 3 - k : k));
        return v;
    };
    auto field = [&word](int i) { return word(4 * i, true); };
    if (data.size() < 100 || field(12) < 4 * field(4)) {
        ADD_FAILURE() << "not a capture of 4 bytes a pixel";
        return {};
    }
    const quint32 headerSize = field(0), width = field(4), height = field(5), lsbFirst = field(7) == 0;
    const quint32 bytesPerLine = field(12), colours = field(19);
    const qsizetype start = headerSize + 12 * colours;
    if (data.size() < start + qsizetype(bytesPerLine) * height) return {};
    QImage image(int(width), int(height), QImage::Format_RGB32);
    for (quint32 y = 0; y < height; ++y)
        for (quint32 x = 0; x < width; ++x) {
            const quint32 v = word(start + y * bytesPerLine + 4 * x, !lsbFirst);
            image.setPixel(int(x), int(y), 0xFF000000 | (v & 0xFFFFFF));
        }
    return image;
}

using LookDesktopTest = StyledDesktopWindowTest;

}  // namespace

TEST_F(LookDesktopTest, TheMainMenuOpenedFromTheKeyboardHasTheFramedSelectionBar) {
    auto* macro = form->findChild<QMenu*>("Macro1");
    ASSERT_TRUE(macro && MainXPMenu && MainXPMenu->Active());
    x11->keybd_event(platform::VK_MENU, 0, 0);
    key('M');
    x11->keybd_event(platform::VK_MENU, 0, platform::KEYEVENTF_KEYUP);
    x11->Flush();
    ASSERT_TRUE(waitFor([macro] { return macro->isVisible() && macro->activeAction(); }));
    QAction* selected = macro->activeAction();
    ASSERT_TRUE(TXPMenu::StylerOf(selected));
    waitFor([] { return false; }, 300);  // let the menu paint

    // The menu as it paints itself (this server shows a menu opened from
    // the bar only once it has been composed, after xwd looks).
    const QImage shown = macro->grab().toImage();
    MainXPMenu->ComputeColors();
    const QRect bar = macro->actionGeometry(selected);
    EXPECT_EQ(shown.pixelColor(bar.left(), bar.center().y()), ColorToQColor(clHighlight));
    EXPECT_EQ(shown.pixelColor(bar.left() + 4, bar.top() + 3), ColorToQColor(MainXPMenu->SelectFillColor));
    EXPECT_EQ(shown.pixelColor(bar.left() + 4, bar.top() + 1), ColorToQColor(clHighlight));
    // Another item: the icon column and the item colour.
    const QRect other = macro->actionGeometry(macro->actions().at(1));
    EXPECT_EQ(shown.pixelColor(other.left() + 2, other.top() + 2), ColorToQColor(MainXPMenu->IconColumnColor));
    EXPECT_EQ(shown.pixelColor(other.right() - 2, other.top() + 2), ColorToQColor(MainXPMenu->ItemColor));
    shown.save(QDir::temp().filePath("orvanel-xp-menu.png"));
    key(platform::VK_ESCAPE);
    key(platform::VK_ESCAPE);
}

TEST_F(LookDesktopTest, TheRecorderWindowMadeLaterKeepsTheBaseLook) {
    ASSERT_EQ(MadeWindow(28), nullptr);
    form->Enregistrerunesequence1->trigger();
    ASSERT_TRUE(waitFor([] { return MadeWindow(28) && MadeWindow(28)->isVisible(); }));
    QWidget* recorder = MadeWindow(28);
    // A control on it, as the recorder's own are.
    auto* button = new QPushButton("Arrêter", recorder);
    button->setGeometry(10, 10, 100, 30);
    button->show();
    EXPECT_EQ(TXPMenu::StylerOf(recorder), nullptr);
    for (QWidget* w : recorder->findChildren<QWidget*>()) EXPECT_EQ(TXPMenu::StylerOf(w), nullptr);
    waitFor([] { return false; }, 300);

    // The button paints what the base style paints.
    const QImage now = button->grab().toImage();
    std::unique_ptr<QStyle> base(QStyleFactory::create(static_cast<QProxyStyle*>(QApplication::style())->baseStyle()->name()));
    button->setStyle(base.get());
    EXPECT_EQ(button->grab().toImage(), now);
    button->setStyle(nullptr);
    recorder->hide();
}

TEST_F(LookDesktopTest, TheKeysOfTheOnScreenKeyboardHaveABlackFace) {
    Form4->show();
    ASSERT_TRUE(waitFor([] { return Form4->isVisible(); }));
    TKeyButton* button = Form4->SpeedButton(1);
    ASSERT_TRUE(button && TXPMenu::StylerOf(button));
    waitFor([] { return false; }, 300);
    const QImage screen = captureScreen();
    ASSERT_FALSE(screen.isNull());
    const QPoint corner = button->mapToGlobal(QPoint(1, 1));
    EXPECT_EQ(screen.pixelColor(corner), QColor(Qt::black));
    EXPECT_EQ(screen.pixelColor(button->mapToGlobal(QPoint(button->width() - 2, button->height() - 2))), QColor(Qt::black));
    // The name is written in white on a key without picture.
    auto light = [](QColor c) { return c.red() + c.green() + c.blue() > 400; };
    bool white = false;
    for (int y = 0; y < button->height(); ++y)
        for (int x = 0; x < button->width(); ++x) white |= light(screen.pixelColor(button->mapToGlobal(QPoint(x, y))));
    EXPECT_TRUE(white);
    screen.save(QDir::temp().filePath("orvanel-xp-keys.png"));
    Form4->hide();
}
