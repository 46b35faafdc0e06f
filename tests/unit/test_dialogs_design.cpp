// The declared command dialog: controls built from a declaration, loaded from
// a row and joined back, lists from their sources, checks in their two modes.
#include "core/Params.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "editors/CommandDialog.h"
#include "tests/support/TestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

// A dialog of every kind of control, a choice group and two checks.
class TSampleDialog : public TCommandDialog {
public:
    explicit TSampleDialog(CheckMode mode) : TCommandDialog(90, "Essai", "Calcul", 0) {
        Declare({.size = {320, 300},
                 .controls = {{.name = "ComboBox1", .place = ParamField(1), .label = "Label1", .caption = "Variable",
                               .list = ListSource::AlphaVariables, .dropDown = AllVariables},
                              {.kind = ControlKind::Line, .name = "Edit1", .place = ParamField(3), .label = "Label2",
                               .caption = "Valeur"},
                              {.kind = ControlKind::Check, .name = "CheckBox1", .place = ParamField(4),
                               .label = "Label3", .caption = " Tabulation", .word = "Tab"},
                              {.kind = ControlKind::Spin, .name = "SpinEdit1", .place = ParamField(5)},
                              {.kind = ControlKind::Memo, .name = "Memo1", .place = ParamRest(5)},
                              {.name = "ComboBox2",
                               .list = ListSource::Labels | ListSource::Procedures | ListSource::Objects |
                                       ListSource::Items,
                               .items = {"fixe"}}},
                 .choices = {{.place = ParamField(2),
                              .choices = {{"RadioButton1", "Label4", "  Addition", "+"},
                                          {"RadioButton2", "Label5", "  Soustraction", "-"}}}},
                 .checks = {{[this] { return !text("ComboBox1").isEmpty(); }, "Il faut une variable."},
                            {[this] { return !text("Edit1").isEmpty(); }, "Il faut une valeur."}},
                 .checkMode = mode});
        ArrangeInColumn();
    }
    using TCommandDialog::BuildParams;
    QString text(const char* name) const {
        if (auto* box = findChild<QComboBox*>(name)) return box->currentText();
        return findChild<QLineEdit*>(name)->text();
    }
    template <class W>
    W* get(const char* name) const {
        W* w = findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

class DesignTest : public MainWindowTest {};

TEST(ParamCodec, ValuesComeOutAndGoBackAtTheirPlaces) {
    struct Case {
        QVector<ParamPlace> places;
        QString params;
        QStringList values;
    };
    const Case cases[] = {
        {{ParamField(1), ParamField(2), ParamField(3)}, "a;b;c;", {"a", "b", "c"}},
        {{ParamField(3), ParamField(1)}, "a;;c;", {"c", "a"}},  // a field nothing fills stays empty
        {{ParamField(1), ParamField(2), ParamField(3)}, ";;;", {"", "", ""}},
        {{ParamWhole}, "5;Sec;", {"5;Sec;"}},
        {{ParamWhole}, "texte; avec; séparateurs", {"texte; avec; séparateurs"}},
        {{ParamWhole}, "", {""}},
        {{ParamField(1), ParamField(2), ParamRest(2)}, "JScript;v;x = 1; y = 2", {"JScript", "v", "x = 1; y = 2"}},
        {{ParamField(1), ParamRest(3)}, "r;;;p1;p2;", {"r", "p1;p2;"}},
        {{ParamField(1), {}}, "a;", {"a", ""}},  // a control the dialog handles itself
        // A middle text keeps its separators; the last field follows it.
        {{ParamField(1), ParamMiddle(1), ParamLast}, "A;x;y;Alpha;", {"A", "x;y", "Alpha"}},
        {{ParamField(1), ParamMiddle(1), ParamLast}, "A;;Numerique;", {"A", "", "Numerique"}},
        {{ParamField(1), ParamMiddle(1), ParamLast}, "A;;y;;Alpha;", {"A", ";y;", "Alpha"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParamValues(c.params, c.places), c.values) << c.params.toStdString();
        EXPECT_EQ(ParamString(c.places, c.values), c.params) << c.params.toStdString();
    }
    // Fields always end with the separator, whatever the row held.
    EXPECT_EQ(ParamString({ParamField(1), ParamField(2)}, ParamValues("a;b", {ParamField(1), ParamField(2)})), "a;b;");
    settings().Separator = u'|';
    EXPECT_EQ(ParamValues("a|b;c|", {ParamField(2)}), QStringList({"b;c"}));
    EXPECT_EQ(ParamString({ParamField(1), ParamField(2)}, {"x", "y"}), "x|y|");
    settings().Separator = u';';
}

TEST_F(DesignTest, TheControlsAreBuiltAsDeclared) {
    TSampleDialog d(CheckMode::FirstFailure);
    auto* combo = d.get<TComboBox>("ComboBox1");
    EXPECT_TRUE(combo->isEditable());
    EXPECT_EQ(combo->lineEdit()->maxLength(), kMaxFieldLength);
    EXPECT_EQ(d.get<QLineEdit>("Edit1")->maxLength(), kMaxFieldLength);
    d.get<QPlainTextEdit>("Memo1");
    d.get<QSpinBox>("SpinEdit1");
    const std::pair<const char*, const char*> labels[] = {
        {"Label1", "Variable"}, {"Label2", "Valeur"}, {"Label3", " Tabulation"},
        {"Label4", "  Addition"}, {"Label5", "  Soustraction"},
    };
    for (const auto& [name, caption] : labels) EXPECT_EQ(d.get<QLabel>(name)->text(), caption);
    EXPECT_EQ(d.size(), QSize(320, 300));

    // A label clicks the button beside it.
    auto* check = d.get<QCheckBox>("CheckBox1");
    auto* minus = d.get<QRadioButton>("RadioButton2");
    emit d.get<TClickLabel>("Label3")->Click();
    emit d.get<TClickLabel>("Label5")->Click();
    EXPECT_TRUE(check->isChecked());
    EXPECT_TRUE(minus->isChecked());
    EXPECT_FALSE(d.get<QRadioButton>("RadioButton1")->isChecked());
    emit d.get<TClickLabel>("Label3")->Click();
    EXPECT_FALSE(check->isChecked());
}

TEST_F(DesignTest, ARowComesIntoTheControlsAndGoesBackUnchanged) {
    const QString rows[] = {"A;-;12;Tab;7;reste;du texte", "A;+;0;;0;", "B;-;x;Tab;32000;une ligne\net une autre"};
    TSampleDialog d(CheckMode::FirstFailure);
    for (const QString& params : rows) {
        setRows({{"Calcul", params}});
        d.ShowForModify(0);
        EXPECT_EQ(d.BuildParams(), params);
        d.Button1Click();
        EXPECT_EQ(rowTexts(), QStringList({"Calcul|" + params})) << params.toStdString();
        EXPECT_FALSE(d.isVisible());
    }
    EXPECT_TRUE(messages.shown.isEmpty());
    setRows({{"Calcul", "A;-;12;Tab;7;reste"}});
    d.ShowForModify(0);
    EXPECT_EQ(d.get<QRadioButton>("RadioButton2")->isChecked(), true);
    EXPECT_EQ(d.get<QPlainTextEdit>("Memo1")->toPlainText(), "reste");
    EXPECT_EQ(d.get<QSpinBox>("SpinEdit1")->value(), 7);
    d.close();

    // Adding: the first choice is on again, and the row gets the command's icon.
    d.ShowForAdd();
    EXPECT_TRUE(d.get<QRadioButton>("RadioButton1")->isChecked());
    d.get<QLineEdit>("Edit1")->setText("3");
    d.get<QCheckBox>("CheckBox1")->setChecked(false);
    d.get<QPlainTextEdit>("Memo1")->clear();
    d.Button1Click();
    EXPECT_EQ(rowTexts().last(), "Calcul|A;+;3;;7;");
    EXPECT_EQ(form->ListView1->icon(1), 12);
}

TEST_F(DesignTest, ListsComeFromTheirSourcesAndDropDownsKeepTheText) {
    setRows({{"Variable", "Nom;x;Alpha;"}, {"Variable", "N;0;Numerique;"}, {"Label", "Début"},
             {"Procedure", "Calculer"}, {"Procedure", "END"}, {"Objet", "Fenêtre;1;"}});
    TSampleDialog d(CheckMode::FirstFailure);
    d.ShowForAdd();
    auto* vars = d.get<TComboBox>("ComboBox1");
    auto* names = d.get<TComboBox>("ComboBox2");
    auto items = [](QComboBox* box) {
        QStringList out;
        for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
        return out;
    };
    EXPECT_EQ(items(vars), QStringList({"Nom"}));
    EXPECT_EQ(items(names), QStringList({"Début", "Calculer", "Fenêtre", "fixe"}));
    vars->setEditText("tapé");
    form->Add_commande(form->ListView1, {"Variable", "Autre;;Alpha;"});
    vars->showPopup();
    vars->hidePopup();
    EXPECT_EQ(items(vars), QStringList({"Nom", "N", "Autre"}));
    EXPECT_EQ(vars->currentText(), "tapé");
}

TEST_F(DesignTest, ChecksStopAtTheFirstFailureOrTellEveryOne) {
    struct Case {
        CheckMode mode;
        QStringList told;
    };
    const Case cases[] = {
        {CheckMode::FirstFailure, {"Il faut une variable."}},
        {CheckMode::EveryFailure, {"Il faut une variable.", "Il faut une valeur."}},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        form->ListView1->clear();
        TSampleDialog d(c.mode);
        d.ShowForAdd();
        d.get<QSpinBox>("SpinEdit1")->setValue(4);
        d.Button1Click();
        QStringList told;
        for (const MessageRequest& m : messages.shown) {
            told << m.text;
            EXPECT_EQ(m.buttons, mbOK);
            EXPECT_EQ(m.type, MsgType::Warning);
        }
        EXPECT_EQ(told, c.told);
        EXPECT_TRUE(d.isVisible());  // open, with what was typed
        EXPECT_EQ(d.get<QSpinBox>("SpinEdit1")->value(), 4);
        EXPECT_TRUE(rowTexts().isEmpty());

        d.get<TComboBox>("ComboBox1")->setEditText("V");
        d.get<QLineEdit>("Edit1")->setText("1");
        d.Button1Click();
        EXPECT_EQ(rowTexts(), QStringList({"Calcul|V;+;1;;4;"}));
    }
}

}  // namespace
