#include "test_history_fixture.h"

#include "apps/orvanel/Program.h"
#include "core/CplBrd.h"
#include "core/Form.h"
#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

using namespace HistoryAction;

platform::FakePlatform& fake() { return static_cast<platform::FakePlatform&>(platform::desktop()); }

class ClipboardTest : public EditingTest {
protected:
    QByteArray clipboardFile() const {
        QFile f(CplBrd::ClipboardFileName());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeClipboardFile(const QByteArray& bytes) {
        QFile f(CplBrd::ClipboardFileName());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

TEST_F(ClipboardTest, CuttingThreeRowsWritesThreeRecordsAsOneGroup) {
    setRows({{"Type", "a;"}, {"Pause", "500;MilliSec;"}, {"Calcul évolué", "A = 1"}, {"Label", "L;"}});
    select({0, 1, 2});
    form->Couper2Click();
    const QByteArray bytes = clipboardFile();
    ASSERT_EQ(bytes.size(), 831);
    EXPECT_EQ(TMacroFileRecord::fromBytes(bytes.constData() + 554).keyword, "Calcul évolué");
    EXPECT_EQ(rowTexts(), QStringList({"Label|L;"}));
    EXPECT_EQ(fake().clipboard, "Type\ta;\r\nPause\t500;MilliSec;\r\nCalcul évolué\tA = 1\r\n");
    EXPECT_EQ(actions(), QStringList({"0 Nouvelle macro", "0 Début d'actions groupées", "3 Suppression",
                                      "2 Suppression", "1 Suppression", "0 Fin d'actions groupées"}));
    form->SpeedButton26Click();
    EXPECT_EQ(rowTexts().size(), 4);
    EXPECT_EQ(rowTexts().first(), "Type|a;");
}

TEST_F(ClipboardTest, CuttingOneRowRecordsOnlyItsDeletion) {
    setRows({{"Type", "a;"}, {"Label", "L;"}});
    select({1});
    form->Couper2Click();
    EXPECT_EQ(clipboardFile().size(), 277);
    EXPECT_EQ(actions(), QStringList({"0 Nouvelle macro", "2 Suppression"}));
}

TEST_F(ClipboardTest, NothingSelectedLeavesTheFileAlone) {
    writeClipboardFile(TMacroFileRecord{"Type", "x;"}.toBytes());
    setRows({{"Type", "a;"}});
    form->ListView1->clearSelection();
    form->Couper2Click();
    form->Copier2Click();
    EXPECT_EQ(rowTexts().size(), 1);
    EXPECT_EQ(clipboardFile(), (TMacroFileRecord{"Type", "x;"}.toBytes()));
}

TEST_F(ClipboardTest, CopiedRowsPasteIdenticallyAfterARestart) {
    const QString longParams = QString("é;").repeated(127) + "z";  // 255 characters
    setRows({{"Calcul évolué", "[A] = [B] * 2"}, {"Commentaire", longParams}, {"Outil Alimentation", "Veille;"}});
    const QStringList copied = rowTexts();
    select({0, 1, 2});
    form->Copier2Click();
    EXPECT_EQ(rowTexts(), copied);
    EXPECT_EQ(actions(), QStringList({"0 Nouvelle macro"}));

    DestroyForms();
    platform::setDesktop(std::make_unique<platform::FakePlatform>());
    form = CreateForms();
    form->Nouveau1Click();
    form->show();
    focusList();
    form->ResetHistory(NewMacro);
    form->Coller2Click();
    EXPECT_EQ(rowTexts(), copied);
    EXPECT_EQ(form->ListView1->icon(0), TForm1::GetImageIndexOfText("Calcul évolué"));
}

TEST_F(ClipboardTest, PastedRowsFollowTheSelectionAndUndoAsOneGroup) {
    setRows({{"Type", "a;"}, {"Type", "b;"}});
    const QStringList before = rowTexts();
    QByteArray five;
    for (int i = 1; i <= 5; ++i) five += TMacroFileRecord{"Pause", QString::number(i) + ";"}.toBytes();
    writeClipboardFile(five);
    select({0});
    form->Coller2Click();
    EXPECT_EQ(rowTexts(), QStringList({"Type|a;", "Pause|1;", "Pause|2;", "Pause|3;", "Pause|4;", "Pause|5;",
                                       "Type|b;"}));
    EXPECT_EQ(currentAction(), GroupEnd);
    form->SpeedButton26Click();
    EXPECT_EQ(currentAction(), GroupBegin);
    EXPECT_EQ(rowTexts(), before);
    form->SpeedButton27Click();
    EXPECT_EQ(rowTexts().size(), 7);
}

TEST_F(ClipboardTest, ShortOrMissingFilesPasteNothing) {
    setRows({{"Type", "a;"}});
    form->Coller2Click();  // no file
    writeClipboardFile({});
    form->Coller2Click();  // zero bytes
    writeClipboardFile(QByteArray(100, 'x'));
    form->Coller2Click();  // less than one record
    EXPECT_EQ(rowTexts(), QStringList({"Type|a;"}));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(form->ListView4->count(), 1);
    // A trailing part of a record is ignored.
    writeClipboardFile(TMacroFileRecord{"Label", "L;"}.toBytes() + QByteArray(40, 'x'));
    form->Coller2Click();
    EXPECT_EQ(rowTexts(), QStringList({"Type|a;", "Label|L;"}));
    EXPECT_EQ(actions().last(), "2 Ajout");
}

TEST(SplitCommandLine, TheLongestKnownKeywordWins) {
    struct Case {
        QString line;
        bool found;
        QString keyword, params;
    };
    const std::vector<Case> cases = {
        {"Pause 1000", true, "Pause", "1000"},
        {"Calcul évolué A = 1", true, "Calcul évolué", "A = 1"},
        {"Calcul\t[A];+;1;", true, "Calcul", "[A];+;1;"},
        {"   Type   bonjour  ", true, "Type", "bonjour"},
        {"Type Special\tVK_RETURN;", true, "Type Special", "VK_RETURN;"},
        {"Label", true, "Label", ""},
        {"Pausex 3", false, "", ""},
        {"Bonjour tout le monde", false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        QString keyword, params;
        EXPECT_EQ(CplBrd::SplitCommandLine(c.line, keyword, params), c.found);
        if (!c.found) continue;
        EXPECT_EQ(keyword, c.keyword);
        EXPECT_EQ(params, c.params);
    }
}

// A line of 1,000,005 characters and 100,001 blanks splits into its keyword
// and its first 255 characters of parameters (bench_paste measures the time).
TEST(SplitCommandLine, LongLinesSplitIntoKeywordAndParameters) {
    const QString text = "Type " + QString("abcdefghi ").repeated(100000);
    QString keyword, params;
    EXPECT_TRUE(CplBrd::SplitCommandLine(text, keyword, params));
    EXPECT_EQ(keyword, "Type");
    EXPECT_EQ(params, text.mid(5).left(255));
}

TEST_F(ClipboardTest, TextLinesBecomeRows) {
    fake().clipboard = "Calcul évolué A = 1\r\n\r\nPause 1000\r\n";
    form->Collerapartirduntextesimple1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Calcul évolué|A = 1", "Pause|1000"}));
    EXPECT_EQ(form->ListView1->icon(0), TForm1::GetImageIndexOfText("Calcul évolué"));
    EXPECT_EQ(actions(), QStringList({"0 Nouvelle macro", "0 Début d'actions groupées", "1 Ajout", "2 Ajout",
                                      "0 Fin d'actions groupées"}));
}

TEST_F(ClipboardTest, ALineWithoutKeywordStartsAnEmptyMacro) {
    fake().clipboard = "  " + QString("mot ").repeated(80) + " ";
    form->Collerapartirduntextesimple1Click();
    ASSERT_EQ(form->ListView1->count(), 1);
    EXPECT_EQ(form->ListView1->keyword(0), "mot mot mot mot mot");
    EXPECT_EQ(form->ListView1->params(0).size(), 255);
    EXPECT_TRUE(form->ListView1->params(0).startsWith("mot "));
    EXPECT_EQ(form->ListView1->icon(0), 31);
    EXPECT_EQ(actions().last(), "1 Ajout");
}

TEST_F(ClipboardTest, ALineWithoutKeywordContinuesTheRowANewRowWouldFollow) {
    setRows({{"Type", "a;"}, {"Type", "b;"}, {"Type", "c;"}});
    select({0});
    fake().clipboard = "Type bonjour\nle monde  \n";
    form->Collerapartirduntextesimple1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Type|a;", "Type|bonjourle monde", "Type|b;", "Type|c;"}));
    EXPECT_EQ(actions().mid(1), QStringList({"0 Début d'actions groupées", "2 Ajout", "2 Modification",
                                             "0 Fin d'actions groupées"}));
    // Continuations stop at 255 characters.
    select({3});
    fake().clipboard = QString(300, 'x');
    form->Collerapartirduntextesimple1Click();
    EXPECT_EQ(form->ListView1->params(3), "c;" + QString(253, 'x'));
    form->SpeedButton25Click();
    EXPECT_EQ(form->ListView1->params(3), "c;");
}

// Outside the list, the edit entries act on the focused field of a dialog.
TEST_F(ClipboardTest, EditEntriesActOnTheFocusedDialogField) {
    setRows({{"Type", "a;"}});
    TForm dialog(5, "Dialogue");
    auto* layout = new QVBoxLayout(&dialog);
    auto* edit = new QLineEdit("bonjour le monde", &dialog);
    auto* memo = new QPlainTextEdit("ligne", &dialog);
    layout->addWidget(edit);
    layout->addWidget(memo);
    dialog.show();
    dialog.activateWindow();
    QApplication::setActiveWindow(&dialog);
    edit->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(CplBrd::GetActiveDialogEdit(), edit);

    edit->setSelection(0, 8);
    form->Couper2Click();
    EXPECT_EQ(edit->text(), "le monde");
    EXPECT_EQ(fake().clipboard, "bonjour ");
    edit->setCursorPosition(8);
    form->Coller2Click();
    EXPECT_EQ(edit->text(), "le mondebonjour ");
    edit->selectAll();
    form->Supprimer2Click();
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(rowTexts(), QStringList({"Type|a;"}));
    EXPECT_FALSE(QFile::exists(CplBrd::ClipboardFileName()));

    memo->setFocus();
    QApplication::processEvents();
    memo->selectAll();
    form->Copier2Click();
    EXPECT_EQ(fake().clipboard, "ligne");
    EXPECT_EQ(memo->toPlainText(), "ligne");
    form->Collerapartirduntextesimple1Click();  // no text rows while a field has the focus
    EXPECT_EQ(rowTexts(), QStringList({"Type|a;"}));
}

}  // namespace
