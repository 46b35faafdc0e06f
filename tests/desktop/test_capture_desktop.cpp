// The capture dialogs on the private X server: Caps Lock while the on-screen
// keyboard is open, the Move Mouse capture key and its snapshot with the
// cursor drawn in, and a picture pasted from the X clipboard into
// "Trouve image" and saved as a bitmap.
#include "editors/Unit22.h"
#include "editors/Unit4.h"
#include "editors/Unit5.h"
#include "engine/HotKeyManager.h"
#include "platform/VirtualKeys.h"
#include "tests/desktop/DesktopRun.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

using namespace desktoptest;
using namespace Qt::StringLiterals;

// Another client takes the combination for a moment: false while someone holds it.
bool freeFor(unsigned modifiers, uint8_t vk) {
    auto other = platform::openX11Platform();
    const bool free = other && other->RegisterHotKey(1, modifiers, vk);
    if (free) other->UnregisterHotKey(1);
    return free;
}

class CaptureDesktop : public DesktopRun {
protected:
    void SetUp() override {
        DesktopRun::SetUp();
        if (IsSkipped()) return;
        HotKeyManager1->ClearGlobalHotKeys();  // those of the fake desktop the fixture began with
        form->show();
    }
};

TEST_F(CaptureDesktop, CapsLockLightsTheIndicatorAndStillToggles) {
    auto capsOn = [] {
        QByteArray out;
        desktoptest::run("xset", {"q"}, &out);
        return out.simplified().contains("Caps Lock: on");
    };
    if (capsOn()) desktoptest::run("xdotool", {"key", "Caps_Lock"});
    ASSERT_TRUE(waitFor([&] { return !capsOn(); }));
    Form4->ShowForAdd();
    EXPECT_EQ(Form4->Shape2->Brush(), QColor(Qt::white));
    EXPECT_FALSE(freeFor(0, platform::VK_CAPITAL)) << "held while the keyboard is open";
    ASSERT_TRUE(desktoptest::run("xdotool", {"key", "Caps_Lock"}));
    EXPECT_TRUE(waitFor([] { return Form4->Shape2->Brush() == QColor(0, 255, 0); }));
    EXPECT_TRUE(capsOn()) << "the key still toggles the lock";
    ASSERT_TRUE(desktoptest::run("xdotool", {"key", "Caps_Lock"}));
    EXPECT_TRUE(waitFor([] { return Form4->Shape2->Brush() == QColor(Qt::white); }));
    EXPECT_FALSE(capsOn());
    Form4->Button2->click();
    EXPECT_TRUE(freeFor(0, platform::VK_CAPITAL)) << "closed: the program holds no grab";
}

TEST_F(CaptureDesktop, TheCaptureKeyTakesTheScreenAroundTheCursor) {
    ASSERT_TRUE(desktoptest::run("xdotool", {"mousemove", "300", "200"}));
    for (const QString& expected : {u"ImgRef0"_s, u"ImgRef1"_s}) {
        Form5->ShowForAdd();
        ASSERT_TRUE(waitFor([] { return Form5->isVisible(); }));
        // The first press starts the following; the second, pressed from inside it, stops it.
        bool following = false;
        QTimer::singleShot(500, [&] {
            following = !Form5->Capture;
            desktoptest::run("xdotool", {"key", "alt+c"});
        });
        ASSERT_TRUE(desktoptest::run("xdotool", {"key", "alt+c"}));
        ASSERT_TRUE(waitFor([&] { return following && !Form5->Preview.isNull(); }));
        EXPECT_EQ(Form5->ComboBox1->currentText(), u"300"_s);
        EXPECT_EQ(Form5->ComboBox2->currentText(), u"200"_s);
        ASSERT_EQ(Form5->Preview.size(), QSize(105, 105));
        // The screen around the cursor, with the cursor's hot spot on the centre pixel.
        QImage screen = desk().CaptureScreen(QRect(248, 148, 105, 105)).convertToFormat(QImage::Format_RGB32);
        const platform::CursorImage cursor = desk().GetCursorImage();
        ASSERT_FALSE(cursor.image.isNull()) << "the cursor's picture through XFixes";
        QImage expectedShot = screen;
        DrawCursorOnSnapshot(expectedShot);
        EXPECT_EQ(Form5->Preview, expectedShot);
        EXPECT_NE(Form5->Preview, screen) << "the cursor is drawn in";
        Form5->Button1->click();
        EXPECT_EQ(rowTexts().last(), u"Move Mouse|300;200;Direct;"_s + expected + u';');
    }
    EXPECT_TRUE(freeFor(platform::MOD_ALT, 'C')) << "closed: Alt+C is free again";
}

TEST_F(CaptureDesktop, APictureFromTheClipboardIsCutAndSaved) {
    QTemporaryDir folder;
    QImage picture(200, 150, QImage::Format_RGB32);
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x) picture.setPixel(x, y, qRgb(x, y, (x + y) % 256));
    const QString png = folder.filePath(u"capture.png"_s);
    ASSERT_TRUE(picture.save(png));
    ASSERT_TRUE(desktoptest::run("xclip", {"-selection", "clipboard", "-t", "image/png", "-i", png}));
    setRows({{u"Variable"_s, u"PosX;0;Numerique;"_s}, {u"Variable"_s, u"PosY;0;Numerique;"_s},
             {u"Variable"_s, u"Texte;;Alpha;"_s}});

    Form22->ShowForAdd();
    ASSERT_TRUE(waitFor([] { return Form22->Button1Coller->isEnabled(); }));
    Form22->Button1Coller->click();
    ASSERT_EQ(Form22->Capture.size(), QSize(200, 150));
    ASSERT_TRUE(Form22->MoveMarker(TForm22::Zone1, {0, 0}));
    ASSERT_TRUE(Form22->MoveMarker(TForm22::Image1Corner, {20, 10}));
    ASSERT_TRUE(Form22->MoveMarker(TForm22::Image2Corner, {70, 45}));
    Form22->DrawImg6();
    Form22->ComboBox4->setEditText(folder.filePath(u"cherche.bmp"_s));
    Form22->ComboBox1->setEditText(u"Texte"_s);
    Form22->ComboBox2->setEditText(u"PosY"_s);
    Form22->Button1->click();
    EXPECT_EQ(messages.texts().last(), u"Saisissez une variable de type numèrique pour la position de X."_s);

    Form22->ComboBox1->setEditText(u"PosX"_s);
    Form22->Button1->click();
    EXPECT_TRUE(rowTexts().last().endsWith(u";PosX;PosY;1"_s)) << rowTexts().last().toStdString();
    QFile bmp(folder.filePath(u"cherche.bmp"_s));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    const QByteArray header = bmp.read(30);
    EXPECT_EQ(quint8(header[28]), 32);
    EXPECT_EQ(QImage(bmp.fileName()).convertToFormat(QImage::Format_RGB32), picture.copy(20, 10, 50, 35));

    // A read-only folder: a message, the dialog stays and the program goes on.
    const QString locked = folder.filePath(u"verrou"_s);
    ASSERT_TRUE(QDir().mkdir(locked));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    QFile probe(locked + u"/essai"_s);
    // Root writes into any folder: a folder that is a file refuses it too.
    const QString target = probe.open(QIODevice::WriteOnly) ? png : locked;
    Form22->ShowForAdd();
    Form22->Button1Coller->click();
    Form22->ComboBox1->setEditText(u"PosX"_s);
    Form22->ComboBox2->setEditText(u"PosY"_s);
    Form22->ComboBox4->setEditText(target + u"/image.bmp"_s);
    const qsizetype rows = rowTexts().size(), shown = messages.shown.size();
    Form22->Button1->click();
    EXPECT_GT(messages.shown.size(), shown);
    EXPECT_EQ(rowTexts().size(), rows);
    EXPECT_TRUE(Form22->isVisible());
    Form22->Button2->click();
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Print Screen while "Trouve image" is open: the screen without the dialog
// goes to the X clipboard, and "Coller" pastes it, also while the window
// manager keeps the key for its own screenshot binding (openbox does).
// Closed, the dialog no longer hears the key.
TEST_F(CaptureDesktop, PrintScreenInTrouveImageGivesACaptureToPaste) {
    ASSERT_TRUE(desktoptest::run("xclip", {"-selection", "clipboard", "-i", "/dev/null"}));
    Form22->ShowForAdd();
    ASSERT_TRUE(waitFor([] { return Form22->isActiveWindow(); }));
    EXPECT_FALSE(Form22->Button1Coller->isEnabled());
    EXPECT_TRUE(HotKeyManager1->Registered(platform::VK_SNAPSHOT));
    struct Witness : THotKeyListener {
        int copies = 0;
        bool dialogShown = true;
        void BeforeScreenCopy() override {
            ++copies;
            dialogShown = Form22->isVisible();
        }
    } witness;  // heard after the dialog
    HotKeyManager1->AddListener(&witness);
    const QRect dialog = Form22->frameGeometry();
    ASSERT_TRUE(desktoptest::run("xdotool", {"key", "Print"}));
    ASSERT_TRUE(waitFor([] { return Form22->isVisible() && Form22->Button1Coller->isEnabled(); }));
    EXPECT_EQ(witness.copies, 1);
    EXPECT_FALSE(witness.dialogShown);
    Form22->Button1Coller->click();
    const QSize screen(desk().GetSystemMetrics(platform::SM_CXSCREEN), desk().GetSystemMetrics(platform::SM_CYSCREEN));
    ASSERT_EQ(Form22->Capture.size(), screen);
    // Where the dialog stands, the capture shows what lies under it.
    const QImage now = desk().CaptureScreen(QRect(QPoint(0, 0), screen)).convertToFormat(QImage::Format_RGB32);
    const QRect area = dialog & QRect(QPoint(0, 0), screen);
    EXPECT_NE(Form22->Capture.copy(area), now.copy(area)) << "the dialog is not on the capture";

    Form22->Button2->click();
    EXPECT_FALSE(HotKeyManager1->Registered(platform::VK_SNAPSHOT));
    ASSERT_TRUE(desktoptest::run("xdotool", {"key", "Print"}));
    waitFor([] { return false; }, 500);
    EXPECT_EQ(witness.copies, 1) << "closed: the key is no longer heard";
    HotKeyManager1->RemoveListener(&witness);
}

}  // namespace
