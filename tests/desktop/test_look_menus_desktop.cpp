// The look as the X server shows it, in French and in English: menu-bar
// captions whole and clear of the open item's frame, framed pop-ups, the
// pictures of the menus and tool bars, the whole captions of the on-screen
// keyboard and the program's icon. Every measure is taken on the screen.
#include "apps/orvanel/ProgramIcon.h"
#include "core/Form.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "editors/Unit4.h"
#include "look/Colors.h"
#include "look/XPMenu.h"
#include "platform/ProgramFolder.h"
#include "tests/desktop/DesktopWindow.h"
#include "tools/ModuleSup.h"
#include "tools/Unit23.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QRegularExpression>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QToolButton>
#include <functional>

using desktoptest::run;
using desktoptest::waitFor;

namespace {

// The whole screen as the X server shows it.
QImage grabScreen() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// The columns of part of an image that hold a pixel the test picks, in order.
QList<int> columnsWhere(const QImage& image, const QRect& part, const std::function<bool(QRgb)>& pick) {
    QList<int> columns;
    for (int x = part.left(); x <= part.right(); ++x)
        for (int y = part.top(); y <= part.bottom(); ++y)
            if (pick(image.pixel(x, y))) {
                columns << x;
                break;
            }
    return columns;
}

bool dark(QRgb p) { return qGray(p) < 110; }

class LookMenusDesktopTest : public StyledDesktopWindowTest {
protected:
    void SetUp() override {
        StyledDesktopWindowTest::SetUp();
        if (!form) return;
        form->resize(1000, 700);  // room for every tool-bar button
        ASSERT_TRUE(MainXPMenu && MainXPMenu->Active());
        MainXPMenu->ComputeColors();
    }
    void settle() { waitFor([] { return false; }, 300); }
    void useEnglish() {
        const QString shipped = QFileInfo(ORVANEL_PROGRAM).dir().filePath("English.lng");
        ASSERT_TRUE(QFile::copy(shipped, platform::programFile("English.lng")));
        LoadLanguageFile("English");
        settle();
    }
    QRect onScreen(const QWidget* w, const QRect& local) const { return QRect(w->mapToGlobal(local.topLeft()), local.size()); }
    QMenu* menu(const char* name) const { return form->findChild<QMenu*>(QLatin1String(name)); }
    // Opens a menu of the bar with a click on its caption.
    bool openFromBar(QAction* item) {
        clickAt(form->menuBar(), form->menuBar()->actionGeometry(item).center());
        const bool shown = waitFor([item] { return item->menu()->isVisible(); });
        settle();
        return shown;
    }
    void closeMenus() {
        key(platform::VK_ESCAPE);
        key(platform::VK_ESCAPE);
        waitFor([] { return !QApplication::activePopupWidget(); });
        settle();  // the screen without the menu
    }

    // Each caption of the bar whole, closed and open, with room before the open item's frame.
    void checkMenuBar(const char* language) {
        const QRgb frame = ColorToQColor(MainXPMenu->SelectFrameColor).rgb();
        for (QAction* item : form->menuBar()->actions()) {
            const QString caption = item->text();
            const QRect box = onScreen(form->menuBar(), form->menuBar()->actionGeometry(item));
            const QRect inside = box.adjusted(1, 1, -1, -1);  // below the frame's top line, right of its left one
            const QList<int> closed = columnsWhere(grabScreen(), inside, dark);
            ASSERT_FALSE(closed.isEmpty()) << language << " " << caption.toStdString();
            ASSERT_TRUE(openFromBar(item)) << caption.toStdString();
            const QImage open = grabScreen();
            closeMenus();
            const QList<int> frameColumns = columnsWhere(open, inside, [frame](QRgb p) { return p == frame; });
            ASSERT_FALSE(frameColumns.isEmpty()) << language << " " << caption.toStdString() << ": no frame";
            const int frameLine = frameColumns.last();
            const QList<int> letters =
                columnsWhere(open, inside.adjusted(0, 0, frameLine - inside.right() - 1, 0), [frame](QRgb p) { return p != frame && dark(p); });
            ASSERT_FALSE(letters.isEmpty()) << language << " " << caption.toStdString();
            EXPECT_GE(frameLine - letters.last() - 1, 2) << language << " " << caption.toStdString();
            // Open, the caption is the one shown closed: nothing cut, nothing painted over.
            EXPECT_LE(std::abs(letters.first() - closed.first()), 1) << language << " " << caption.toStdString();
            EXPECT_LE(std::abs(letters.last() - closed.last()), 1) << language << " " << caption.toStdString();
            EXPECT_LT(closed.last(), box.right() - TXPMenu::kBarFrameInset) << language << " " << caption.toStdString();
        }
    }

    // Every pixel of the pop-up's outer edge in the menu border colour.
    void checkFrame(QMenu* m, const char* language) {
        const QImage shown = grabScreen();
        const QRect r = m->geometry();
        const QRgb border = ColorToQColor(MainXPMenu->MenuBorderColor).rgb();
        int off = 0;
        for (int x = r.left(); x <= r.right(); ++x)
            off += (shown.pixel(x, r.top()) != border) + (shown.pixel(x, r.bottom()) != border);
        for (int y = r.top(); y <= r.bottom(); ++y)
            off += (shown.pixel(r.left(), y) != border) + (shown.pixel(r.right(), y) != border);
        EXPECT_EQ(off, 0) << language << " " << m->objectName().toStdString();
    }
};

TEST_F(LookMenusDesktopTest, MenuBarCaptionsAreWholeWithRoomBeforeTheOpenItemsFrame) {
    checkMenuBar("français");
    useEnglish();
    EXPECT_EQ(form->menuBar()->actions().at(2)->text(), "&Run");
    checkMenuBar("english");
}

TEST_F(LookMenusDesktopTest, EveryOpenPopUpHasAFrameOnAllFourSides) {
    for (const char* language : {"français", "english"}) {
        if (std::string(language) == "english") useEnglish();
        for (QAction* item : form->menuBar()->actions()) {
            ASSERT_TRUE(openFromBar(item));
            checkFrame(item->menu(), language);
            closeMenus();
        }
        // The command list's pop-up, over the white list.
        QMenu* popup = menu("PopupMenu1");
        popup->popup(form->ListView1->viewport()->mapToGlobal(QPoint(20, 20)));
        ASSERT_TRUE(waitFor([popup] { return popup->isVisible(); }));
        settle();
        checkFrame(popup, language);
        closeMenus();
    }
}

TEST_F(LookMenusDesktopTest, TheMacroEditionAndRunMenusAndTheToolBarsShowTheirPictures) {
    const QRgb column = ColorToQColor(MainXPMenu->IconColumnColor).rgb();
    for (const char* name : {"Macro1", "Edition1", "Executer1"}) {
        QMenu* m = menu(name);
        ASSERT_TRUE(openFromBar(m->menuAction()));
        const QImage shown = grabScreen();
        int pictured = 0;
        for (QAction* a : m->actions()) {
            if (a->icon().isNull() || !a->isVisible()) continue;
            ++pictured;
            // The picture's pixels in the icon column of its item.
            const QRect item = onScreen(m, m->actionGeometry(a));
            int drawn = 0;
            for (int y = item.top() + 2; y < item.bottom() - 1; ++y)
                for (int x = item.left() + 2; x < item.left() + MainXPMenu->IconWidth - 2; ++x)
                    drawn += shown.pixel(x, y) != column;
            EXPECT_GT(drawn, 30) << a->objectName().toStdString();
        }
        EXPECT_GE(pictured, 4) << name;
        closeMenus();
    }
    // The buttons of the list and of the run: their pictures, not their texts.
    const QImage shown = grabScreen();
    for (const char* name : {"SpeedButton106", "SpeedButton107", "SpeedButton108", "SpeedButton109", "SpeedButton110",
                             "SpeedButton111", "SpeedButton25", "SpeedButton23", "SpeedButton103", "SpeedButton29",
                             "SpeedButton105"}) {
        auto* b = form->findChild<QToolButton*>(QLatin1String(name));
        ASSERT_TRUE(b && b->isVisible()) << name;
        const QRect r = onScreen(b, b->rect());
        const QRgb face = shown.pixel(r.left() + 2, r.top() + 2);
        int drawn = 0;
        for (int y = r.top() + 2; y < r.bottom() - 1; ++y)
            for (int x = r.left() + 2; x < r.right() - 1; ++x) drawn += shown.pixel(x, y) != face;
        EXPECT_GT(drawn, 40) << name;
        EXPECT_LE(r.width(), 40) << name << ": a picture, not a text";
    }
}

TEST_F(LookMenusDesktopTest, TheKeysOfTheOnScreenKeyboardShowTheirWholeCaptions) {
    for (const char* language : {"fr", "us"}) {
        platform::desktop().LoadKeyboardLayout(language);
        Form4->UpdateKeyBoard();
        Form4->show();
        ASSERT_TRUE(waitFor([] { return Form4->isVisible(); }));
        settle();
        const QImage shown = grabScreen();
        for (int n = 1; n <= 110; ++n) {
            TKeyButton* key = Form4->SpeedButton(n);
            if (!key) continue;
            // The caption lies inside the key, its light pixels off the key's edges.
            const QRect r = onScreen(key, key->rect());
            int onEdge = 0, inside = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) {
                    const bool light = qGray(shown.pixel(x, y)) > 60;
                    const bool edge = x == r.left() || x == r.right() || y == r.top() || y == r.bottom();
                    (edge ? onEdge : inside) += light;
                }
            EXPECT_EQ(onEdge, 0) << language << " " << key->text().toStdString();
            EXPECT_GT(inside, 0) << language << " " << key->text().toStdString();
            EXPECT_TRUE(key->rect().contains(key->CaptionBounds())) << language << " " << key->text().toStdString();
        }
        // The keypad's keys in the keys' own font: "7", not a cut "7 (".
        for (int n : {80, 81, 82, 83, 88, 89, 90, 91, 84, 85, 86, 96, 97, 98, 87, 92, 94}) {
            TKeyButton* key = Form4->SpeedButton(n);
            EXPECT_FALSE(key->Caption().contains(u'(')) << language << " " << key->text().toStdString();
            if (key->Caption().size() == 1)
                EXPECT_EQ(QFontInfo(key->CaptionFont()).pixelSize(), QFontInfo(key->font()).pixelSize()) << n;
        }
        EXPECT_EQ(Form4->SpeedButton(88)->Caption(), "7");
        Form4->hide();
    }
}

TEST_F(LookMenusDesktopTest, TheMainWindowAndTheAboutBoxShowTheProgramsIcon) {
    // The main window's frame lies on the screen, and the window manager has the icon at every size.
    EXPECT_GE(form->frameGeometry().top(), 0);
    EXPECT_GE(form->frameGeometry().left(), 0);
    QByteArray icons;
    ASSERT_TRUE(run("xprop", {"-id", QString::number(form->winId()), "_NET_WM_ICON"}, &icons));
    for (int size : {16, 24, 32, 48, 64, 128})
        EXPECT_TRUE(icons.contains(QStringLiteral("Icon (%1 x %1)").arg(size).toUtf8())) << size;

    form->Apropos1->trigger();
    ASSERT_TRUE(waitFor([] { return Form23->isVisible(); }));
    settle();
    const QImage shown = grabScreen();
    const QRect image = onScreen(Form23->Image1, Form23->Image1->contentsRect());
    // The 64-pixel drawing on the box's colour, where the label puts it.
    const QPixmap icon = ProgramIcon().pixmap(64, 64);
    QImage expected(image.size(), QImage::Format_RGB32);
    expected.fill(Form23->palette().color(QPalette::Window));
    {
        QPainter p(&expected);
        QStyle* style = Form23->Image1->style();
        style->drawItemPixmap(&p, expected.rect(), Form23->Image1->alignment(), icon);
    }
    EXPECT_EQ(shown.copy(image), expected);
    Form23->hide();
}

TEST_F(LookMenusDesktopTest, TheTrayOfARunWithoutTheEditorShowsTheProgramsIcon) {
    desktoptest::Probe tray({}, TRAY_HOST);
    ASSERT_TRUE(tray.waitForLine("ready"));
    ASSERT_TRUE(waitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }));
    form->AddTrayIcon();
    ASSERT_TRUE(form->TrayIcon);
    ASSERT_TRUE(waitFor([&] { return !tray.lines().filter(QRegularExpression("^docked ")).isEmpty(); }));
    // The balloon that says the run started points at the icon: put away.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QBalloonTip")) w->hide();
    settle();
    // The tray's first place, 22 pixels square on white, shows the 22-pixel drawing.
    const QImage shown = grabScreen().copy(0, 0, 22, 22);
    QImage expected(22, 22, QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter(&expected).drawPixmap(0, 0, ProgramIcon().pixmap(22, 22));
    int off = 0;
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 22; ++x) {
            const QRgb a = shown.pixel(x, y), b = expected.pixel(x, y);
            off += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) > 6;
        }
    EXPECT_EQ(off, 0);
    form->RemoveTrayIcon();
}

}  // namespace
