// The dialogs driven by a table of choices: "Fonction", "Click",
// "Manipulation", the tool box and "Champs": what a choice sets up, the rows
// they write, what they refuse, and their pictures.
#include "core/FileDialog.h"
#include "core/HelpContext.h"
#include "core/Params.h"
#include "core/Unit1.h"
#include "editors/Palette.h"
#include "editors/Unit13.h"
#include "editors/Unit18.h"
#include "editors/Unit27.h"
#include "editors/Unit30.h"
#include "editors/Unit6.h"
#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QFile>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <functional>

namespace {

using Rows = QVector<QPair<QString, QString>>;

class ChoiceDialogsTest : public DialogsTest {
protected:
    // Runs "Valider": the rows written, or the macro as it was and the messages.
    struct Outcome {
        QStringList rows, messages;
    };
    Outcome validate(TCommandDialog* d) {
        messages.shown.clear();
        d->Button1Click();
        Outcome out{rowTexts(), messages.texts()};
        d->close();
        return out;
    }
};

// ---- Fonction ----

TEST_F(ChoiceDialogsTest, FonctionWritesItsFieldsOrSaysWhatIsMissing) {
    const QString positions = "Veuillez sélectionner les paramètres suivant: Text, position de départ, position de "
                              "fin entrecoupé du caractère \";\".";
    const QString onlyText = "Veuillez sélectionner dans les paramètres uniquement le texte a traiter.";
    struct Case {
        const char* what;
        QString preset, parameter;
        QString row;  // the row written; empty: refused with `message`
        QString message;
    };
    const Case cases[] = {
        {"text, start and end", "Texte/Caractère(s)/Position(s)", "abc;1;2",
         "Fonction|R;Texte;Caractère(s)/Position(s);abc;1;2;"},
        {"a trailing separator is not doubled", "Texte/Caractère(s)/Longueur", "abc;1;2;",
         "Fonction|R;Texte;Caractère(s)/Longueur;abc;1;2;"},
        {"two sub-fields", "Texte/Caractère(s)/Position(s)", "abc;1", {}, positions},
        {"a length of two sub-fields", "Texte/Longueur", "a;b", {}, onlyText},
        {"a length of nothing", "Texte/Longueur", "", {}, onlyText},
        {"no parameter", "Heure/Minute", "ignored", "Fonction|R;Heure;Minute;"},
        {"an unknown function keeps the first", "Heure/Inconnue", "", "Fonction|R;Heure;HH:MM:SS;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setRows({});
        ShowCommandDialog("Fonction", c.preset);
        ASSERT_TRUE(Form13->isVisible());
        Form13->ComboBox1->setEditText("R");
        if (Form13->ComboBox2->isEnabled()) Form13->ComboBox2->setEditText(c.parameter);
        const Outcome out = validate(Form13);
        EXPECT_EQ(out.rows, c.row.isEmpty() ? QStringList() : QStringList({c.row}));
        EXPECT_EQ(out.messages, c.message.isEmpty() ? QStringList() : QStringList({c.message}));
        if (!c.message.isEmpty()) EXPECT_EQ(messages.shown.value(0).caption.left(11), "Information");
    }
}

TEST_F(ChoiceDialogsTest, FonctionReopensItsRowAndSetsUpEachFunction) {
    setRows({{"Variable", "R;;Alpha;"}, {"Fonction", "R;Texte;Caractère(s)/Position(s);abc;1;2;"},
             {"Fonction", "R;Heure;Minute;"}});
    edit(1);
    EXPECT_EQ(Form13->ComboBox1->currentText(), "R");
    EXPECT_EQ(TForm13::ListBoxGetText(Form13->ListBox2), "Caractère(s)/Position(s)");
    EXPECT_EQ(Form13->ComboBox2->currentText(), "abc;1;2");
    EXPECT_EQ(Form13->Label6->text(),
              "Inserez le texte ou la variable + ; + Position départ + ; + Position Fin.");
    EXPECT_EQ(HelpContext(Form13), 35);
    Form13->Button1Click();
    EXPECT_EQ(form->ListView1->params(1), "R;Texte;Caractère(s)/Position(s);abc;1;2;");

    edit(2);
    EXPECT_FALSE(Form13->ComboBox2->isEnabled());
    EXPECT_EQ(Form13->ComboBox2->currentText(), "");
    EXPECT_EQ(Form13->Label6->text(), "Aucune");
    Form13->close();

    ShowCommandDialog("Fonction", "Disque/Taille Totale");
    EXPECT_EQ(Form13->Label6->text(), "Entrez la lettre du lecteur. La valeur de retour est en Mega octets.");
    EXPECT_TRUE(Form13->ComboBox2->isEnabled());
    EXPECT_EQ(Form13->ComboBox2->count(), 1);  // the alphanumeric variable
    Form13->close();

    // Opening for adding: "Date", its first function, an empty parameter that takes a day offset.
    ShowCommandDialog("Fonction");
    EXPECT_EQ(TForm13::ListBoxGetText(Form13->ListBox1), "Date");
    EXPECT_EQ(TForm13::ListBoxGetText(Form13->ListBox2), "JJ/MM/AAAA");
    EXPECT_TRUE(Form13->ComboBox2->isEnabled());
    EXPECT_EQ(Form13->ComboBox2->currentText(), "");
    EXPECT_EQ(Form13->ListBox1->count(), 13);
    // Nothing written without a result variable, and nothing said.
    const Outcome out = validate(Form13);
    EXPECT_EQ(out.rows.size(), 3);
    EXPECT_TRUE(out.messages.isEmpty());
}

// ---- Click ----

TEST_F(ChoiceDialogsTest, ClickTakesOneActionShownOnTheMouse) {
    ShowCommandDialog("Click");
    Form6->CheckBox(7)->click();  // "Left click"
    Form6->CheckBox(3)->click();  // "Right Down"
    for (int n = 1; n <= 14; ++n) EXPECT_EQ(Form6->CheckBox(n)->isChecked(), n == 3) << n;
    EXPECT_EQ(Form6->Picture().pixel(TForm6::kSeeds[2]), ColorToQColor(0x80FFFF).rgb());
    EXPECT_EQ(Form6->Picture().pixel(TForm6::kSeeds[0]), QColor(Qt::white).rgb());
    EXPECT_EQ(Form6->Picture().pixel(0, 0), QColor(255, 0, 255).rgb());
    EXPECT_EQ(validate(Form6).rows, QStringList({"Click|Right Down;"}));

    ShowCommandDialog("Click");
    EXPECT_EQ(validate(Form6).messages, QStringList({"Vous devez sélectionner au moins une action."}));
}

TEST_F(ChoiceDialogsTest, ClickCountsAreWholeNumbersFrom1To100) {
    const std::pair<QString, QString> typed[] = {{"250", "100"}, {"abc", "1"}, {"007", "7"}, {"0", "1"},
                                                 {"-4", "1"},    {"", "1"},    {"3", "3"}};
    ShowCommandDialog("Click");
    Form6->CheckBox(13)->click();
    EXPECT_TRUE(Form6->Edit1->isVisibleTo(Form6));
    EXPECT_FALSE(Form6->Edit2->isVisibleTo(Form6));
    EXPECT_EQ(Form6->Picture().pixel(TForm6::kSeeds[3]), ColorToQColor(0xFFB9FF).rgb());
    // Typed key by key, the text stays as typed; leaving the field rewrites it.
    QApplication::setActiveWindow(Form6);
    for (const auto& [text, count] : typed) {
        Form6->Edit1->setFocus();
        Form6->Edit1->selectAll();
        QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(Form6->Edit1, &erase);
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(Form6->Edit1, &press);
        }
        EXPECT_EQ(Form6->Edit1->text(), text);
        Form6->CheckBox(13)->setFocus();
        EXPECT_EQ(Form6->Edit1->text(), count) << text.toStdString();
    }
    // "Valider" takes the count as it would be once left.
    Form6->Edit1->setText("250");
    EXPECT_EQ(validate(Form6).rows, QStringList({"Click|Whell Up;100;"}));

    // A row written by hand with two actions shows both and keeps them in table order.
    setRows({{"Click", "Whell Down;5;Left Down;"}});
    edit(0);
    EXPECT_TRUE(Form6->CheckBox(1)->isChecked());
    EXPECT_TRUE(Form6->CheckBox(14)->isChecked());
    EXPECT_EQ(Form6->Edit2->text(), "5");
    EXPECT_EQ(validate(Form6).rows, QStringList({"Click|Left Down;Whell Down;5;"}));
}

// ---- Manipulation ----

TEST_F(ChoiceDialogsTest, ManipulationRowsAndRefusals) {
    struct Case {
        const char* what;
        QString handle;
        std::function<void()> choose;
        QString row;
        QStringList messages;
    };
    const Case cases[] = {
        {"move from handle 0", "0", [] { Form18->Image1Click(30); }, "Manipulation|0;Déplacer;0;0;", {}},
        {"between two items nothing", "0", [] { Form18->Image1Click(20); }, {},
         {"Sélectionnez une action dans la rubrique Manipulation."}},
        {"undeclared handle, no action", "abc", [] {}, {},
         {"Le handle doit être un nombre entier ou une variable.",
          "Sélectionnez une action dans la rubrique Manipulation."}},
        {"size with words", "7",
         [] {
             Form18->Image1Click(45);
             Form18->ComboBox2->setEditText("large");
             Form18->ComboBox3->setEditText("haut");
         },
         {},
         {"Le paramètre 1 doit être un nombre entier ou une variable.",
          "Le paramètre 2 doit être un nombre entier ou une variable."}},
        {"any replacement text", "5",
         [] {
             Form18->RadioButton2->click();
             Form18->ComboBox2->setEditText("Nouveau titre !");
         },
         "Manipulation|5;Changement texte;Nouveau titre !;;", {}},
        {"close by the label", "5", [] { emit Form18->findChild<TClickLabel*>("Label9")->Click(); },
         "Manipulation|5;Fermeture forcée;;;", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setRows({});
        ShowCommandDialog("Manipulation");
        Form18->ComboBox1->setEditText(c.handle);
        c.choose();
        const Outcome out = validate(Form18);
        EXPECT_EQ(out.rows, c.row.isEmpty() ? QStringList() : QStringList({c.row}));
        EXPECT_EQ(out.messages, c.messages);
    }
}

TEST_F(ChoiceDialogsTest, ManipulationReopensItsActionAndPrefillsFromTheWindow) {
    auto& desktop = static_cast<platform::FakePlatform&>(platform::desktop());
    desktop.windows.append({.handle = 4242, .className = "Fenetre", .rect = QRect(30, 40, 200, 100)});
    setRows({{"Manipulation", "123;Fermer;;;"}, {"Manipulation", "1;Fermeture forcée;;;"}});
    edit(0);
    EXPECT_EQ(Form18->Action(), 6);
    EXPECT_FALSE(Form18->ComboBox2->isEnabled());
    EXPECT_FALSE(Form18->ComboBox3->isEnabled());
    // "Fermer" in red, nothing else.
    auto redIn = [](int top, int bottom) {
        const QImage& img = Form18->Image1->image;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < img.width(); ++x)
                if (QColor(img.pixel(x, y)) == QColor(255, 0, 0)) return true;
        return false;
    };
    EXPECT_TRUE(redIn(102, 130));
    EXPECT_FALSE(redIn(0, 100));
    Form18->close();

    for (int again = 0; again < 2; ++again) {
        edit(1);
        EXPECT_EQ(Form18->Action(), 9);
        EXPECT_TRUE(Form18->RadioButton3->isChecked());
        EXPECT_FALSE(redIn(0, 130));
        EXPECT_EQ(validate(Form18).rows.value(1), "Manipulation|1;Fermeture forcée;;;");
    }

    // A preset always selects its action, also when its button is already on.
    for (int again = 0; again < 2; ++again) {
        ShowCommandDialog("Manipulation", "Déplacement souris");
        EXPECT_EQ(Form18->Action(), 7);
        EXPECT_TRUE(Form18->RadioButton1->isChecked());
    }
    EXPECT_EQ(HelpContext(Form18), 1104);
    ShowCommandDialog("Manipulation", "Agrandir");
    EXPECT_FALSE(Form18->RadioButton1->isChecked());
    EXPECT_EQ(Form18->Action(), 5);

    Form18->ComboBox1->setEditText("4242");
    Form18->Image1Click(24);
    EXPECT_EQ(Form18->ComboBox2->currentText(), "30");
    EXPECT_EQ(Form18->ComboBox3->currentText(), "40");
    Form18->Image1Click(44);
    EXPECT_EQ(Form18->ComboBox2->currentText(), "200");
    EXPECT_EQ(Form18->ComboBox3->currentText(), "100");
    Form18->Image1Click(10);  // "Restaurer" takes nothing
    EXPECT_EQ(Form18->ComboBox2->currentText(), "");
    EXPECT_FALSE(Form18->ComboBox2->isEnabled());
    Form18->close();
}

// ---- The tool box ----

TEST_F(ChoiceDialogsTest, ToolBoxChecksEachParameter) {
    const QString invalid = "Le paramètre %1 n'est pas valide. Veuillez séléctionner une valeur dans le menu "
                            "déroulant.";
    struct Case {
        const char* what;
        QString tool, p1, p2, p3;
        QString row;
        QStringList messages;
    };
    const Case cases[] = {
        {"a mode the display has", "Résolution", "1024", "768", "32 bits",
         "Outil Affichage|Résolution;1024;768;32 bits;", {}},
        {"a width not offered", "Résolution", "1000", "768", "32 bits", {}, {invalid.arg(1)}},
        {"three wrong values", "Résolution", "1000", "7", "9 bits", {}, {invalid.arg(1), invalid.arg(2), invalid.arg(3)}},
        {"a mode the display lacks", "Résolution", "640", "480", "16 bits",
         "Outil Affichage|Résolution;640;480;16 bits;",
         {"Le mode Graphique n'est pas supporté. Un nouveau test sera effectué avant l'exécution de votre macro."}},
        {"a capture in capitals", "Copier vers bmp", "/tmp/a.BMP", "", "", {},
         {"Le paramètre 1 n'est pas un fichier avec l'extension .bmp."}},
        {"a capture without extension", "Copier vers jpg", "/tmp/a", "", "", {},
         {"Le paramètre 1 n'est pas un fichier avec l'extension .jpg."}},
        {"a capture into a numeric variable", "Copier vers bmp", "N", "", "", {},
         {"Le paramètre 1 ne peut pas être une variable numèrique."}},
        {"a capture into an alphanumeric variable", "Copier vers jpg", "T", "", "", "Outil Ecran|Copier vers jpg;T;", {}},
        {"a relative name", "Copier", "a.txt", "dossier", "", {},
         {"Le paramètre 1 n'est pas un nom de fichier valide.", "Le paramètre 2 n'est pas un répertoire valide."}},
        {"a file without extension", "Copier", "/home/moi/notes", "/tmp/sauvegarde.d", "",
         "Outil Fichier|Copier;/home/moi/notes;/tmp/sauvegarde.d;", {}},
        {"a rename to a folder name", "Renommer", "/tmp/a", "/tmp/", "", {},
         {"Le paramètre 2 n'est pas un nom de fichier valide."}},
        {"a search", "Rechercher", "/tmp", "*.txt", "/tmp/r.txt", "Outil Fichier|Rechercher;/tmp;*.txt;/tmp/r.txt;", {}},
        {"no parameter", "Eteindre", "", "", "", "Outil Alimentation|Eteindre;", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setRows({{"Variable", "N;1;Numerique;"}, {"Variable", "T;;Alpha;"}});
        ShowCommandDialog("Outil Fichier", c.tool);
        for (int n = 1; n <= 3; ++n)
            if (Form27->ComboBox(n)->isEnabled()) Form27->ComboBox(n)->setEditText(QStringList{c.p1, c.p2, c.p3}[n - 1]);
        const Outcome out = validate(Form27);
        EXPECT_EQ(out.rows.mid(2), c.row.isEmpty() ? QStringList() : QStringList({c.row}));
        EXPECT_EQ(out.messages, c.messages);
    }
}

TEST_F(ChoiceDialogsTest, ToolBoxRowsKeepTheirCategory) {
    setRows({});
    ShowCommandDialog("Outil Fichier");
    EXPECT_EQ(Form27->Label5->text(), "Séléctionnez une action dans les sous menus.");
    EXPECT_EQ(validate(Form27).rows, QStringList());  // a category: nothing written, nothing said
    EXPECT_TRUE(messages.shown.isEmpty());

    ShowCommandDialog("Outil Fichier");
    Form27->TreeView1->setCurrentItem(Form27->FindNode("Renommer"));  // the last: the folder's
    Form27->TreeView1Click();
    EXPECT_EQ(HelpContext(Form27), 46);
    EXPECT_FALSE(Form27->ComboBox(3)->isEnabled());
    Form27->ComboBox(1)->setEditText("/tmp/a");
    Form27->ComboBox(2)->setEditText("/tmp/b");
    EXPECT_EQ(validate(Form27).rows, QStringList({"Outil Répertoire|Renommer;/tmp/a;/tmp/b;"}));
    edit(0);
    EXPECT_EQ(Form27->TreeView1->currentItem()->parent()->text(0), "Répertoire");
    EXPECT_EQ(Form27->ComboBox(2)->currentText(), "/tmp/b");
    Form27->close();

    // From the command tree "Renommer" is the file tool.
    ShowCommandDialog("Outil Fichier", "Renommer");
    EXPECT_EQ(Form27->TreeView1->currentItem()->parent()->text(0), "Fichier");
    // Clicking the same tool again keeps what was typed; "Rechercher" gets its pattern back.
    Form27->ComboBox(1)->setEditText("/x");
    Form27->TreeView1Click();
    EXPECT_EQ(Form27->ComboBox(1)->currentText(), "/x");
    Form27->Form27Show("Rechercher");
    Form27->ComboBox(2)->setEditText("*.log");
    Form27->TreeView1Click();
    EXPECT_EQ(Form27->ComboBox(2)->currentText(), "*.*");
    Form27->close();

    // A file row switched to a folder tool becomes a folder row.
    setRows({{"Outil Fichier", "Effacer;/tmp/a;Oui;"}});
    edit(0);
    EXPECT_EQ(Form27->ComboBox(2)->currentText(), "Oui");
    Form27->Form27Show("Créer");
    Form27->ComboBox(1)->setEditText("/tmp/nouveau");
    EXPECT_EQ(validate(Form27).rows, QStringList({"Outil Répertoire|Créer;/tmp/nouveau;"}));
    EXPECT_FALSE(Form27->RebootXPExists());
}

TEST_F(ChoiceDialogsTest, ToolBoxBrowsesForWhatEachParameterTakes) {
    QStringList asked;
    testServices().onChooseFile = [&](TFileDialog& d) {
        asked << (d.kind() == TFileDialog::Folder ? "dossier " + d.Title : "fichier " + d.Filter);
        d.FileName = d.kind() == TFileDialog::Folder ? "/un/dossier" : "/un/ecran";
        return true;
    };
    ShowCommandDialog("Outil Fichier", "Copier vers bmp");
    Form27->findChild<QToolButton*>("SpeedButton1")->click();
    EXPECT_EQ(Form27->ComboBox(1)->currentText(), "/un/ecran.bmp");  // the extension of the capture
    EXPECT_FALSE(Form27->findChild<QToolButton*>("SpeedButton2")->isEnabled());
    Form27->Form27Show("Rechercher");
    for (int n = 1; n <= 3; ++n) Form27->findChild<QToolButton*>(QString("SpeedButton%1").arg(n))->click();
    EXPECT_EQ(Form27->ComboBox(1)->currentText(), "/un/dossier");
    EXPECT_EQ(Form27->ComboBox(2)->currentText(), "*.*");  // typed, never browsed
    EXPECT_EQ(Form27->ComboBox(3)->currentText(), "/un/ecran");
    EXPECT_EQ(asked, QStringList({"fichier Fichiers Bitmap (*.bmp)|*.bmp", "dossier Entrez le nom du répertoire",
                                  "fichier Tous les Fichiers (*.*)|*.*"}));
    Form27->close();
}

// ---- Champs ----

TEST_F(ChoiceDialogsTest, ChampsDelimitedRowAndUndeclaredFields) {
    setRows({{"Variable", "<Txt>;;Alpha;"}, {"Variable", "N;;Numerique;"}, {"Type", "a"}});
    ShowCommandDialog("Champs");
    Form30->RadioButton1->click();
    Form30->ComboBox1->setEditText("<Txt>");
    Form30->CheckBox(1)->click();
    Form30->CheckBox(3)->click();
    for (const auto& [name, block] : {std::pair{"A", "1"}, std::pair{"B", "3"}}) {
        Form30->Label17->setText(block);
        Form30->ComboBox2->setEditText(name);
        Form30->Button3Click();
    }
    EXPECT_EQ(Form30->ListBox1->item(0)->text(), "<Txt.A>");
    Form30->ComboBox2->setEditText("A");
    Form30->Button3Click();
    EXPECT_EQ(messages.texts().value(0), "Le champ ne peut pas se trouver plus d'une fois dans la liste.");
    const Outcome out = validate(Form30);
    EXPECT_EQ(out.messages,
              QStringList({"Certains champs ne sont pas déclarer comme variable, ils seront créés automatiquement."}));
    EXPECT_EQ(out.rows, QStringList({"Variable|<Txt>;;Alpha;", "Variable|N;;Numerique;", "Variable|<Txt.A>;;Alpha;",
                                     "Variable|<Txt.B>;;Alpha;", "Type|a",
                                     "Champs|<Txt>;D;Tab;;Point virgule;;;<Txt.A>;1;<Txt.B>;3;"}));

    // The source must be declared; the other delimiter may not be the separator.
    ShowCommandDialog("Champs");
    Form30->ComboBox1->setEditText("<Autre>");
    EXPECT_EQ(validate(Form30).messages, QStringList({"Vous devez obligatoirement specifier une variable à traiter."}));
    ShowCommandDialog("Champs");
    Form30->ComboBox1->setEditText("<Txt>");
    Form30->CheckBox(5)->click();
    Form30->Edit1->setText(";");
    EXPECT_EQ(validate(Form30).messages,
              QStringList({"Le séparateur « Autre » ne peut pas être « ; », le caractère qui sépare les paramètres."}));
}

TEST_F(ChoiceDialogsTest, ChampsBlocksAndMarksOfTheSample) {
    ShowCommandDialog("Champs");
    Form30->RadioButton1->click();
    Form30->CheckBox(3)->click();
    Form30->ShowSample({"a;;b"});
    const int blocks[] = {1, 2, 2, 3}, starts[] = {1, 2, 2, 4}, ends[] = {1, 3, 3, 4};
    for (int c = 0; c < 4; ++c) {
        Form30->StringGrid1Click(c, 0);
        EXPECT_EQ(Form30->Label17->text().toInt(), blocks[c]) << c;
        EXPECT_EQ(Form30->Label10->text().toInt(), starts[c]) << c;
        EXPECT_EQ(Form30->Label11->text().toInt(), ends[c]) << c;
        EXPECT_EQ(Form30->Label12->text().toInt(), c + 1) << c;
    }
    // The boundaries are drawn at the left edge of columns 1 and 3.
    const QImage cells = Form30->StringGrid1->viewport()->grab().toImage();
    const int width = Form30->StringGrid1->columnWidth(0);
    const QRgb mark = ColorToQColor(0x808000).rgb();
    for (int c = 0; c < 4; ++c) EXPECT_EQ(cells.pixel(c * width, 2) == mark, c == 1 || c == 3) << c;

    // A long line has its marks as far as it goes.
    Form30->ShowSample({QString(2500, 'x') + ";" + QString(499, 'x')});
    const QVector<char> marks = Form30->RowMarks(0);
    ASSERT_EQ(marks.size(), 3000);
    EXPECT_TRUE(marks[2500]);
    EXPECT_TRUE(marks[2501]);
    EXPECT_EQ(std::count(marks.begin(), marks.end(), 1), 2);
    Form30->RadioButton2->click();  // fixed width: the marks are placed by hand
    Form30->StringGrid1DblClick(2999);
    EXPECT_TRUE(Form30->RowMarks(5)[2999]);
    Form30->StringGrid1Click(2999, 0);
    EXPECT_EQ(Form30->Label10->text(), "3000");
    Form30->close();
}

TEST_F(ChoiceDialogsTest, ChampsOpensASampleFile) {
    QTemporaryDir dir;
    QFile sample(dir.filePath("exemple.txt"));
    ASSERT_TRUE(sample.open(QIODevice::WriteOnly));
    sample.write("Nom;Prénom\r\nDupont;Jean\r\n");
    sample.close();
    QString chosen = sample.fileName();
    testServices().onChooseFile = [&](TFileDialog& d) {
        d.FileName = chosen;
        return true;
    };
    ShowCommandDialog("Champs");
    Form30->findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_EQ(Form30->StatusBar1->currentMessage(), sample.fileName());
    const QAbstractItemModel* cells = Form30->StringGrid1->model();
    EXPECT_EQ(cells->rowCount(), 3);  // the lines and one empty row
    EXPECT_EQ(cells->columnCount(), 11);
    EXPECT_EQ(cells->index(0, 4).data().toString(), "P");
    EXPECT_EQ(cells->index(1, 6).data().toString(), ";");
    chosen = dir.filePath("absent.txt");
    Form30->findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_TRUE(messages.texts().value(0).startsWith("Le fichier « " + chosen + " » ne peut pas être lu"));
    EXPECT_EQ(cells->rowCount(), 3);  // the sample shown stays
    Form30->close();
}

TEST_F(ChoiceDialogsTest, ChampsFixedRowsComeBackWholeAndOnlyDeleteRemovesAField) {
    const QString six = "<S>;F;a;1;2;b;3;4;c;5;6;d;7;8;e;9;10;f;11;12;";
    setRows({{"Variable", "<S>;;Alpha;"}, {"Variable", "a;;Alpha;"}, {"Variable", "b;;Alpha;"},
             {"Variable", "c;;Alpha;"}, {"Variable", "d;;Alpha;"}, {"Variable", "e;;Alpha;"},
             {"Variable", "f;;Alpha;"}, {"Champs", six}});
    edit(7);
    EXPECT_TRUE(Form30->RadioButton2->isChecked());
    ASSERT_EQ(Form30->ListBox3->count(), 6);
    EXPECT_EQ(Form30->ListBox3->item(5)->text(), "12");
    // A seventh field is refused.
    Form30->ComboBox2->setEditText("g");
    Form30->Button3Click();
    EXPECT_EQ(messages.texts().value(0).left(32), "Le nombre de champs est limité à");
    EXPECT_EQ(Form30->ListBox1->count(), 6);

    auto release = [](QWidget* w, int key) {
        QKeyEvent e(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    };
    release(Form30->ListBox1, Qt::Key_Delete);  // nothing selected
    EXPECT_EQ(Form30->ListBox1->count(), 6);
    Form30->SelectField(2);
    EXPECT_EQ(Form30->ComboBox2->currentText(), "c");
    EXPECT_TRUE(Form30->Button5->isEnabled());
    release(Form30->ListBox2, Qt::Key_Down);
    EXPECT_EQ(Form30->ListBox1->count(), 6);
    const Outcome out = validate(Form30);
    EXPECT_EQ(out.rows.last(), "Champs|" + six);

    // "Modifier" gives the selected field the name typed and the positions shown.
    edit(7);
    Form30->SelectField(1);
    Form30->ComboBox2->setEditText("B2");
    Form30->Label10->setText("30");
    Form30->Label11->setText("31");
    Form30->Button4Click();
    EXPECT_EQ(Form30->ListBox1->item(1)->text(), "B2");
    EXPECT_EQ(Form30->ListBox2->item(1)->text(), "30");
    EXPECT_EQ(Form30->ListBox3->item(1)->text(), "31");
    EXPECT_EQ(Form30->ComboBox2->currentText(), "");
    Form30->close();

    // A form that cannot grow opens all the same.
    Form30->StringGrid1->setFixedHeight(5);
    Form30->setMaximumHeight(Form30->height());
    edit(7);
    EXPECT_TRUE(Form30->isVisible());
    Form30->StringGrid1->setMinimumHeight(0);
    Form30->StringGrid1->setMaximumHeight(QWIDGETSIZE_MAX);
    Form30->setMaximumHeight(QWIDGETSIZE_MAX);

    Form30->SelectField(2);
    release(Form30->ListBox3, Qt::Key_Delete);
    EXPECT_EQ(Form30->ListBox1->count(), 5);
    EXPECT_EQ(Form30->ListBox3->count(), 5);
    EXPECT_EQ(Form30->ListBox1->item(2)->text(), "d");
    Form30->RadioButton1->click();  // another data type empties the table
    EXPECT_EQ(Form30->ListBox1->count(), 0);
    EXPECT_FALSE(Form30->ListBox3->isVisibleTo(Form30));
    Form30->close();
}

}  // namespace
