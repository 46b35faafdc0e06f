// A translated command tree driven with the real mouse: the double-click
// still opens the dialog of the built-in command.
#include "core/CommandTree.h"
#include "core/Form.h"
#include "core/Unit1.h"
#include "platform/Cp1252.h"
#include "platform/ProgramFolder.h"
#include "tests/desktop/DesktopWindow.h"
#include "tools/ModuleSup.h"

#include <QFile>
#include <QTreeWidget>

using desktoptest::run;
using desktoptest::waitFor;

namespace {

class LanguagesDesktopTest : public DesktopWindowTest {};

TEST_F(LanguagesDesktopTest, ATranslatedTreeOpensTheBuiltInDialog) {
    QFile lng(platform::programFile(QStringLiteral("Test.lng")));
    ASSERT_TRUE(lng.open(QIODevice::WriteOnly));
    lng.write(platform::toCp1252(QStringLiteral("[Form1]\r\nItem1=Tastatur\r\n")));
    lng.close();
    FillCommandNames();
    LoadLanguageFile(QStringLiteral("Test"));
    QTreeWidget* tree = form->TreeView1;
    QTreeWidgetItem* keyboard = tree->topLevelItem(0);
    ASSERT_EQ(keyboard->text(0), QStringLiteral("Tastatur"));
    keyboard->setExpanded(true);
    QTreeWidgetItem* typing = keyboard->child(0);
    tree->scrollToItem(typing);
    ASSERT_TRUE(waitFor([&] { return tree->visualItemRect(typing).isValid(); }));
    waitFor([] { return false; }, 300);  // the expanded tree is laid out
    clickAt(tree->viewport(), tree->visualItemRect(typing).center(), 2);
    ASSERT_TRUE(waitFor([] {
        QByteArray found;
        return run("xdotool", {"search", "--onlyvisible", "--name", "^Frappe de texte$"}, &found) &&
               !found.trimmed().isEmpty();
    }));
    EXPECT_TRUE(Window(2)->isVisible());
    Window(2)->close();
}

}  // namespace
