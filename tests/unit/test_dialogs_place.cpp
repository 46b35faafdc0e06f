// Where and how big the dialogs open: their designed size, near the main
// window unless a saved position says otherwise, always on the screen.
#include "core/MacroFile.h"
#include "core/Unit1.h"
#include "core/Unit32.h"
#include "editors/Unit2.h"
#include "editors/Unit7.h"
#include "platform/IniFile.h"
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"

#include <QLineEdit>
#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>
#include <functional>

namespace {

class PlacementTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        form->resize(600, 420);
        form->move(120, 90);
        form->show();
    }
    static QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    // The dialogs opened by the user: from the palette, and the password dialog.
    struct Opening {
        const char* name;
        std::function<QWidget*(TForm1*)> open;
    };
    static std::vector<Opening> openings() {
        return {
            {"Type", [](TForm1* f) { f->PaletteButton(1)->click(); return static_cast<QWidget*>(Form2); }},
            {"Pause", [](TForm1* f) { f->PaletteButton(8)->click(); return static_cast<QWidget*>(Form7); }},
            {"Mot de passe", [](TForm1* f) { f->Crypter1Click(); return static_cast<QWidget*>(Form32); }},
        };
    }
    void writePosition(int formNumber, int left, int top) {
        platform::IniFile ini(home.filePath("config.ini"));
        const QString section = QStringLiteral("Form%1").arg(formNumber);
        ini.WriteInteger(section, "Left", left);
        ini.WriteInteger(section, "Top", top);
        ini.UpdateFile();
    }
};

TEST_F(PlacementTest, ADialogOpensCompactAndCentredOnTheMainWindow) {
    for (const Opening& o : openings()) {
        QWidget* dialog = o.open(form);
        ASSERT_TRUE(dialog->isVisible()) << o.name;
        // Big enough for what it holds, and no bigger than a small dialog.
        EXPECT_GE(dialog->width(), dialog->minimumSizeHint().width()) << o.name;
        EXPECT_GE(dialog->height(), dialog->minimumSizeHint().height()) << o.name;
        EXPECT_LE(dialog->width(), 420) << o.name;
        EXPECT_LE(dialog->height(), 260) << o.name;
        const QPoint offset = dialog->geometry().center() - form->geometry().center();
        EXPECT_LE(offset.manhattanLength(), 4) << o.name;
        dialog->close();
    }
}

TEST_F(PlacementTest, ASavedPositionIsKeptAndNothingLeavesTheScreen) {
    writePosition(7, 30, 40);
    writePosition(2, 5000, -300);
    form->ReadWindowPositions();
    form->PaletteButton(8)->click();
    EXPECT_EQ(Form7->geometry().topLeft(), QPoint(30, 40));  // the inside: the frame is drawn around it
    form->PaletteButton(1)->click();
    EXPECT_TRUE(screenArea().contains(Form2->geometry()));

    // A main window half off the screen: its dialog stays on it.
    Form2->close();
    Form7->close();
    form->move(screenArea().right() - 100, screenArea().bottom() - 80);
    form->Crypter1Click();
    EXPECT_TRUE(screenArea().contains(Form32->geometry()));
}

// The positions written at the end of a session for dialogs never opened are
// no saved place: the next session still opens them near the main window.
TEST_F(PlacementTest, PositionsOfDialogsNeverOpenedPlaceNothing) {
    form->WriteWindowPositions();
    form->ReadWindowPositions();
    form->PaletteButton(8)->click();
    EXPECT_LE((Form7->geometry().center() - form->geometry().center()).manhattanLength(), 4);
    EXPECT_LE(Form7->width(), 420);
}

// The password dialog stays on top: it is out of the way before it speaks.
TEST_F(PlacementTest, ThePasswordDialogNeverCoversItsMessage) {
    QVector<bool> dialogShown;
    testServices().onMessage = [&](const MessageRequest&) {
        dialogShown << Form32->isVisible();
        return int(mrOk);
    };
    for (const char* second : {"autre", "secret"}) {  // a wrong confirmation, then a good one
        form->Crypter1Click();
        Form32->Edit1->setText("secret");
        Form32->Button1Click();
        Form32->Edit1->setText(second);
        Form32->Button1Click();
    }
    EXPECT_EQ(dialogShown, QVector<bool>({false, false}));
    EXPECT_EQ(OpenMacroFile().password, "secret");
    OpenMacroFile().password.clear();
}

}  // namespace
