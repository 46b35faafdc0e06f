#include "tests/support/TestServices.h"
#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"
#include "tests/unit/test_macrofile_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

namespace {

// A small system-variable table: "[RO]" read-only at "42", "[RW]" writable.
class FakeSysVars : public TestServices::SysVars {
public:
    bool IsSysVar(const QString& name) const override { return name == "[RO]" || name == "[RW]"; }
    bool IsWritable(const QString& name) const override { return name == "[RW]"; }
    QString Read(const QString& name) override { return name == "[RO]" ? "42" : rw; }
    void Write(const QString& name, const QString& value) override {
        if (name == "[RW]") rw = value;
        ++writes;
    }
    QString rw = "init";
    int writes = 0;
};

class VariablesTest : public FilesTest {
protected:
    void TearDown() override {
        FilesTest::TearDown();
    }
    QString read(const QString& name, const QString& def = "0") {
        QString v;
        form->ReadVariable("VAR", name, def, v);
        return v;
    }
    QStringList watch() const {
        QStringList out;
        for (int i = 0; i < form->ListView3->count(); ++i)
            out << form->ListView3->topLevelItem(i)->text(0) + '=' + form->ListView3->topLevelItem(i)->text(1);
        return out;
    }
};

TEST_F(VariablesTest, StoreReadsAndWritesByName) {
    setRows({{"Variable", "N;0;Numerique;"}, {"Variable", "A;x;Alpha;"}});
    EXPECT_EQ(read("U", "def"), "def");
    EXPECT_TRUE(Variables().Entries().isEmpty());
    form->WriteVariable("VAR", "N", "1 2,5");
    form->WriteVariable("VAR", "A", "1 2,5");
    EXPECT_EQ(read("N"), "12,5");
    EXPECT_EQ(read("A"), "1 2,5");
    // INITVAR with the variable's own name: an existing entry stays, a missing one is made.
    form->WriteVariable("INITVAR", "N", "N");
    EXPECT_EQ(read("N"), "12,5");
    form->WriteVariable("INITVAR", "B", "B");
    EXPECT_EQ(read("B"), "B");
    form->WriteVariable("INITVAR", "N", "7");
    EXPECT_EQ(read("N"), "7");
    EXPECT_EQ(Variables().Entries().size(), 3);
}

TEST_F(VariablesTest, SystemVariablesFollowTheirTable) {
    FakeSysVars sys;
    testServices().sysVars = &sys;
    form->WriteVariable("VAR", "[RO]", "5");
    EXPECT_EQ(read("[RO]"), "42");
    EXPECT_EQ(Variables().Entries()[0].Value, "42");
    EXPECT_EQ(sys.writes, 0);
    form->WriteVariable("VAR", "[RW]", "5");
    EXPECT_EQ(sys.rw, "5");
    form->WriteVariable("INITVAR", "[RW]", "[RW]");  // its own name: not written
    EXPECT_EQ(sys.writes, 1);
    sys.rw = "changed";
    EXPECT_EQ(read("[RW]"), "changed");  // reading refreshes the entry
}

TEST_F(VariablesTest, WatchListShowsLiveValuesAndHidesThePassword) {
    setRows({{"Variable", "N;3;Numerique;"}, {"Variable", "[PASSWORD];secret;Alpha;"}, {"Type", "a;"}});
    form->ListView1->setSelected(0, true);
    form->ListView1->setSelected(1, true);
    form->ListView1->setSelected(2, true);
    form->valuer1Click();
    form->valuer1Click();  // already watched: no second row
    EXPECT_EQ(watch(), QStringList({"N=3", "[PASSWORD]=********"}));
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet4);
    EXPECT_EQ(form->PageControl1->tabText(form->PageControl1->indexOf(form->TabSheet4)), "Évaluer");
    form->WriteVariable("VAR", "N", "1 000");
    form->WriteVariable("VAR", "[PASSWORD]", "abc");
    EXPECT_EQ(watch(), QStringList({"N=1000", "[PASSWORD]=********"}));
    // Live updates stop with the box.
    form->SpeedButton21Click();
    EXPECT_FALSE(form->CheckBox1->isChecked());
    form->WriteVariable("VAR", "N", "5");
    EXPECT_EQ(watch().first(), "N=1000");
    // The input box of "Modifier" is a password box for "[PASSWORD]".
    bool passwordMode = false;
    testServices().onAskText = [&](const QString& caption, const QString& prompt, QString& text, bool password) {
        EXPECT_EQ(caption, "Modification de variable");
        EXPECT_EQ(prompt, "Valeur");
        passwordMode = password;
        text = "neuf";
        return true;
    };
    form->CheckBox1->setChecked(true);
    form->ListView3->selectRow(1);
    form->Modifier1Click();
    EXPECT_TRUE(passwordMode);
    EXPECT_EQ(read("[PASSWORD]", ""), "neuf");
    EXPECT_EQ(watch().last(), "[PASSWORD]=********");
}

TEST_F(VariablesTest, ModifyChecksTheKind) {
    setRows({{"Variable", "N;3;Numerique;"}});
    AddWatchRow(*form, "N", "3");
    AddWatchRow(*form, "Z", "");
    QString typed = "x";
    testServices().onAskText = [&](const QString&, const QString&, QString& text, bool) {
        text = typed;
        return true;
    };
    form->ListView3->selectRow(0);
    form->Modifier1Click();
    EXPECT_EQ(messageTexts(), QStringList({"Valeur incorrecte"}));
    EXPECT_EQ(read("N", "none"), "none");
    typed = "12";
    form->Modifier1Click();
    EXPECT_EQ(read("N"), "12");
    form->ListView3->selectRow(1);
    form->Modifier1Click();
    EXPECT_EQ(messageTexts().last(), "La variable nommée Z n'est pas déclarée.");
    EXPECT_EQ(watch(), QStringList({"N=12"}));
}

TEST_F(VariablesTest, WatchRowsDeleteResetCopyAndMove) {
    FakeSysVars sys;
    testServices().sysVars = &sys;
    setRows({{"Variable", "N;3;Numerique;"}, {"Variable", "A;x;Alpha;"}, {"Variable", "O;1;Objet;"}});
    for (const char* name : {"N", "A", "O", "[RO]", "[RW]", "Z"}) AddWatchRow(*form, name, "v");
    form->Reinitialiertouteslesvariable1Click();
    EXPECT_EQ(watch(), QStringList({"N=0", "A=", "O=v", "[RO]=v"}));
    // Moving: onto a row takes its place; below the last row goes to the end.
    form->ListView3->selectRow(0);
    form->ListView3EndDrag(2);
    EXPECT_EQ(watch(), QStringList({"A=", "O=v", "N=0", "[RO]=v"}));
    EXPECT_EQ(form->ListView3->selectedIndex(), 2);
    form->ListView3->selectRow(0);
    form->ListView3EndDrag(4);
    EXPECT_EQ(watch(), QStringList({"O=v", "N=0", "[RO]=v", "A="}));
    // Copying needs the list's focus.
    form->show();
    QApplication::setActiveWindow(form);
    form->ListView3->setFocus();
    QApplication::processEvents();
    form->ListView3->selectRow(1);
    form->Copierlavaleur1Click();
    EXPECT_EQ(static_cast<platform::FakePlatform&>(platform::desktop()).clipboard, "0");
    // Deleting the first row selects the new first row.
    form->ListView3->selectRow(0);
    form->Supprimer4Click();
    EXPECT_EQ(watch().first(), "N=0");
    EXPECT_EQ(form->ListView3->selectedIndex(), 0);
    form->Supprimertouteslesvariables1Click();
    EXPECT_EQ(form->ListView3->count(), 0);
    EXPECT_FALSE(Variables().Entries().isEmpty());  // the store is not touched
}

TEST_F(VariablesTest, NewNamesFollowTheRowOrder) {
    QLineEdit edit;
    const std::vector<std::pair<QVector<QPair<QString, QString>>, QString>> cases = {
        {{{"Variable", "<Var1>;0;Numerique;"}, {"Variable", "<Var2>;0;Numerique;"}}, "<Var3>"},
        {{{"Variable", "<Var2>;0;Numerique;"}, {"Variable", "<Var1>;0;Numerique;"}}, "<Var2>"},
        {{}, "<Var1>"},
    };
    for (const auto& [rows, expected] : cases) {
        setRows(rows);
        form->New_Var_Name(&edit);
        EXPECT_EQ(edit.text(), expected);
        EXPECT_EQ(edit.selectedText(), expected.mid(1, 4));
    }
    setRows({{"Label", "<Label1>"}});
    QComboBox combo;
    combo.setEditable(true);
    form->New_Label_Name(&combo);
    EXPECT_EQ(combo.currentText(), "<Label2>");
    form->New_Var_Name(&combo);  // not an edit: nothing
    EXPECT_EQ(combo.currentText(), "<Label2>");
}

TEST_F(VariablesTest, ListsOfNames) {
    setRows({{"Variable", "N;0;Numerique;"}, {"Variable", "A;x;Alpha;"}, {"Variable", "O;1;Objet;"},
             {"Variable", "N;1;Numerique;"}, {"Label", "L1"}, {"Label", "L1"}, {"Procedure", "P"},
             {"Procedure", "CALL P"}, {"Procedure", "END"}, {"Objet", "Fen;3;"}});
    QStringList names;
    form->List_Var(names, true, true);
    EXPECT_EQ(names, QStringList({"N", "A", "O"}));
    form->List_Var(names, false, true);
    EXPECT_EQ(names, QStringList({"N", "O"}));
    form->List_Var(names, true, false);
    EXPECT_EQ(names, QStringList({"A", "O"}));
    QComboBox combo;
    combo.setEditable(true);
    combo.setEditText("texte");
    auto items = [&] {
        QStringList out;
        for (int i = 0; i < combo.count(); ++i) out << combo.itemText(i);
        return out;
    };
    form->List_Label(&combo);
    EXPECT_EQ(items(), QStringList({"L1"}));
    EXPECT_EQ(combo.currentText(), "texte");
    form->List_procedure(&combo);
    EXPECT_EQ(items(), QStringList({"P"}));
    form->List_Objet(&combo);
    EXPECT_EQ(items(), QStringList({"Fen"}));
    form->List_var_and_objet(&combo);
    EXPECT_EQ(items(), QStringList({"N", "A", "O", "Fen"}));
    EXPECT_EQ(combo.currentText(), "");
    QString value;
    form->GetInitialValueofVar("A", u'\'', value);
    EXPECT_EQ(value, "'x'");
    form->GetInitialValueofVar("N", u'\'', value);
    EXPECT_EQ(value, "0");
    form->GetInitialValueofVar("A", QChar(u'\0'), value);
    EXPECT_EQ(value, "x");
    form->GetInitialValueofVar("Q", u'\'', value);
    EXPECT_EQ(value, "");
    EXPECT_TRUE(form->Fonction_existe_with_param(nullptr, "Objet", 2, "3"));
    EXPECT_FALSE(form->Fonction_existe_with_param(nullptr, "Objet", 1, "3"));
}

TEST_F(VariablesTest, ProceduresNestAndResolve) {
    setRows({{"Procedure", "P"},        {"Procedure", "Q"}, {"Procedure", "CALL P"}, {"Procedure", "END Q"},
             {"Procedure", "END P"},    {"Variable", "V;P;Alpha;"}, {"Variable", "W;zz;Alpha;"}});
    EXPECT_EQ(form->FindEndOfProcedure(nullptr, 0), 4);  // the outer END, not the inner one
    EXPECT_EQ(form->FindEndOfProcedure(nullptr, 1), 3);
    EXPECT_EQ(form->FindEndOfProcedure(nullptr, 9), -1);
    EXPECT_FALSE(form->CanGetEndofProcedure(nullptr, 2, true));  // P and Q both open
    EXPECT_FALSE(form->CanGetEndofProcedure(nullptr, 0, false));
    EXPECT_TRUE(form->CanGetEndofProcedure(nullptr, 3, true));
    EXPECT_TRUE(form->CanGetEndofProcedure(nullptr, 4, false));
    EXPECT_EQ(form->procedure_exists(nullptr, "Q"), 1);
    EXPECT_EQ(form->procedure_exists(nullptr, "R"), -1);
    EXPECT_EQ(form->procedure_exists(nullptr, "W"), -1);  // a variable naming none: not found before the run
}

// A procedure whose name begins with "END" is a declaration like any other.
// Stored macros end procedures with "END" followed by more text ("ENDP1").
TEST_F(VariablesTest, ProcedureRowsBeginningWithEndAreEnds) {
    setRows({{"Procedure", "P1"}, {"Type", "a"}, {"Procedure", "ENDP1"}, {"Procedure", "CALL P1"}});
    EXPECT_EQ(form->procedure_exists(nullptr, "P1"), 0);
    EXPECT_EQ(form->procedure_exists(nullptr, "ENDP1"), -1);
    EXPECT_EQ(form->FindEndOfProcedure(nullptr, 0), 2);
    EXPECT_TRUE(form->CanGetEndofProcedure(nullptr, 2, false));
    QComboBox names;
    form->List_procedure(&names);
    EXPECT_EQ(names.count(), 1);
    form->ControlAll(form->ListView1);
    EXPECT_EQ(form->ListView2->topLevelItem(0)->text(1), "Valide");
}

TEST_F(VariablesTest, OneVarOnlyAndObjectNumbers) {
    setRows({{"Variable", "X;0;Alpha;"}, {"Variable", "X;1;Alpha;"}, {"Variable", "X;2;Alpha;"},
             {"Type", "a;"}, {"Variable", "X;3;Alpha;"}});
    form->OneVarOnly("X");
    EXPECT_EQ(rowTexts(), QStringList({"Variable|X;0;Alpha;", "Type|a;"}));
    setRows({{"Objet", "3;3;"}, {"Fonction", "R;Handle;Fenêtre;3;"}, {"Objet", "Fen;3;"}, {"Type", "3;"}});
    form->Update_Objet(nullptr, 3, 7);
    EXPECT_EQ(rowTexts(), QStringList({"Objet|7;7;", "Fonction|R;Handle;Fenêtre;7;", "Objet|Fen;7;", "Type|7;"}));
}

TEST_F(VariablesTest, RenameTokens) {
    const std::vector<std::array<QString, 2>> cases = {
        {"[A]+[AB]*2", "[X]+[AB]*2"},
        {"([A])", "([X])"},
        {"Max([A],[B])=[A]", "Max([X],[B])=[X]"},
        {"[A] = 1;", "[X] = 1;"},
        {"x = [A];", "x = [X];"},
        {"'[A]'", "'[A]'"},
    };
    for (const auto& [text, expected] : cases) {
        QString result;
        TForm1::ChangeVarNameIntoSimpleText(text, "[A]", "[X]", result);
        EXPECT_EQ(result, expected) << text.toStdString();
    }
}

TEST_F(VariablesTest, RenameRewritesRowsAndGivesEditModeBack) {
    setRows({{"Variable", "[A];0;Numerique;"}, {"Calcul évolué", "[B] = [A] * 2;"}, {"Type", "[A];"},
             {"ScriptEval", "R;JScript;[A]+1;"}, {"Type", "[AB];"}});
    EXPECT_TRUE(form->ChangeVarName("[A]", "[X]", false));
    EXPECT_FALSE(form->ChangeVarName("[Q]", "[X]", false));
    EXPECT_EQ(form->ListView1->params(0), "[A];0;Numerique;");  // testing changes nothing
    RowEditing().previousParams = "kept";
    for (bool mode : {false, true}) {
        RowEditing().modifying = mode;
        setRows({{"Variable", "[A];0;Numerique;"}, {"Calcul évolué", "[B] = [A] * 2;"}, {"Type", "[A];"},
                 {"ScriptEval", "R;JScript;[A]+1;"}, {"Type", "[AB];"}});
        EXPECT_FALSE(form->ChangeVarName("[A]", "[X]", true));
        EXPECT_EQ(RowEditing().modifying, mode);
        EXPECT_EQ(RowEditing().previousParams, "kept");
    }
    EXPECT_EQ(rowTexts(), QStringList({"Variable|[X];0;Numerique;", "Calcul évolué|[B] = [X] * 2;", "Type|[X]",
                                       "ScriptEval|R;JScript;[X]+1;", "Type|[AB];"}));
}

}  // namespace
