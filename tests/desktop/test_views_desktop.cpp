// The main menu and the status bar driven with the real mouse and keyboard.
#include "core/Form.h"
#include "core/InputBox.h"
#include "core/Unit1.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"
#include "tests/desktop/DesktopWindow.h"
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

using namespace platform;
using desktoptest::waitFor;

namespace {

class ViewsDesktopTest : public DesktopWindowTest {
protected:
    // Opens a menu of the menu bar and clicks one of its items.
    void choose(const char* menuName, QAction* item) {
        auto* menu = form->findChild<QMenu*>(QLatin1String(menuName));
        clickAt(form->menuBar(), form->menuBar()->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(waitFor([menu] { return menu->isVisible(); })) << menuName;
        clickAt(menu, menu->actionGeometry(item).center());
        ASSERT_TRUE(waitFor([menu] { return !menu->isVisible(); }));
    }
};

TEST_F(ViewsDesktopTest, MenuEntriesOpenWhatTheyName) {
    struct Case {
        const char* menu;
        QAction* item;
        int form;
        QString title;
    };
    const Case cases[] = {
        {"Macro1", form->Options1, 19, "Options de Orvanel"},
        {"Outils1", form->Spy1, 16, ""},
        {"Outils1", form->RechercherObjet1, 17, "Liste Objet"},
        {"Outils1", form->Enregistrerunesequence1, 28, "Capture séquence"},
        {"Aide1", form->Apropos1, 23, ""},
    };
    for (const Case& c : cases) {
        choose(c.menu, c.item);
        ASSERT_TRUE(waitFor([&c] { return MadeWindow(c.form) && MadeWindow(c.form)->isVisible(); }))
            << c.item->objectName().toStdString();
        if (!c.title.isEmpty()) EXPECT_EQ(MadeWindow(c.form)->windowTitle(), c.title);
        MadeWindow(c.form)->hide();
        ASSERT_TRUE(waitFor([this] { return form->isActiveWindow(); }));
    }
}

TEST_F(ViewsDesktopTest, ADoubleClickOnTheLineNumberGoesToALine) {
    setRows({{"Pause", "00:00:01"}, {"Pause", "00:00:02"}, {"Pause", "00:00:03"}});
    testServices().onAskText = [](const QString& caption, const QString& prompt, QString& text, bool password) {
        return RunInputBox(caption, prompt, text, password);
    };
    // The box waits in its own event loop: it is answered from a timer once it is active.
    QString title, typed;
    QTimer typist;
    QObject::connect(&typist, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() != u"Saisie" || !w->isActiveWindow()) continue;
            auto* edit = w->findChild<QLineEdit*>("Edit1");
            if (edit->text().isEmpty() && title.isEmpty()) {
                title = w->windowTitle();
                key('3');
            } else if (edit->text() == u"3") {
                typed = edit->text();
                key(VK_RETURN);
                typist.stop();
            }
        }
    });
    typist.start(50);
    QLabel* line = form->StatusPanel[3];
    clickAt(line, line->rect().center(), 2);
    ASSERT_TRUE(waitFor([this] { return form->ListView1->selectedRows() == QList<int>({2}); }));
    EXPECT_EQ(title, "Aller à la ligne");
    EXPECT_EQ(typed, "3");
    EXPECT_EQ(line->text(), "Ligne 3/3");
}

}  // namespace
