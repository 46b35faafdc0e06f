// The "Type" dialog driven like a user on a real X server: palette click,
// typed keys, Enter, double-click on the row, OK.
#include "core/FileDialog.h"
#include "core/History.h"
#include "core/MacroFileRecord.h"
#include "core/Unit1.h"
#include "editors/CommandDialog.h"
#include "editors/Unit2.h"
#include "editors/Unit7.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"
#include "tests/desktop/DesktopSupport.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace platform;
using desktoptest::run;
using desktoptest::waitFor;

namespace {

class DialogsDesktopTest : public MainWindowTest {
protected:
    void SetUp() override {
        if (qgetenv("ORVANEL_PRIVATE_X") != "1") GTEST_SKIP() << "run through run-under-xvfb.sh";
        x11 = openX11Platform();
        ASSERT_TRUE(x11);
        MainWindowTest::SetUp();
        form->show();
        ASSERT_TRUE(waitFor([this] { return form->isActiveWindow(); }));
    }
    void clickAt(QWidget* w, QPoint local, int times = 1) {
        const QPoint p = w->mapToGlobal(local);
        x11->SetCursorPos(p.x(), p.y());
        for (int i = 0; i < times; ++i) {
            x11->mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0);
            x11->mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0);
        }
        x11->Flush();
    }
    void key(uint8_t vk) {
        x11->keybd_event(vk, 0, 0);
        x11->keybd_event(vk, 0, KEYEVENTF_KEYUP);
        x11->Flush();
    }
    void typeLetters(const char* text) {
        for (const char* c = text; *c; ++c) key(uint8_t(*c >= 'a' && *c <= 'z' ? *c - 'a' + 'A' : *c));
    }
    std::unique_ptr<Platform> x11;
};

TEST_F(DialogsDesktopTest, TypeAddedFromThePaletteThenModifiedByDoubleClick) {
    setRows({{"Type", "avant"}, {"Quitter", ""}});
    TForm1::Select_unique(form->ListView1, 0);
    QToolButton* button = form->PaletteButton(1);
    clickAt(button, button->rect().center());
    ASSERT_TRUE(waitFor([] { return Form2->isActiveWindow() && Form2->ComboBox1->hasFocus(); }));
    typeLetters("bonjour");
    ASSERT_TRUE(waitFor([] { return Form2->ComboBox1->currentText() == QLatin1String("bonjour"); }));
    key(VK_RETURN);
    ASSERT_TRUE(waitFor([this] { return form->ListView1->count() == 3; }));
    EXPECT_EQ(rowTexts(), QStringList({"Type|avant", "Type|bonjour", "Quitter|"}));
    EXPECT_EQ(form->ListView1->icon(1), 0);
    EXPECT_TRUE(waitFor([] { return !Form2->isVisible(); }));

    // Double-click the first row, change the text, OK.
    const QRect r = form->ListView1->visualRect(form->ListView1->items().index(0, 0));
    clickAt(form->ListView1->viewport(), r.center(), 2);
    ASSERT_TRUE(waitFor([] { return Form2->isActiveWindow() && Form2->Modifying(); }));
    EXPECT_EQ(Form2->ComboBox1->currentText(), "avant");
    Form2->ComboBox1->lineEdit()->selectAll();
    typeLetters("salut");
    ASSERT_TRUE(waitFor([] { return Form2->ComboBox1->currentText() == QLatin1String("salut"); }));
    clickAt(Form2->Button1, Form2->Button1->rect().center());
    ASSERT_TRUE(waitFor([this] { return form->ListView1->params(0) == QLatin1String("salut"); }));
    EXPECT_EQ(rowTexts(), QStringList({"Type|salut", "Type|bonjour", "Quitter|"}));
    const THistoryList* h = form->ListView4;
    ASSERT_GE(h->count(), 3);
    EXPECT_EQ(h->action(h->count() - 3), HistoryAction::Add);
    EXPECT_EQ(h->action(h->count() - 2), HistoryAction::Initial);
    EXPECT_EQ(h->params(h->count() - 2), "avant");
    EXPECT_EQ(h->action(h->count() - 1), HistoryAction::Modify);
    EXPECT_EQ(h->params(h->count() - 1), "salut");
    EXPECT_FALSE(EditMode);
}

TEST_F(DialogsDesktopTest, CancelKeepsTheTextAndPauseOpensForAddingAfterAQuitterRow) {
    QToolButton* type = form->PaletteButton(1);
    clickAt(type, type->rect().center());
    ASSERT_TRUE(waitFor([] { return Form2->isActiveWindow() && Form2->ComboBox1->hasFocus(); }));
    typeLetters("abc");
    ASSERT_TRUE(waitFor([] { return Form2->ComboBox1->currentText() == QLatin1String("abc"); }));
    clickAt(Form2->Button2, Form2->Button2->rect().center());
    ASSERT_TRUE(waitFor([] { return !Form2->isVisible(); }));
    clickAt(type, type->rect().center());
    ASSERT_TRUE(waitFor([] { return Form2->isVisible(); }));
    EXPECT_EQ(Form2->ComboBox1->currentText(), "abc");
    Form2->close();

    setRows({{"Quitter", ""}});
    const QRect r = form->ListView1->visualRect(form->ListView1->items().index(0, 0));
    clickAt(form->ListView1->viewport(), r.center(), 2);
    ASSERT_TRUE(waitFor([this] { return form->ListView1->selectedIndex() == 0; }));
    QApplication::processEvents();
    EXPECT_FALSE(EditMode);
    form->PageControl2->setCurrentIndex(0);
    QToolButton* pause = form->PaletteButton(8);
    clickAt(pause, pause->rect().center());
    ASSERT_TRUE(waitFor([] { return Form7->isVisible(); }));
    EXPECT_FALSE(Form7->Modifying());
    EXPECT_EQ(Form7->ComboBox1->currentText(), "00:00:01");
}

// Each palette button opens the window of its command, found on the X server
// by its caption; xdotool types into it, "Valider" adds the row, and the
// macro saved decodes to the records expected.
TEST_F(DialogsDesktopTest, PaletteDialogsAddTheirRowsToTheSavedMacro) {
    struct Row {
        int page, button, form;
        QString caption, typed;
    };
    const Row rows[] = {
        {1, 9, 8, "Déclaration de variable", "Total"},  // replaces the default name's inner part
        {1, 10, 9, "Question", "Continuer ?"},
        {1, 31, 9, "Message", "Bonjour"},
        {1, 11, 11, "Condition", "<Total>"},
        {1, 12, 12, "Calcul sur variable", "<Total>\tx"},
        {1, 22, 24, "Calcul évolué", "<Total> = <Total> + abc"},
        {1, 15, 15, "Lire Ecrire", "/tmp/f.txt\t<Total>\t2"},
        {0, 5, 26, "Commande Exécute", "http://www.exemple.fr/?a=1;b=2"},
        {0, 6, 3, "Label", ""},
        {0, 7, 3, "Goto", "<Label1>"},
        {0, 38, 36, "Procédure", "Calculer"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.caption.toStdString());
        form->PageControl2->setCurrentIndex(r.page);
        QToolButton* button = form->PaletteButton(r.button);
        clickAt(button, button->rect().center());
        TCommandDialog* d = CommandDialog(r.form);
        ASSERT_TRUE(waitFor([&] {
            QByteArray found;
            return d->isActiveWindow() &&
                   run("xdotool", {"search", "--onlyvisible", "--name", "^" + r.caption + "$"}, &found) &&
                   !found.trimmed().isEmpty();
        }));
        if (!r.typed.isEmpty()) ASSERT_TRUE(run("xdotool", {"type", "--delay", "20", r.typed}));
        QApplication::processEvents();
        waitFor([] { return false; }, 300);  // the typed keys arrive
        clickAt(d->Button1, d->Button1->rect().center());
        ASSERT_TRUE(waitFor([&] { return !d->isVisible(); }));
    }
    form->SaveDialog1->FileName = home.filePath("saisie.mcr");
    form->SaveMacro(nullptr);
    QFile file(form->SaveDialog1->FileName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QStringList saved;
    for (qsizetype at = 0; at + TMacroFileRecord::kSize <= bytes.size(); at += TMacroFileRecord::kSize) {
        const TMacroFileRecord record = TMacroFileRecord::fromBytes(bytes.constData() + at);
        saved << record.keyword + u'|' + record.params;
    }
    EXPECT_EQ(saved, QStringList({"Variable|<Total>;;Alpha;", "Question|Question;Continuer ?;;",
                                  "Message|Message;Bonjour;", "Examine|<Total>;=;;", "Calcul|<Total>;+;x;",
                                  "Calcul évolué|<Total> = <Total> + abc", "Lire|/tmp/f.txt;<Total>;2;",
                                  "Execute|http://www.exemple.fr/?a=1;b=2", "Label|<Label1>", "Goto|<Label1>",
                                  "Procedure|Calculer"}));
}

}  // namespace
