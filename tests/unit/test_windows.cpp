// The window registry: start-up makes the main window only, every other
// window is made on first use, once, and prepared as start-up prepares
// windows; the end deletes them the last made first.
#include "apps/orvanel/Program.h"
#include "core/Unit1.h"
#include "core/Windows.h"
#include "editors/Unit5.h"
#include "editors/Unit7.h"
#include "platform/IniFile.h"
#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"
#include "tests/support/TestSupport.h"
#include "tools/Unit23.h"

#include <QToolButton>

namespace {

using WindowsTest = MainWindowTest;

TEST_F(WindowsTest, StartUpMakesTheMainWindowOnly) {
    EXPECT_EQ(MadeWindows(), QList<QWidget*>({form}));
    EXPECT_EQ(Form5.made(), nullptr);
    EXPECT_EQ(MadeWindow(5), nullptr);
    EXPECT_TRUE(RegisteredWindows().contains(5));
    EXPECT_FALSE(RegisteredWindows().contains(31));  // no such window
    EXPECT_EQ(Window(31), nullptr);
}

TEST_F(WindowsTest, AWindowIsMadeOnceOnFirstUse) {
    TForm5* first = Form5;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->objectName(), "Form5");
    EXPECT_EQ(Form5.made(), first);
    EXPECT_EQ(Window(5), first);
    EXPECT_EQ(&*Form5, first);
    EXPECT_EQ(MadeWindows(), QList<QWidget*>({form, first}));
}

// The editor opens a command's dialog by the dialog number of the command table.
TEST_F(WindowsTest, TheEditorMakesTheDialogOfACommand) {
    ASSERT_EQ(Form7.made(), nullptr);
    form->PaletteButton(8)->click();  // "Pause"
    ASSERT_NE(Form7.made(), nullptr);
    EXPECT_TRUE(Form7->isVisible());
}

// A window made after start-up takes the place the settings file kept for it.
TEST_F(WindowsTest, AWindowMadeLaterTakesItsSavedPlace) {
    platform::IniFile ini(form->GetConfigFileName());
    for (const auto& [key, value] : {std::pair{"Left", 120}, {"Top", 90}, {"Width", 333}, {"Height", 222}})
        ini.WriteInteger("Form23", key, value);
    ini.UpdateFile();
    EXPECT_EQ(Form23->geometry(), QRect(120, 90, 333, 222));
}

TEST_F(WindowsTest, TheEndDeletesTheLastMadeFirst) {
    QStringList deleted;
    for (QWidget* w : {static_cast<QWidget*>(form), static_cast<QWidget*>(Form7), static_cast<QWidget*>(Form5)})
        QObject::connect(w, &QObject::destroyed, [&deleted, name = w->objectName()] { deleted << name; });
    DestroyForms();
    EXPECT_EQ(deleted, QStringList({"Form5", "Form7", "Form1"}));
    EXPECT_TRUE(MadeWindows().isEmpty());
    platform::setDesktop(std::make_unique<platform::FakePlatform>());
    form = CreateForms();  // for the fixture's end
}

}  // namespace
