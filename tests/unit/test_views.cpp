// The main window's views: the input box, the balloon tip, the description tab.
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"

#include "core/BalloonTip.h"
#include "core/Description.h"
#include "core/InputBox.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "platform/Cp1252.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

using ViewsTest = MainWindowTest;

// Acts on the input box once it shows.
void whenInputBoxShows(const std::function<void(QWidget&)>& act) {
    QTimer::singleShot(0, [act] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == u"Saisie" && w->isVisible()) return act(*w);
        ADD_FAILURE() << "no input box";
    });
}

TEST(InputBox, ValiderConfirmsTheTextTyped) {
    QString text = "old";
    whenInputBoxShows([](QWidget& box) {
        EXPECT_EQ(box.windowTitle(), "Titre");
        EXPECT_EQ(box.findChild<QLabel*>("Label1")->text(), "Invite");
        auto* edit = box.findChild<QLineEdit*>("Edit1");
        EXPECT_EQ(edit->text(), "old");
        EXPECT_EQ(edit->echoMode(), QLineEdit::Normal);
        EXPECT_EQ(box.size(), QSize(290, 120));
        EXPECT_TRUE(box.windowFlags() & Qt::WindowStaysOnTopHint);
        edit->setText("new");
        box.findChild<QPushButton*>("Button1")->click();
    });
    EXPECT_TRUE(RunInputBox("Titre", "Invite", text, false));
    EXPECT_EQ(text, "new");
}

TEST(InputBox, ClosingCancelsAndKeepsTheText) {
    QString text = "old";
    whenInputBoxShows([](QWidget& box) {
        auto* edit = box.findChild<QLineEdit*>("Edit1");
        EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
        edit->setText("typed");
        box.close();
    });
    EXPECT_FALSE(RunInputBox("Titre", "Mot de passe", text, true));
    EXPECT_EQ(text, "old");
}

TEST(InputBox, EnterConfirms) {
    QString text;
    whenInputBoxShows([](QWidget& box) {
        auto* edit = box.findChild<QLineEdit*>("Edit1");
        edit->setText("12");
        emit edit->returnPressed();
    });
    EXPECT_TRUE(RunInputBox("Titre", "Invite", text, false));
    EXPECT_EQ(text, "12");
}

TEST_F(ViewsTest, SaisieAsksThroughTheServicesWithItsDefaultText) {
    QString asked;
    testServices().onAskText = [&](const QString& caption, const QString& prompt, QString& text, bool password) {
        asked = caption + '|' + prompt + '|' + text + '|' + (password ? "masked" : "plain");
        text = "answer";
        return true;
    };
    QString result = "before";
    EXPECT_TRUE(form->Saisie("Cap", "Prompt", result, true, "default"));
    EXPECT_EQ(asked, "Cap|Prompt|default|masked");
    EXPECT_EQ(result, "answer");
    testServices().onAskText = [](const QString&, const QString&, QString& text, bool) {
        text = "ignored";
        return false;
    };
    EXPECT_FALSE(form->Saisie("Cap", "Prompt", result, false, "default"));
    EXPECT_EQ(result, "answer");
}

TEST_F(ViewsTest, BalloonStemsAtTheCornerTheSideNames) {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    edit->setGeometry(30, 40, 100, 20);
    window.move(200, 100);
    window.show();
    const QPoint origin = window.mapToGlobal(QPoint(30, 40));
    const QPoint expected[] = {origin, origin + QPoint(100, 0), origin + QPoint(0, 20), origin + QPoint(100, 20)};
    for (int side = 0; side < 4; ++side) EXPECT_EQ(BalloonStem(*edit, side), expected[side]) << side;
}

TEST_F(ViewsTest, BalloonShowsTitleAndTextThenHides) {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    edit->setGeometry(10, 10, 80, 20);
    window.show();
    // Shown at once, with no wait of its own: the keys go on being typed.
    auto* tip = qobject_cast<TBalloonTip*>(form->ShowBalloonTip(edit, 2, "Le texte", "Information"));
    ASSERT_TRUE(tip);
    EXPECT_TRUE(tip->isVisible());
    window.hide();  // the balloon goes with its window
    QElapsedTimer elapsed;
    elapsed.start();
    while (tip->isVisible() && elapsed.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(tip->isVisible());
    EXPECT_EQ(tip->title(), "Information");
    EXPECT_EQ(tip->text(), "Le texte");
    EXPECT_EQ(tip->stem(), BalloonStem(*edit, 2));
}

TEST(DescriptionBlocks, HeadersAndBlocks) {
    EXPECT_TRUE(IsDescriptionHeader(";;;;"));
    EXPECT_TRUE(IsDescriptionHeader(";;Clavier > Type;;"));
    EXPECT_FALSE(IsDescriptionHeader(";;;"));
    EXPECT_FALSE(IsDescriptionHeader(";;abc;"));
    EXPECT_FALSE(IsDescriptionHeader("[Menu1]"));
    const QStringList lines = {"[Menu1]", "Macro1=Macro", ";;A;;", "a1", "a2", ";;B;;", "b1"};
    EXPECT_EQ(DescriptionBlock(lines, "A"), QStringList({"a1", "a2"}));
    EXPECT_EQ(DescriptionBlock(lines, "B"), QStringList({"b1"}));
    EXPECT_TRUE(DescriptionBlock(lines, "C").isEmpty());
}

TEST_F(ViewsTest, ChangeDescriptionReplacesTheBlockOnce) {
    DescriptionLines = {"[Menu1]", "Macro1=Macro", ";;A;;", "a1", ";;B;;", "b1", ";;A;;", "old copy"};
    form->RichEdit2->setPlainText("new 1\nnew 2");
    form->ChangeDescription("A");
    form->ChangeDescription("A");
    EXPECT_EQ(DescriptionLines,
              QStringList({"[Menu1]", "Macro1=Macro", ";;B;;", "b1", ";;A;;", "new 1", "new 2"}));
    // An empty panel leaves no block; no name changes nothing.
    form->RichEdit2->clear();
    form->ChangeDescription("B");
    EXPECT_EQ(DescriptionLines, QStringList({"[Menu1]", "Macro1=Macro", ";;A;;", "new 1", "new 2"}));
    form->RichEdit2->setPlainText("x");
    form->ChangeDescription("");
    EXPECT_EQ(DescriptionLines.size(), 5);
}

TEST_F(ViewsTest, SavingTheDescriptionsNeedsTheLanguageFile) {
    DescriptionLines = {"[Menu1]", ";;A;;", "a"};
    EXPECT_FALSE(SaveDescriptionLines());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains("Français.lng"));
    QFile lng(platform::programFile("Français.lng"));
    ASSERT_TRUE(lng.open(QIODevice::WriteOnly));
    lng.write("[Menu1]\r\n");
    lng.close();
    DescriptionLines = {"[Menu1]", ";;Écran;;", "é"};
    EXPECT_TRUE(SaveDescriptionLines());
    ASSERT_TRUE(lng.open(QIODevice::ReadOnly));
    EXPECT_EQ(platform::fromCp1252(lng.readAll()), "[Menu1]\r\n;;Écran;;\r\né\r\n");
}

TEST_F(ViewsTest, TreeNodesByAbsoluteIndex) {
    QTreeWidget* tree = form->TreeView1;
    tree->clear();  // nodes of the test's own
    auto* clavier = new QTreeWidgetItem(tree, {"Clavier"});
    new QTreeWidgetItem(clavier, {"Tape de Texte"});
    auto* combi = new QTreeWidgetItem(clavier, {"Combinaison de touche"});
    auto* souris = new QTreeWidgetItem(tree, {"Souris"});
    new QTreeWidgetItem(souris, {"Clique"});
    EXPECT_EQ(AbsoluteIndex(clavier), 0);
    EXPECT_EQ(AbsoluteIndex(combi), 2);
    EXPECT_EQ(AbsoluteIndex(souris), 3);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(AbsoluteIndex(ItemAtAbsoluteIndex(tree, i)), i);
    EXPECT_EQ(ItemAtAbsoluteIndex(tree, 5), nullptr);
    EXPECT_EQ(AbsoluteIndex(nullptr), -1);
}

TEST_F(ViewsTest, DescriptionPathLinksToItsNodes) {
    QTreeWidget* tree = form->TreeView1;
    tree->clear();  // nodes of the test's own
    new QTreeWidgetItem(tree, {"Clavier"});
    auto* fonction = new QTreeWidgetItem(tree, {"Fonction"});
    auto* date = new QTreeWidgetItem(fonction, {"Date"});
    auto* jour = new QTreeWidgetItem(date, {"Jour"});
    tree->setCurrentItem(jour);
    form->GetDescURLStyle("Fonction;Date;Jour;");
    QStringList texts;
    QList<int> tags;
    for (QLabel* l : form->Panel9->findChildren<QLabel*>()) {
        texts << l->text();
        if (l->objectName() == u"DescURLStyle") tags << l->property("tag").toInt();
    }
    EXPECT_EQ(texts, QStringList({"Description de : ", "Fonction", " > ", "Date", " > ", "Jour"}));
    EXPECT_EQ(tags, QList<int>({1, 2, 3}));
    // A click on "Date" selects its node; the next path replaces the labels.
    tree->setCurrentItem(nullptr);
    auto links = form->Panel9->findChildren<QLabel*>("DescURLStyle");
    form->DescURLStyleOnclick(links[1]);
    EXPECT_EQ(tree->currentItem(), date);
    form->GetDescURLStyle("Clavier;");
    EXPECT_EQ(form->Panel9->findChildren<QLabel*>().size(), 2);
}

TEST_F(ViewsTest, ALinkShowsThePalettePageOfItsName) {
    form->PageControl2->setCurrentIndex(0);
    form->GetDescURLStyle("Supplément;");
    auto* link = form->Panel9->findChild<QLabel*>("DescURLStyle");
    form->DescURLStyleOnclick(link);
    EXPECT_EQ(form->PageControl2->tabText(form->PageControl2->currentIndex()), "Supplément");
}

TEST_F(ViewsTest, DetailCommandesShowsAndHidesTheDetailPanel) {
    form->show();
    QAction* detail = form->Dtailcommandes1;
    const int tab = form->PageControl1->indexOf(form->TabSheet3);
    ASSERT_TRUE(detail->isChecked());
    form->SpeedButton20->click();  // "Fermer" of the panel works the item
    EXPECT_FALSE(detail->isChecked());
    EXPECT_FALSE(form->Panel3->isVisible());
    EXPECT_FALSE(form->PageControl1->isTabVisible(tab));
    detail->trigger();
    EXPECT_TRUE(detail->isChecked());
    EXPECT_TRUE(form->Panel3->isVisible());
    EXPECT_TRUE(form->PageControl1->isTabVisible(tab));
}

}  // namespace

