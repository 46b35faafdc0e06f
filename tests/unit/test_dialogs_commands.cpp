// What the declared command dialogs do beyond writing their row: undo steps,
// the Variable dialog's rename, head placement, name filter, system names and
// menu, the live check of "Calcul évolué", the procedure roles, comment
// blocks, and the presets the palette and the command tree give.
#include "core/FileDialog.h"
#include "core/History.h"
#include "core/HelpContext.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "editors/Palette.h"
#include "editors/Unit11.h"
#include "editors/Unit14.h"
#include "editors/Unit15.h"
#include "editors/Unit24.h"
#include "editors/Unit26.h"
#include "editors/Unit3.h"
#include "editors/Unit36.h"
#include "editors/Unit8.h"
#include "editors/Unit9.h"
#include "engine/Unit20.h"
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

namespace {

class CommandDialogsTest : public DialogsTest {
protected:
    // One step back in the history: the whole group when the last step was one.
    void undoStep() { form->SpeedButton26Click(); }
    static QStringList items(const QComboBox* box) {
        QStringList out;
        for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
        return out;
    }
};

// ---- Undo ----

TEST_F(CommandDialogsTest, ALireTurnedIntoEcrireIsUndoneWithItsKeyword) {
    setRows({{"Variable", "T;;Alpha;"}, {"Lire", "f;T;2;"}, {"Quitter", ""}});
    const QStringList before = rowTexts();
    edit(1);
    Form15->RadioButton2->click();
    EXPECT_EQ(HelpContext(Form15), 1095);
    Form15->Button1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Variable|T;;Alpha;", "Ecrire|f;T;;", "Quitter|"}));
    EXPECT_EQ(form->ListView1->icon(1), 16);
    EXPECT_EQ(form->ListView1->selectedRows(), QList<int>({1}));
    undoStep();
    EXPECT_EQ(rowTexts(), before);
    form->SpeedButton27Click();  // and redone
    EXPECT_EQ(form->ListView1->keyword(1), "Ecrire");

    // A breakpoint stays on the row whose keyword changes.
    form->ListView1->setIcon(1, kBreakpointIcon);
    edit(1);
    Form15->RadioButton1->click();
    Form15->Button1Click();
    EXPECT_EQ(form->ListView1->keyword(1), "Lire");
    EXPECT_EQ(form->ListView1->icon(1), kBreakpointIcon);
    edit(1);
    Form15->RadioButton2->click();
    Form15->Button1Click();

    // The same keyword is a plain modification.
    edit(1);
    Form15->ComboBox1->setEditText("autre");
    Form15->Button1Click();
    EXPECT_EQ(form->ListView4->action(form->ListView4->tag), HistoryAction::Modify);
    EXPECT_EQ(form->ListView1->keyword(1), "Ecrire");
}

TEST_F(CommandDialogsTest, ACommentBlockIsReplacedInPlaceAndUndoneInOneStep) {
    for (bool append : {false, true}) {
        SCOPED_TRACE(append ? "Edition" : "Insertion");
        form->Edition2->setChecked(append);
        setRows({{"Type", "a"}, {"Commentaire", "un"}, {"Commentaire", "deux"}, {"Commentaire", "trois"},
                 {"Commentaire", "quatre"}, {"Quitter", ""}});
        form->ResetHistory(HistoryAction::NewMacro);
        const QStringList before = rowTexts();
        edit(3);
        EXPECT_EQ(Form14->Memo1->toPlainText(), "un\ndeux\ntrois\nquatre");
        EXPECT_EQ(Form14->Memo1->textCursor().position(), QString("un\ndeux\ntrois").size());  // end of the row's line
        Form14->Memo1->setPlainText("premier\nsecond");
        Form14->Button1Click();
        EXPECT_EQ(rowTexts(), QStringList({"Type|a", "Commentaire|premier", "Commentaire|second", "Quitter|"}));
        EXPECT_EQ(form->ListView1->selectedRows(), QList<int>({2}));
        undoStep();
        EXPECT_EQ(rowTexts(), before);
        form->SpeedButton27Click();
        EXPECT_EQ(rowTexts(), QStringList({"Type|a", "Commentaire|premier", "Commentaire|second", "Quitter|"}));
    }
}

TEST_F(CommandDialogsTest, ACommentBlockAtTheHeadStaysThere) {
    setRows({{"Commentaire", "a"}, {"Commentaire", "b"}, {"Type", "x"}});
    edit(1);
    Form14->Memo1->setPlainText("1\n2\n3");
    Form14->Button1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Commentaire|1", "Commentaire|2", "Commentaire|3", "Type|x"}));
}

TEST_F(CommandDialogsTest, CommentLinesAreAddedAfterTheSelectionAsOneGroup) {
    setRows({{"Type", "a"}, {"Type", "b"}});
    form->ResetHistory(HistoryAction::NewMacro);
    TForm1::Select_unique(form->ListView1, 0);
    ShowCommandDialog("Commentaire");
    ASSERT_TRUE(Form14->isVisible());
    Form14->Memo1->setPlainText("x\ny");
    Form14->Button1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Type|a", "Commentaire|x", "Commentaire|y", "Type|b"}));
    const THistoryList* h = form->ListView4;
    QStringList actions;
    for (int r = 1; r < h->count(); ++r) actions << h->action(r);
    EXPECT_EQ(actions, QStringList({HistoryAction::GroupBegin, HistoryAction::Add, HistoryAction::Add,
                                    HistoryAction::GroupEnd}));
    EXPECT_TRUE(Form14->Memo1->toPlainText().isEmpty());  // closing empties it

    // One line: no group.
    ShowCommandDialog("Commentaire");
    Form14->Memo1->setPlainText("seule");
    Form14->Button1Click();
    EXPECT_EQ(h->action(h->count() - 1), HistoryAction::Add);
}

TEST_F(CommandDialogsTest, TheCommentMenuItemAndTheTextFile) {
    QAction* item = form->PopupMenu1->findChild<QAction*>("Insereruncommentaire1");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "Inserer un commentaire");
    item->trigger();
    ASSERT_TRUE(Form14->isVisible());
    EXPECT_EQ(Form14->windowTitle(), "Insertion d'un commentaire");

    QFile file(home.filePath("notes.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("premi\xe8re\r\nseconde\r\n");  // Windows-1252 with CR LF
    file.close();
    testServices().onChooseFile = [&](TFileDialog& d) {
        EXPECT_EQ(d.Filter, "Texte|*.txt|Tous|*.*");
        d.FileName = file.fileName();
        return true;
    };
    Form14->Memo1->setPlainText("remplacé");
    Form14->Button3->click();
    EXPECT_EQ(Form14->Memo1->toPlainText(), "première\nseconde\n");
    Form14->Button1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Commentaire|première", "Commentaire|seconde"}));
}

TEST_F(CommandDialogsTest, TheMemoTakesTheCommentColours) {
    settings().CommandColors = {{"Pause", 0x0000FF}, {"Commentaire", 0x00FFFF}};
    ShowCommandDialog("Commentaire");
    EXPECT_EQ(Form14->Memo1->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(Form14->Memo1->palette().color(QPalette::Text), QColor(0, 0, 0));
}

// ---- Variable ----

TEST_F(CommandDialogsTest, RenamingAUsedVariableIsOneStepOfTheHistory) {
    setRows({{"Variable", "A;1;Numerique;"}, {"Calcul", "A;+;1;"}, {"Calcul évolué", "A = A + 2"},
             {"Examine", "A;=;AB;"}});
    form->ResetHistory(HistoryAction::NewMacro);
    const QStringList before = rowTexts();
    messages.answer = mrOk;
    edit(0);
    Form8->Edit1->setText("B");
    Form8->Button1Click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].caption, "Attention");
    EXPECT_EQ(messages.shown[0].buttons, mbOK | mbCancel);
    EXPECT_EQ(rowTexts(), QStringList({"Variable|B;1;Numerique;", "Calcul|B;+;1;", "Calcul évolué|B = B + 2",
                                       "Examine|B;=;AB;"}));
    undoStep();
    EXPECT_EQ(rowTexts(), before);
    EXPECT_EQ(form->ListView4->action(form->ListView4->tag), HistoryAction::GroupBegin);
    EXPECT_EQ(form->ListView4->action(form->ListView4->tag - 1), HistoryAction::NewMacro);

    // Declined: only the declaration changes.
    messages.shown.clear();
    messages.answer = mrCancel;
    edit(0);
    Form8->Edit1->setText("C");
    Form8->Button1Click();
    EXPECT_EQ(rowTexts().mid(0, 2), QStringList({"Variable|C;1;Numerique;", "Calcul|A;+;1;"}));

    // A variable no row uses: nothing is asked.
    messages.shown.clear();
    setRows({{"Variable", "Z;;Alpha;"}});
    edit(0);
    Form8->Edit1->setText("Y");
    Form8->Button1Click();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(rowTexts(), QStringList({"Variable|Y;;Alpha;"}));
}

TEST_F(CommandDialogsTest, WithoutHeadPlacementANewDeclarationFollowsTheSelection) {
    settings().VarHeader = false;
    setRows({{"Type", "a"}, {"Type", "b"}});
    TForm1::Select_unique(form->ListView1, 0);
    form->PaletteButton(9)->click();
    EXPECT_EQ(Form8->Edit1->text(), "<Var1>");
    EXPECT_EQ(Form8->Edit1->selectedText(), "Var1");
    Form8->Button1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Type|a", "Variable|<Var1>;;Alpha;", "Type|b"}));
    EXPECT_EQ(form->ListView1->icon(1), 9);

    // At the head, the selection stays where it was.
    settings().VarHeader = true;
    TForm1::Select_unique(form->ListView1, 2);
    form->PaletteButton(9)->click();
    EXPECT_EQ(Form8->Edit1->text(), "<Var2>");
    Form8->Button1Click();
    EXPECT_EQ(rowTexts().first(), "Variable|<Var2>;;Alpha;");
    EXPECT_EQ(form->ListView1->selectedRows(), QList<int>({3}));  // still "Type|b"
    EXPECT_EQ(form->ListView4->action(form->ListView4->tag), HistoryAction::Add);
    EXPECT_EQ(form->ListView4->line(form->ListView4->tag), 1);
}

TEST_F(CommandDialogsTest, TheNameRefusesOperatorsAndTheSeparatorTypedOrPasted) {
    form->PaletteButton(9)->click();
    QLineEdit* name = Form8->Edit1;
    name->clear();
    for (const char* text : {"a+b", "x=y*2", "v;w"}) {
        name->insert(QString::fromUtf8(text));  // as typing or pasting does
    }
    EXPECT_EQ(name->text(), "abxy2vw");
    EXPECT_EQ(name->cursorPosition(), 7);
    name->setCursorPosition(2);
    name->insert("-/");
    EXPECT_EQ(name->text(), "abxy2vw");
    EXPECT_EQ(name->cursorPosition(), 2);
    Form8->Button1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Variable|abxy2vw;;Alpha;"}));
}

TEST_F(CommandDialogsTest, SystemVariableNamesSetKindAndValue) {
    form->PaletteButton(9)->click();
    Form8->Edit2->setText("texte");
    Form8->Edit1->setText("[CLIPBOARD]");
    EXPECT_TRUE(Form8->RadioButton1->isChecked());
    EXPECT_EQ(Form8->Edit2->text(), "");
    EXPECT_FALSE(Form8->RadioButton2->isEnabled());
    EXPECT_FALSE(Form8->Label5->isEnabled());
    EXPECT_TRUE(Form8->Edit2->isEnabled());

    Form8->Edit1->setText("[MOUSE.X]");  // numeric, read only
    EXPECT_TRUE(Form8->RadioButton2->isChecked());
    EXPECT_EQ(Form8->Edit2->text(), "0");
    EXPECT_FALSE(Form8->Edit2->isEnabled());
    EXPECT_FALSE(Form8->Label2->isEnabled());
    EXPECT_FALSE(Form8->RadioButton1->isEnabled());
    EXPECT_TRUE(Form8->RadioButton2->isEnabled());

    Form8->Edit1->setText("ordinaire");
    for (QWidget* w : std::initializer_list<QWidget*>{Form8->Edit2, Form8->Label2, Form8->RadioButton1,
                                                      Form8->RadioButton2, Form8->Label4, Form8->Label5})
        EXPECT_TRUE(w->isEnabled());
}

TEST_F(CommandDialogsTest, TheSystemListOpensOnTheNameAndFillsTheDialog) {
    form->PaletteButton(9)->click();
    Form8->Edit1->setText("[DELAY]");
    Form8->SpeedButton1->click();
    ASSERT_TRUE(Form20->isVisible());
    EXPECT_EQ(Form20->Label1->text(), "Liste des variables systèmes");
    ASSERT_NE(Form20->ListView1->currentItem(), nullptr);
    EXPECT_EQ(Form20->ListView1->currentItem()->text(0), "[DELAY]");
    EXPECT_TRUE(Form20->Memo1->toPlainText().size() > 0);
    Form20->ListView1->setCurrentItem(Form20->ListView1->findItems("[MOUSE.Y]", Qt::MatchExactly).value(0));
    Form20->ListView1DblClick();
    EXPECT_EQ(Form8->Edit1->text(), "[MOUSE.Y]");
    EXPECT_EQ(Form8->Edit2->text(), "0");
    EXPECT_TRUE(Form8->RadioButton2->isChecked());
}

TEST_F(CommandDialogsTest, TheValueMenuFillsDatesFilesAndFolders) {
    form->PaletteButton(9)->click();
    auto act = [](const char* name) {
        QAction* a = Form8->PopupMenu1->findChild<QAction*>(name);
        EXPECT_NE(a, nullptr) << name;
        return a;
    };
    act("Date1")->trigger();
    EXPECT_EQ(Form8->Edit2->text(), QDate::currentDate().toString("dd/MM/yy"));
    act("Heure1")->trigger();
    EXPECT_TRUE(QTime::fromString(Form8->Edit2->text(), "hh:mm:ss").isValid());
    QString asked;
    testServices().onChooseFile = [&](TFileDialog& d) {
        asked = d.kind() == TFileDialog::Folder ? "dossier " + d.Title : "fichier";
        d.FileName = d.kind() == TFileDialog::Folder ? "/un/dossier" : "/un/fichier.txt";
        return true;
    };
    act("Fichier1")->trigger();
    EXPECT_EQ(Form8->Edit2->text(), "/un/fichier.txt");
    EXPECT_EQ(asked, "fichier");
    act("Repertoire1")->trigger();
    EXPECT_EQ(Form8->Edit2->text(), "/un/dossier");
    EXPECT_EQ(asked, "dossier Entrez le nom du répertoire");
    act("Supprimer1")->trigger();
    EXPECT_EQ(Form8->Edit2->text(), "");
    Form8->Edit2->setText("abc");
    Form8->Edit2->selectAll();
    Form8->PopupMenu1Popup();
    EXPECT_FALSE(act("Selectionnertout1")->isEnabled());
    Form8->Edit2->deselect();
    Form8->PopupMenu1Popup();
    EXPECT_TRUE(act("Selectionnertout1")->isEnabled());
}

// ---- Calcul évolué ----

TEST_F(CommandDialogsTest, CalculEvolueChecksWhileTyping) {
    form->PaletteButton(22)->click();
    EXPECT_FALSE(Form24->Button1->isEnabled());
    EXPECT_EQ(Form24->Memo1->toPlainText(), "Pour utiliser cette commande vous devez avoir au moins une variable.");
    Form24->close();

    setRows({{"Variable", "T;ab;Alpha;"}, {"Variable", "N;5;Numerique;"}});
    form->PaletteButton(22)->click();
    EXPECT_TRUE(Form24->Button1->isEnabled());
    EXPECT_EQ(Form24->Label3->text(), "Expression");
    EXPECT_EQ(Form24->Memo1->toPlainText(), "Vide");
    QStringList names;
    for (int i = 0; i < Form24->ListBox1->count(); ++i) names << Form24->ListBox1->item(i)->text();
    EXPECT_EQ(names, QStringList({"T", "N"}));

    Form24->Edit1->setText("T = T + ");
    EXPECT_EQ(Form24->Label3->text(), "Expression valide");
    for (int n : {3, 4, 5}) EXPECT_FALSE(Form24->SpeedButton(n)->isEnabled()) << n;
    for (int n : {1, 2, 6, 15, 16}) EXPECT_TRUE(Form24->SpeedButton(n)->isEnabled()) << n;
    Form24->Edit1->setText("N = N *");
    EXPECT_EQ(Form24->Label3->text(), "Expression invalide");
    EXPECT_EQ(Form24->Label3->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_FALSE(Form24->Button1->isEnabled());
    for (int n : {3, 4, 5}) EXPECT_TRUE(Form24->SpeedButton(n)->isEnabled()) << n;
    Form24->Edit1->setText("Z");
    for (int n : {3, 4, 5}) EXPECT_TRUE(Form24->SpeedButton(n)->isEnabled()) << n;  // "No_Type" keeps them

    // The keypad and the list insert at the caret.
    Form24->Edit1->setText("N = ");
    Form24->SpeedButton(13)->click();  // "7"
    Form24->SpeedButton(17)->click();  // caret left
    Form24->SpeedButton(16)->click();  // "^"
    Form24->Edit1->end(false);
    Form24->SpeedButton(2)->click();
    Form24->ListBox1->setCurrentRow(1);
    Form24->ListBox1DblClick();
    EXPECT_EQ(Form24->Edit1->text(), "N = ^7+N");
    Form24->Edit1->setText("N = N * 2");
    EXPECT_EQ(Form24->Label3->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_EQ(Form24->Memo1->toPlainText(), "10");
    Form24->Button1Click();
    EXPECT_EQ(rowTexts().last(), "Calcul évolué|N = N * 2");
    EXPECT_EQ(form->ListView1->icon(2), 26);

    // Modifying shows the result the row gives.
    edit(2);
    EXPECT_EQ(Form24->Edit1->text(), "N = N * 2");
    EXPECT_EQ(Form24->Memo1->toPlainText(), "10");
    EXPECT_TRUE(Form24->Button1->isEnabled());
}

// ---- Procedure ----

TEST_F(CommandDialogsTest, ProcedureRolesAndTheEventNames) {
    setRows({{"Procedure", "P"}, {"Type", "a"}});
    TForm1::Select_unique(form->ListView1, 1);
    form->PaletteButton(38)->click();
    ASSERT_TRUE(Form36->isVisible());
    EXPECT_EQ(Form36->windowTitle(), "Procédure");
    EXPECT_TRUE(Form36->RadioButton1->isChecked());
    EXPECT_TRUE(Form36->RadioButton2->isEnabled());  // inside "P"
    Form36->RadioButton3->click();
    EXPECT_EQ(items(Form36->ComboBox1), QStringList({"P"}));
    EXPECT_EQ(Form36->ComboBox1->currentText(), "P");
    EXPECT_FALSE(Form36->SpeedButton1->isEnabled());
    Form36->RadioButton2->click();
    EXPECT_FALSE(Form36->ComboBox1->isEnabled());
    EXPECT_EQ(Form36->ComboBox1->currentText(), "");
    Form36->RadioButton1->click();
    EXPECT_TRUE(Form36->SpeedButton1->isEnabled());
    Form36->SpeedButton1->click();
    Form36->ComboBox1->hidePopup();
    EXPECT_EQ(items(Form36->ComboBox1), QStringList({"[EVENT.KEYPRESS]", "[EVENT.MOUSEDOWN]", "[EVENT.MOUSEUP]"}));
    Form36->close();

    setRows({{"Procedure", "P"}, {"Procedure", "END"}, {"Type", "a"}});
    TForm1::Select_unique(form->ListView1, 2);
    ShowCommandDialog("Procedure", "Fin");
    EXPECT_FALSE(Form36->RadioButton2->isEnabled());  // no procedure is open here
    EXPECT_TRUE(Form36->RadioButton2->isChecked());
    ShowCommandDialog("Procedure", "Appel");
    EXPECT_TRUE(Form36->RadioButton3->isChecked());
    EXPECT_EQ(Form36->ComboBox1->currentText(), "P");
    Form36->Button1Click();
    EXPECT_EQ(rowTexts().last(), "Procedure|CALL P");
    EXPECT_EQ(form->ListView1->icon(3), 28);
}

// ---- Presets and palette ----

TEST_F(CommandDialogsTest, PresetsOfTheCommandTree) {
    struct Case {
        QString keyword, preset;
        TCommandDialog* dialog;
        QString checked;  // the radio button then on; empty: none tested
    };
    const Case cases[] = {
        {"Examine", "<>", Form11, "RadioButton4"},      {"Examine", "<", Form11, "RadioButton2"},
        {"Calcul", "/", CommandDialog(12), "RadioButton4"}, {"Calcul", "*", CommandDialog(12), "RadioButton3"},
        {"Variable", "Numerique", Form8, "RadioButton2"}, {"Variable", "Alpha", Form8, "RadioButton1"},
        {"Lire", "Ecrire", Form15, "RadioButton2"},       {"Procedure", "Déclaration", Form36, "RadioButton1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.keyword + " " + c.preset).toStdString());
        ShowCommandDialog(c.keyword, c.preset);
        ASSERT_TRUE(c.dialog->isVisible());
        EXPECT_FALSE(c.dialog->Modifying());
        EXPECT_TRUE(c.dialog->findChild<QRadioButton*>(c.checked)->isChecked());
        c.dialog->close();
    }
    ShowCommandDialog("Execute", "mailto:");
    EXPECT_EQ(Form26->ComboBox1->currentText(), "mailto:");
    EXPECT_EQ(Form15->windowTitle(), "Lire Ecrire");
}

TEST_F(CommandDialogsTest, QuestionAndMessageFromThePalette) {
    setRows({{"Variable", "V;;Alpha;"}});
    for (const auto& [button, keyword] : {std::pair{10, "Question"}, std::pair{31, "Message"}}) {
        form->PaletteButton(button)->click();
        ASSERT_TRUE(Form9->isVisible());
        EXPECT_EQ(Form9->windowTitle(), keyword);
        EXPECT_EQ(Form9->ComboBox2->currentText(), keyword);
        EXPECT_EQ(Form9->ComboBox1->isVisible(), QString(keyword) == "Question");
        EXPECT_EQ(Form9->findChild<QLabel*>("Label3")->isVisible(), QString(keyword) == "Question");
        EXPECT_EQ(items(Form9->ComboBox3), QStringList({"V"}));
    }
    Form9->Button1Click();
    EXPECT_EQ(rowTexts().last(), "Message|Message;;");
    EXPECT_EQ(form->ListView1->icon(1), 30);
}

TEST_F(CommandDialogsTest, LabelAndGotoShareTheDialog) {
    setRows({{"Label", "<Label1>"}, {"Label", "Fin"}});
    form->PaletteButton(7)->click();
    EXPECT_EQ(Form3->windowTitle(), "Goto");
    EXPECT_EQ(items(Form3->ComboBox1), QStringList({"<Label1>", "Fin"}));
    EXPECT_EQ(Form3->ComboBox1->currentText(), "");
    form->PaletteButton(6)->click();  // reopens it as "Label", for adding
    EXPECT_EQ(Form3->windowTitle(), "Label");
    EXPECT_EQ(Form3->ComboBox1->currentText(), "<Label2>");
    EXPECT_TRUE(items(Form3->ComboBox1).isEmpty());
    Form3->Button1Click();
    EXPECT_EQ(rowTexts().last(), "Label|<Label2>");
    EXPECT_EQ(form->ListView1->icon(2), 7);
}

TEST_F(CommandDialogsTest, LireEcrireSwitchesPositionAndHelp) {
    ShowCommandDialog("Lire");
    Form15->ComboBox2->setEditText("abc");
    Form15->RadioButton2->click();
    EXPECT_EQ(Form15->ComboBox2->currentText(), "");
    EXPECT_TRUE(Form15->ComboBox2->isEnabled());
    EXPECT_EQ(HelpContext(Form15), 1095);
    emit Form15->findChild<TClickLabel*>("Label5")->Click();
    EXPECT_TRUE(Form15->RadioButton1->isChecked());
    EXPECT_EQ(Form15->ComboBox2->currentText(), "1");
    EXPECT_EQ(HelpContext(Form15), 1094);
    Form15->ComboBox2->setEditText("7");
    Form15->RadioButton2->click();
    Form15->RadioButton1->click();
    EXPECT_EQ(Form15->ComboBox2->currentText(), "1");
    testServices().onChooseFile = [](TFileDialog& d) {
        EXPECT_EQ(d.Filter, "Tous|*.*|Texte|*.txt;*.doc;");
        d.FileName = "/données/f.txt";
        return true;
    };
    Form15->SpeedButton1->click();
    EXPECT_EQ(Form15->ComboBox3->currentText(), "/données/f.txt");
}

TEST_F(CommandDialogsTest, ExecuteOffersVariablesAndSamplesAndBrowses) {
    setRows({{"Variable", "Prog;x;Alpha;"}, {"Variable", "N;1;Numerique;"}});
    form->PaletteButton(5)->click();
    EXPECT_EQ(items(Form26->ComboBox1), QStringList({"Prog", "http://www.", "mailto:prenom.nom@exemple.fr"}));
    EXPECT_EQ(Form26->findChild<QLabel*>("Label1")->text(),
              "Entrer le nom d'un programme, d'une adresse email ou encore une adresse internet.");
    testServices().onChooseFile = [](TFileDialog& d) {
        EXPECT_EQ(d.FilterIndex, 1);
        d.FileName = "/usr/bin/programme";
        return true;
    };
    Form26->Button3->click();
    EXPECT_EQ(Form26->ComboBox1->currentText(), "/usr/bin/programme");
    Form26->Button1Click();
    EXPECT_EQ(rowTexts().last(), "Execute|/usr/bin/programme");
    EXPECT_EQ(form->ListView1->icon(2), 5);
}

TEST_F(CommandDialogsTest, TheOperandsKeepTheirLastTextsForCalculOnly) {
    setRows({{"Variable", "N;1;Numerique;"}});
    ShowCommandDialog("Calcul", "-");
    CommandDialog(12)->findChild<QComboBox*>("ComboBox1")->setEditText("N");
    CommandDialog(12)->findChild<QComboBox*>("ComboBox2")->setEditText("2");
    CommandDialog(12)->Button1Click();
    EXPECT_EQ(rowTexts().last(), "Calcul|N;-;2;");
    ShowCommandDialog("Calcul");
    EXPECT_EQ(CommandDialog(12)->findChild<QComboBox*>("ComboBox2")->currentText(), "2");
    EXPECT_TRUE(CommandDialog(12)->findChild<QRadioButton*>("RadioButton1")->isChecked());
    ShowCommandDialog("Examine");
    Form11->ComboBox2->setEditText("x");
    Form11->Button2Click();
    ShowCommandDialog("Examine");
    EXPECT_EQ(Form11->ComboBox2->currentText(), "");
    Form11->Image2Click();
    EXPECT_TRUE(Window(21)->isVisible());
}

}  // namespace
