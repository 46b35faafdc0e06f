// "Calcul" and "Calcul évolué": integer operations and the expression evaluator.
#include "core/Unit1.h"
#include "tests/unit/HandlerSwap.h"
#include "core/Variables.h"
#include "editors/Unit24.h"
#include "engine/Handlers.h"
#include "core/RunState.h"

#include "tests/support/TestSupport.h"

namespace {

class Calcul : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Variables().Clear();
        RunState().MacroRunning = true;
        setRows({{"Variable", "A;5;Numerique;"},
                 {"Variable", "B;3;Numerique;"},
                 {"Variable", "Z;0;Numerique;"},
                 {"Variable", "T;ab;Alpha;"},
                 {"Variable", "U;cd;Alpha;"}});
        for (const auto& [name, value] : {std::pair{"B", "3"}, {"Z", "0"}, {"U", "cd"}}) set(name, value);
    }
    void TearDown() override {
        RunState().MacroRunning = false;
        MainWindowTest::TearDown();
    }
    void set(const QString& name, const QString& value) { form->WriteVariable("VAR", name, value); }
    QString var(const QString& name) {
        QString v;
        form->ReadVariable("VAR", name, "?", v);
        return v;
    }
    QStringList errors() const {
        QStringList out;
        for (const MessageRequest& r : messages.shown) out << r.text;
        return out;
    }
};

TEST_F(Calcul, EvolvedExpressionsGiveTheirValue) {
    struct Case {
        QString expression, result;
    };
    const Case cases[] = {
        {"A = 2 + 3 * 4", "14"}, {"A = 2 ^ 3", "8"},      {"A = 5 - - 2", "7"},   {"A + 1", "11"},
        {"A = B * B - A", "-1"}, {"A = 7 / 2", "3.5"},    {"A = 2 * -3", "-6"},   {"A = 2 * 3 * 4", "24"},
        {"A = -3 + 1", "-2"},    {"A = 1 - + 1", "0"},    {"A=10/4*2", "5"},      {"T = x + y", " x  y"},
        {"T + U", "abcd"},       {"T = U + + + U", "cd+cd"},
    };
    for (const Case& c : cases) {
        set("A", "10");
        set("T", "ab");
        const TCalculEvol calcul = TForm24::TestCalculEvol(c.expression, true);
        const QString target = c.expression.left(1);
        EXPECT_EQ(var(target), c.result) << c.expression.toStdString();
        EXPECT_EQ(calcul.Message, "") << c.expression.toStdString();
        EXPECT_FALSE(calcul.Error.failed()) << c.expression.toStdString();
    }
}

TEST_F(Calcul, CheckingFindsTheFirstProblem) {
    struct Case {
        QString expression, message, result;
    };
    const Case cases[] = {
        {"A = B * 2", "", "6"},  // declared values
        {"5 = A", "Le premier élément de l'expression doit obligatoirement être une variable.", ""},
        {"A = 1+1+1+1+1+1+1+1+1+1+1+1+1+1+1", "Expression ne peut pas contenir plus de 30 éléments (opérateurs et "
                                              "opérandes).", ""},
        {"A = x * 2", "La valeur  x  n'est pas un nombre entier.", ""},
        {"A = 2 + x", " x n'est pas une valeur numérique correct.", ""},
        {"A = 2 +", "Expression à compléter.", ""},
        {"A = 4 / 0", "Division by zero", ""},
        {"A = 4 / Z", "", "Attention au risque de division par zéro lié à la variable Z"},
    };
    for (const Case& c : cases) {
        const TCalculEvol calcul = TForm24::TestCalculEvol(c.expression, false);
        EXPECT_EQ(calcul.Message, c.message) << c.expression.toStdString();
        EXPECT_EQ(calcul.Result, c.result) << c.expression.toStdString();
    }
    EXPECT_EQ(var("A"), "?") << "checking writes nothing";
    EXPECT_EQ(TForm24::TestCalculEvol("T = x", false).Kind, "Alpha");
    // A name declared twice: checking takes the first declaration's value.
    form->Add_commande(form->ListView1, {"Variable", "B;100;Numerique;"});
    EXPECT_EQ(TForm24::TestCalculEvol("A = B * 2", false).Result, "6");
}

TEST_F(Calcul, EvolvedFaultsAtRunTime) {
    set("A", "10");
    RunRow("Calcul évolué", "A = 4 / Z");
    RunRow("Calcul évolué", "A = 10 ^ 400");
    EXPECT_EQ(var("A"), "10") << "the target keeps its value";
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.shown[0].text.contains("Division by zero"));
    EXPECT_TRUE(messages.shown[1].text.contains("Dépassement de capacité"));
}

TEST_F(Calcul, IntegerOperations) {
    struct Case {
        QString a, op, b, result;
        bool error;
    };
    const Case cases[] = {
        {"7", "/", "2", "3", false},           {"-7", "/", "2", "-3", false},
        {"7", "+", "B", "10", false},          {"7", "-", "9", "-2", false},
        {"6", "*", "-7", "-42", false},        {"7", "%", "2", "0", false},
        {"7", "/", "0", "0", true},            {"2147483647", "+", "1", "2147483647", true},
        {"-2147483648", "/", "-1", "-2147483648", true}, {"65536", "*", "65536", "65536", true},
        {"7", "+", "abc", "7", true},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        set("A", c.a);
        RunRow("Calcul", "A;" + c.op + ";" + c.b + ";");
        EXPECT_EQ(var("A"), c.result) << c.a.toStdString() << c.op.toStdString() << c.b.toStdString();
        EXPECT_EQ(messages.shown.size(), c.error ? 1 : 0) << c.a.toStdString() << c.op.toStdString();
    }
    set("T", "ab");
    RunRow("Calcul", "T;+;U;");
    EXPECT_EQ(var("T"), "abcd");
    RunRow("Calcul", "T;-;U;");
    EXPECT_EQ(var("T"), "");
}

TEST_F(Calcul, ExamineComparesByKind) {
    set("A", "10");
    set("T", "abc");
    struct Case {
        QString params;
        bool result;
    };
    const Case cases[] = {
        {"abc;<;abd;", true}, {"10;=;A;", true},  {"A;<>;10;", false}, {"A;>;9;", true},
        {"T;=;abc;", true},   {"T;=;ABC;", false}, {"abc;=;10;", false}, {"A;=;x10;", false},
        {"A;=>;10;", false},  {"T;>;abb;", true},
    };
    for (const Case& c : cases) EXPECT_EQ(ExamineHolds(Runner->Context(), c.params), c.result) << c.params.toStdString();
}

}  // namespace
