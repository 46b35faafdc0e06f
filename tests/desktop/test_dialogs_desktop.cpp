// The "Type" dialog driven like a user on a real X server: palette click,
// typed keys, Enter, double-click on the row, OK.
#include "core/FileDialog.h"
#include "core/History.h"
#include "core/MacroFileRecord.h"
#include "core/Unit1.h"
#include "editors/CommandDialog.h"
#include "editors/Unit2.h"
#include "editors/Unit25.h"
#include "editors/Unit7.h"
#include "editors/Unit8.h"
#include "tests/support/TestServices.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"
#include "tests/desktop/DesktopWindow.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace platform;
using desktoptest::run;
using desktoptest::waitFor;

namespace {

class DialogsDesktopTest : public DesktopWindowTest {
protected:
    void typeLetters(const char* text) {
        for (const char* c = text; *c; ++c) key(uint8_t(*c >= 'a' && *c <= 'z' ? *c - 'a' + 'A' : *c));
    }
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
    EXPECT_FALSE(RowEditing().modifying);
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
    // The click must not land on the dialog while the server still shows it.
    ASSERT_TRUE(waitFor([this] { return form->isActiveWindow(); }));

    setRows({{"Quitter", ""}});
    const QRect r = form->ListView1->visualRect(form->ListView1->items().index(0, 0));
    clickAt(form->ListView1->viewport(), r.center(), 2);
    ASSERT_TRUE(waitFor([this] { return form->ListView1->selectedIndex() == 0; }));
    QApplication::processEvents();
    EXPECT_FALSE(RowEditing().modifying);
    form->PageControl2->setCurrentIndex(0);
    QToolButton* pause = form->PaletteButton(8);
    clickAt(pause, pause->rect().center());
    ASSERT_TRUE(waitFor([] { return Form7->isVisible(); }));
    EXPECT_FALSE(Form7->Modifying());
    EXPECT_EQ(Form7->ComboBox1->currentText(), "00:00:01");
}

// The script dialog shows the value of what is typed; a Boolean has no result variable.
TEST_F(DialogsDesktopTest, ScriptDialogShowsTheValueOfWhatIsTyped) {
    form->PageControl2->setCurrentIndex(1);
    QToolButton* script = form->PaletteButton(37);
    ASSERT_TRUE(waitFor([script] { return script->isVisible(); }));
    clickAt(script, script->rect().center());
    ASSERT_TRUE(waitFor([] { return Form25->isActiveWindow() && Form25->Edit1->hasFocus(); }));
    ASSERT_TRUE(x11->TypeText("1+1"));
    x11->Flush();
    ASSERT_TRUE(waitFor([] { return Form25->Label4->text() == QLatin1String("2"); }))
        << Form25->Label4->text().toStdString();
    EXPECT_EQ(Form25->Label2->text(), "Expression");
    EXPECT_TRUE(Form25->ComboBox2->isEnabled());
    Form25->Edit1->selectAll();
    ASSERT_TRUE(x11->TypeText("1<2"));
    x11->Flush();
    ASSERT_TRUE(waitFor([] { return Form25->Label2->text() == QStringLiteral("Expression Booléenne"); }))
        << Form25->Label2->text().toStdString();
    EXPECT_EQ(Form25->Label4->text(), "True");
    EXPECT_FALSE(Form25->ComboBox2->isEnabled());
    EXPECT_FALSE(Form25->Label3->isEnabled());
    clickAt(Form25->Button1, Form25->Button1->rect().center());
    ASSERT_TRUE(waitFor([this] { return form->ListView1->count() == 1; }));
    EXPECT_EQ(rowTexts(), QStringList({"ScriptEval|JScript;;1<2"}));
}

// The window manager's stacking order of the client windows, bottom first.
QStringList stacking() {
    QByteArray out;
    run("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"}, &out);
    QStringList ids;
    for (const QString& id : QString::fromLatin1(out).section(u'#', 1).split(u',', Qt::SkipEmptyParts))
        ids << QString::number(id.trimmed().toULongLong(nullptr, 16));
    return ids;
}

// The warning of a dialog that stays on top (here the Variable dialog's) opens above it.
TEST_F(DialogsDesktopTest, WarningsOfAStayOnTopDialogOpenAboveIt) {
    QPointer<QWidget> shownBox;
    bool above = false, answered = false;
    testServices().onMessage = [&](const MessageRequest& r) {
        QTimer::singleShot(0, [&] {
            waitFor([&] {
                shownBox = QApplication::activeModalWidget();
                return shownBox && shownBox->isVisible();
            });
            if (!shownBox) return;
            above = waitFor([&] {
                const QStringList order = stacking();
                const qsizetype box = order.indexOf(QString::number(shownBox->winId()));
                return box >= 0 && box > order.indexOf(QString::number(Form8->winId()));
            }, 2000);
            shownBox->close();
        });
        const int answer = testServices().AppServices::AskMessage(r);
        answered = true;
        return answer;
    };
    form->PageControl2->setCurrentIndex(1);
    QToolButton* variable = form->PaletteButton(9);
    clickAt(variable, variable->rect().center());
    ASSERT_TRUE(waitFor([] { return Form8->isActiveWindow(); }));
    Form8->Edit1->clear();
    clickAt(Form8->Button1, Form8->Button1->rect().center());
    ASSERT_TRUE(waitFor([&] { return answered; }));
    EXPECT_TRUE(above) << stacking().join(u' ').toStdString();
    Form8->close();
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
        {1, 15, 15, "Lire Ecrire", "/tmp/f.txt\t\t<Total>\t2"},  // Tab passes the browse button
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
