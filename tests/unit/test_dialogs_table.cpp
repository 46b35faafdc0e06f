// The declared command dialogs, one table: a macro, a dialog opened for adding
// or on a row, what is typed or clicked, and either the rows after "Valider"
// or the messages it shows, in order (the dialog then stays open, the macro
// unchanged).
#include "core/Unit1.h"
#include "editors/CommandDialog.h"
#include "tests/support/TestSupport.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

using Rows = QVector<QPair<QString, QString>>;

// A control by name and a text for it; a button is clicked (its text unused),
// and once the dialog is open a shown button must be checked.
struct Entry {
    QString control;
    QString text;
};

struct DialogCase {
    const char* what;
    Rows macro;
    int form;
    QString keyword;  // opened for adding that command; empty: on row `row`
    int row = -1;
    QVector<Entry> shown;    // what the dialog shows once open
    QVector<Entry> entries;  // then typed or clicked
    QStringList rows;        // the macro after "Valider"; empty: unchanged
    QStringList messages;    // or what it says
};

const QString kNoName = "Vous devez donner un nom à votre variable.";
const QString kNotInteger =
    "Vous avez choisi une variable numérique, vous devez donc choisir un nombre entier pour initialiser cette "
    "variable.";
const QString kFirstNotVariable = "Le premier paramètre doit être obligatoirement une variable.";
const QString kAlphaAdds = "Le seul opérateur possible avec une variable Alphanumérique est celui d'addition.";
const QString kNumericOperand = "Vous avez séléctionné une variable numérique dans le premier paramètre, vous devez "
                                "donc utiliser une valeur numérique dans le deuxième paramètre (constante ou  "
                                "variable).";
const QString kNoFile = "Vous devez obligatoirement spécifier un nom de fichier, ou une variable.";
const QString kReadUndeclared = "Le paramètre Variable Lire doit être une variable déclarée.";
QString separatorIn(const QString& field) {
    return "Le champ « " + field + " » ne peut pas contenir « ; », le caractère qui sépare les paramètres.";
}

const Rows kAlphaT = {{"Variable", "T;x;Alpha;"}, {"Variable", "N;5;Numerique;"}};

const DialogCase kCases[] = {
    // Variable
    {"a value holding the separator comes back whole", {{"Variable", "A;x;y;Alpha;"}}, 8, {}, 0,
     {{"Edit1", "A"}, {"Edit2", "x;y"}, {"RadioButton1", ""}}, {}, {"Variable|A;x;y;Alpha;"}},
    {"numeric value 12x", {}, 8, "Variable", -1, {}, {{"Edit1", "N"}, {"RadioButton2", ""}, {"Edit2", "12x"}}, {},
     {kNotInteger}},
    {"numeric value equal to the name", {}, 8, "Variable", -1, {},
     {{"Edit1", "N"}, {"RadioButton2", ""}, {"Edit2", "N"}}, {"Variable|N;N;Numerique;"}},
    {"empty name and bad numeric value", {}, 8, "Variable", -1, {},
     {{"Edit1", ""}, {"RadioButton2", ""}, {"Edit2", "abc"}}, {}, {kNoName, kNotInteger}},
    {"a new declaration goes after the head declarations",
     {{"Variable", "A;;Alpha;"}, {"Variable", "B;;Alpha;"}, {"Click", "G;"}}, 8, "Variable", -1,
     {{"Edit1", "<Var1>"}, {"Edit2", ""}}, {{"Edit1", "C"}},
     {"Variable|A;;Alpha;", "Variable|B;;Alpha;", "Variable|C;;Alpha;", "Click|G;"}},
    {"a new declaration before a leading comment", {{"Commentaire", "titre"}}, 8, "Variable", -1, {},
     {{"Edit1", "C"}, {"Label5", ""}}, {"Variable|C;0;Numerique;", "Commentaire|titre"}},
    {"numeric row", {{"Variable", "N;-3;Numerique;"}}, 8, {}, 0, {{"Edit2", "-3"}, {"RadioButton2", ""}},
     {{"Edit2", "7"}}, {"Variable|N;7;Numerique;"}},
    // Question and Message
    {"an empty question", {}, 9, "Question", -1, {{"ComboBox2", ""}}, {}, {"Question|;;;"}},
    {"a message drops the variable", {}, 9, "Message", -1, {},
     {{"ComboBox2", "T"}, {"ComboBox3", "M"}, {"ComboBox1", "V"}}, {"Message|T;M;"}},
    {"a message row loads no variable", {{"Message", "T;M;"}}, 9, {}, 0,
     {{"ComboBox2", "T"}, {"ComboBox3", "M"}, {"ComboBox1", ""}}, {}, {"Message|T;M;"}},
    {"a question row", {{"Question", "T;M;V;"}}, 9, {}, 0, {{"ComboBox1", "V"}}, {{"ComboBox3", "Oui ?"}},
     {"Question|T;Oui ?;V;"}},
    {"a title holding the separator", {}, 9, "Question", -1, {}, {{"ComboBox2", "a;b"}}, {},
     {separatorIn("Titre de la fenêtre")}},
    // Label and Goto
    {"a goto to a row number", {}, 3, "Goto", -1, {}, {{"ComboBox1", "12"}}, {"Goto|12"}},
    {"a goto to a label", {{"Label", "Début"}}, 3, "Goto", -1, {}, {{"ComboBox1", "Début"}},
     {"Label|Début", "Goto|Début"}},
    {"a goto to nowhere", {}, 3, "Goto", -1, {}, {{"ComboBox1", "Ailleurs"}}, {},
     {"Le Goto doit aller à un label de la macro ou à un numéro de ligne."}},
    {"an empty label", {}, 3, "Label", -1, {{"ComboBox1", "<Label1>"}}, {{"ComboBox1", ""}}, {},
     {"Veuillez donner un nom au label."}},
    {"a label keeps the separator", {{"Label", "<Label1>"}}, 3, "Label", -1, {{"ComboBox1", "<Label2>"}},
     {{"ComboBox1", "a;b"}}, {"Label|<Label1>", "Label|a;b"}},
    {"a goto row modified", {{"Label", "x"}, {"Goto", "x"}}, 3, {}, 1, {{"ComboBox1", "x"}}, {{"ComboBox1", "3"}},
     {"Label|x", "Goto|3"}},
    {"a goto row modified to a label of an included macro", {{"Inclusion", "autre.mcr"}, {"Goto", "x"}}, 3, {}, 1,
     {}, {{"ComboBox1", "Ailleurs"}}, {"Inclusion|autre.mcr", "Goto|Ailleurs"}},
    // Examine
    {"<> comes back", {{"Variable", "A;1;Numerique;"}, {"Examine", "A;<>;3;"}}, 11, {}, 1,
     {{"ComboBox1", "A"}, {"ComboBox2", "3"}, {"RadioButton4", ""}}, {},
     {"Variable|A;1;Numerique;", "Examine|A;<>;3;"}},
    {"examine an undeclared name", {}, 11, "Examine", -1, {}, {{"ComboBox1", "Z"}}, {}, {kFirstNotVariable}},
    {"examine with an empty operand", {{"Variable", "A;1;Numerique;"}}, 11, "Examine", -1, {{"RadioButton1", ""}},
     {{"ComboBox1", "A"}, {"Label6", ""}}, {"Variable|A;1;Numerique;", "Examine|A;>;;"}},
    {"an operand holding the separator", {{"Variable", "A;1;Numerique;"}}, 11, "Examine", -1, {},
     {{"ComboBox1", "A"}, {"ComboBox2", "1;2"}}, {}, {separatorIn("Deuxième paramètre")}},
    // Calcul
    {"alpha with -", kAlphaT, 12, "Calcul", -1, {{"RadioButton1", ""}},
     {{"ComboBox1", "T"}, {"RadioButton2", ""}, {"ComboBox2", "x"}}, {}, {kAlphaAdds}},
    {"alpha with +", kAlphaT, 12, "Calcul", -1, {}, {{"ComboBox1", "T"}, {"ComboBox2", "N"}},
     {"Variable|T;x;Alpha;", "Variable|N;5;Numerique;", "Calcul|T;+;N;"}},
    {"undeclared with - tells the first message only", {}, 12, "Calcul", -1, {},
     {{"ComboBox1", "Z"}, {"Label4", ""}}, {}, {kFirstNotVariable}},
    {"numeric with 12", kAlphaT, 12, "Calcul", -1, {}, {{"ComboBox1", "N"}, {"Label6", ""}, {"ComboBox2", "12"}},
     {"Variable|T;x;Alpha;", "Variable|N;5;Numerique;", "Calcul|N;/;12;"}},
    {"numeric with abc", kAlphaT, 12, "Calcul", -1, {}, {{"ComboBox1", "N"}, {"ComboBox2", "abc"}}, {},
     {kNumericOperand}},
    {"numeric with x12", kAlphaT, 12, "Calcul", -1, {}, {{"ComboBox1", "N"}, {"ComboBox2", "x12"}}, {},
     {kNumericOperand}},
    {"* comes back", {{"Variable", "N;5;Numerique;"}, {"Calcul", "N;*;2;"}}, 12, {}, 1, {{"RadioButton3", ""}}, {},
     {"Variable|N;5;Numerique;", "Calcul|N;*;2;"}},
    // Lire and Ecrire
    {"lire: undeclared variable and no file", {}, 15, "Lire", -1,
     {{"RadioButton1", ""}, {"ComboBox3", ""}, {"ComboBox1", ""}, {"ComboBox2", ""}}, {{"ComboBox1", "Z"}}, {},
     {kNoFile, kReadUndeclared}},
    {"lire", kAlphaT, 15, "Lire", -1, {}, {{"ComboBox3", "/tmp/f.txt"}, {"ComboBox1", "T"}, {"ComboBox2", "3"}},
     {"Variable|T;x;Alpha;", "Variable|N;5;Numerique;", "Lire|/tmp/f.txt;T;3;"}},
    {"ecrire takes any value and no position", {}, 15, "Lire", -1, {},
     {{"ComboBox2", "4"}, {"RadioButton2", ""}, {"ComboBox3", "f"}, {"ComboBox1", "texte libre"}},
     {"Ecrire|f;texte libre;;"}},
    {"a lire row becomes an ecrire row", {{"Lire", "f;T;2;"}, {"Variable", "T;;Alpha;"}}, 15, {}, 0,
     {{"RadioButton1", ""}, {"ComboBox2", "2"}}, {{"Label6", ""}, {"ComboBox1", "v"}},
     {"Ecrire|f;v;;", "Variable|T;;Alpha;"}},
    {"a value holding the separator", {}, 15, "Ecrire", -1, {{"RadioButton2", ""}},
     {{"ComboBox3", "f"}, {"ComboBox1", "a;b"}}, {}, {separatorIn("Variable Lire - Ecrire")}},
    // Procedure
    {"call with no procedure", {}, 36, "Procedure", -1, {}, {{"RadioButton3", ""}}, {},
     {"La procédure que vous voulez appeler n'existe pas."}},
    {"a declaration ENDE", {}, 36, "Procedure", -1, {}, {{"ComboBox1", "ENDE"}}, {},
     {"Le nom d'une procédure ne peut pas commencer par « END » ni par « CALL »."}},
    {"a declaration END", {{"Procedure", "END"}}, 36, "Procedure", -1, {}, {{"ComboBox1", "END"}}, {},
     {"Cette procédure ne peut pas s'appeler END."}},
    {"a declaration CALL x", {}, 36, "Procedure", -1, {}, {{"ComboBox1", "CALL x"}}, {},
     {"Le nom d'une procédure ne peut pas commencer par « END » ni par « CALL »."}},
    {"a declaration of blanks", {}, 36, "Procedure", -1, {}, {{"ComboBox1", "   "}}, {},
     {"Veuillez donner un nom à la procédure."}},
    {"a second declaration", {{"Procedure", "P"}, {"Procedure", "END"}}, 36, "Procedure", -1, {},
     {{"ComboBox1", "P"}}, {}, {"Cette procédure existe déjà."}},
    {"an unchanged declaration", {{"Procedure", "P"}, {"Procedure", "END"}}, 36, {}, 0,
     {{"RadioButton1", ""}, {"ComboBox1", "P"}}, {}, {"Procedure|P", "Procedure|END"}},
    {"a call", {{"Procedure", "P"}, {"Procedure", "END"}}, 36, "Procedure", -1, {},
     {{"RadioButton3", ""}}, {"Procedure|P", "Procedure|END", "Procedure|CALL P"}},
    {"a call row", {{"Procedure", "P"}, {"Procedure", "END"}, {"Procedure", "CALL P"}}, 36, {}, 2,
     {{"RadioButton3", ""}, {"ComboBox1", "P"}}, {}, {"Procedure|P", "Procedure|END", "Procedure|CALL P"}},
    {"an end", {{"Procedure", "P"}}, 36, "Procedure", -1, {}, {{"RadioButton2", ""}},
     {"Procedure|P", "Procedure|END"}},
    {"an end row", {{"Procedure", "P"}, {"Procedure", "END ici"}}, 36, {}, 1, {{"RadioButton2", ""}}, {},
     {"Procedure|P", "Procedure|END"}},
    {"an end row ENDP1", {{"Procedure", "P1"}, {"Procedure", "ENDP1"}}, 36, {}, 1, {{"RadioButton2", ""}}, {},
     {"Procedure|P1", "Procedure|END"}},
    // Calcul évolué
    {"an empty expression", {{"Variable", "N;5;Numerique;"}}, 24, "Calcul évolué", -1, {{"Edit1", ""}}, {}, {},
     {"Le premier élément de l'expression doit obligatoirement être une variable."}},
    {"an expression as typed", {{"Variable", "N;5;Numerique;"}}, 24, "Calcul évolué", -1, {},
     {{"Edit1", "N = N * 2 + 1"}}, {"Variable|N;5;Numerique;", "Calcul évolué|N = N * 2 + 1"}},
    {"an unfinished expression", {{"Variable", "N;5;Numerique;"}}, 24, "Calcul évolué", -1, {},
     {{"Edit1", "N = N *"}}, {}, {"Expression à compléter."}},
    // Execute
    {"an empty target", {}, 26, "Execute", -1, {{"ComboBox1", ""}}, {}, {},
     {"Le paramètre de la commande exécute ne peut pas être vide."}},
    {"the bare web prefix", {}, 26, "Execute", -1, {}, {{"ComboBox1", "http://www."}}, {},
     {"Le paramètre \"http://www.\" n'est pas complet, veuillez completer l'adresse."}},
    {"a target holding the separator", {}, 26, "Execute", -1, {}, {{"ComboBox1", "http://www.a.fr/?x=1;y=2"}},
     {"Execute|http://www.a.fr/?x=1;y=2"}},
    {"mailto: alone", {{"Execute", "/bin/ls"}}, 26, {}, 0, {{"ComboBox1", "/bin/ls"}}, {{"ComboBox1", "mailto:"}},
     {"Execute|mailto:"}},
    // Commentaire
    {"three lines", {{"Type", "a"}, {"Type", "b"}}, 14, "Commentaire", -1, {{"Memo1", ""}},
     {{"Memo1", "un\ndeux; trois\nquatre\n"}},
     {"Type|a", "Type|b", "Commentaire|un", "Commentaire|deux; trois", "Commentaire|quatre"}},
    {"an empty memo", {}, 14, "Commentaire", -1, {}, {}, {"Commentaire|"}},
};

class DialogTableTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        form->show();
    }
    static QString textOf(QWidget* w) {
        if (auto* box = qobject_cast<QComboBox*>(w)) return box->currentText();
        if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) return memo->toPlainText();
        return {};
    }
    static void enter(QWidget* w, const QString& text) {
        if (auto* box = qobject_cast<QComboBox*>(w)) box->setEditText(text);
        else if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setText(text);
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) memo->setPlainText(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(w)) button->click();
        else if (auto* label = qobject_cast<TClickLabel*>(w)) emit label->Click();
    }
};

TEST_F(DialogTableTest, EachDialogWritesItsRowOrSaysWhy) {
    for (const DialogCase& c : kCases) {
        SCOPED_TRACE(c.what);
        messages.shown.clear();
        setRows(c.macro);
        const QStringList before = rowTexts();
        TCommandDialog* d = CommandDialog(c.form);
        ASSERT_NE(d, nullptr);
        if (c.keyword.isEmpty()) {
            TForm1::Select_unique(form->ListView1, c.row);
            form->ListView1DblClick();
            ASSERT_TRUE(d->Modifying());
        } else {
            d->ShowForAdd(c.keyword);
        }
        ASSERT_TRUE(d->isVisible());
        for (const Entry& e : c.shown) {
            QWidget* w = d->findChild<QWidget*>(e.control);
            ASSERT_NE(w, nullptr) << e.control.toStdString();
            if (auto* button = qobject_cast<QAbstractButton*>(w))
                EXPECT_TRUE(button->isChecked()) << e.control.toStdString();
            else
                EXPECT_EQ(textOf(w), e.text) << e.control.toStdString();
        }
        for (const Entry& e : c.entries) {
            QWidget* w = d->findChild<QWidget*>(e.control);
            ASSERT_NE(w, nullptr) << e.control.toStdString();
            enter(w, e.text);
        }
        d->Button1Click();
        EXPECT_EQ(messages.texts(), c.messages);
        EXPECT_EQ(rowTexts(), c.rows.isEmpty() ? before : c.rows);
        EXPECT_EQ(d->isVisible(), !c.messages.isEmpty());
        d->close();
        EXPECT_FALSE(RowEditing().modifying);
    }
}

}  // namespace
