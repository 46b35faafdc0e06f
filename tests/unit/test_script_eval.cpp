// "ScriptEval" rows at run time: values in variables, conditions, errors.
#include "core/MacroList.h"
#include "core/RunState.h"
#include "core/ScriptText.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/ScriptControl.h"
#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"

#include "tests/support/TestSupport.h"
#include "tests/unit/HandlerSwap.h"

#include <QElapsedTimer>
#include <QTextEdit>

namespace {

platform::FakePlatform& fake() { return static_cast<platform::FakePlatform&>(platform::desktop()); }

QStringList ran;  // the "Commentaire" rows that ran, by number
CommandResult recordingComment(CommandCall& c) { ran << QString::number(c.index + 1); return Done(); }

class ScriptRun : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ran.clear();
        Variables().Clear();
        RunState().MacroRunning = RunState().RunEndedInError = false;
        settings().GeneralActive = false;
        settings().CheckBeforeRun = false;
        fake().typed.clear();
    }
    void run(const QVector<QPair<QString, QString>>& rows) {
        setRows(rows);
        form->Execute(form, false, 0);
    }
    QString var(const QString& name) {
        QString v;
        form->ReadVariable("VAR", name, "?", v);
        return v;
    }
    QString report() const { return form->RichEdit1->toPlainText(); }
};

const QPair<QString, QString> kOnlyReport{"Variable", "[ERROR.ADAPTATOR];4;Numerique;"};

TEST_F(ScriptRun, NumbersAndTextsGoIntoTheResultVariable) {
    struct Case {
        QString params;
        QString result;
        bool numbers = false;  // x, xy and neg declared
    };
    const Case cases[] = {
        {"JScript;R;Math.max(3,7)*2", "14"},
        {"VBScript;R;Len(\"abc\") & \"-\" & UCase(\"x\")", "3-X"},
        {"JScript;R;xy * 10 + x", "52", true},  // xy is not read as x followed by y
        {"VBScript;R;xy * 10 + x", "52", true},
        {"JScript;R;neg * neg", "9", true},  // a negative value stays one number
        {"VBScript;R;neg ^ 2", "9", true},
        {"JScript;R;'a;b'.length", "3"},  // the expression runs to the end of the row
        {"JScript;R;Math.max(3,7)*2", "14", true},  // x is no part of "max"
        {"VBScript;R;Trim(\" a \") & x & \"x_1\"", "a2x_1", true},  // nor of "Trim" nor of "x_1"
        {"JScript;R;undefined", ""},
        {"VBScript;R;Year(#2024-01-31#)", "2024"},  // the language's built-in functions and date literals
        {"VBScript;R;DateDiff(\"d\", DateSerial(2024, 1, 1), #2024-03-01#)", "60"},
        {"VBScript;R;Weekday(#2024-01-31#) & \" \" & Hex(255) & Space(1) & Sgn(-4)", "4 FF -1"},
        {"VBScript;R;FormatNumber(1234.5, 2)", "1,234.50"},
        {"VBScript;R;Null", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.params.toStdString());
        Variables().Clear();
        QVector<QPair<QString, QString>> rows{{"Variable", "R;avant;Alpha;"}, {"ScriptEval", c.params}};
        if (c.numbers)
            rows = QVector<QPair<QString, QString>>{{"Variable", "x;2;Numerique;"},
                                                    {"Variable", "xy;5;Numerique;"},
                                                    {"Variable", "neg;-3;Numerique;"}} + rows;
        run(rows);
        EXPECT_EQ(var("R"), c.result);
        EXPECT_FALSE(RunState().RunEndedInError);
    }
}

// A text value enters as a literal: quotes and backslashes come back unchanged.
TEST_F(ScriptRun, TextValuesCannotBreakTheExpression) {
    for (const char* language : {"JScript", "VBScript"}) {
        SCOPED_TRACE(language);
        fake().typed.clear();
        Variables().Clear();
        run({{"Variable", "T;a\"b\\c;Alpha;"},
             {"Variable", "R;;Alpha;"},
             {"ScriptEval", QString("%1;R;T").arg(language)},
             {"Type", "R"}});
        EXPECT_EQ(fake().typed, "a\"b\\c");
        EXPECT_FALSE(RunState().RunEndedInError);
    }
    // A value written as code stays a text.
    Variables().Clear();
    run({{"Variable", "T;\" + (injected = 1) + \";Alpha;"}, {"Variable", "R;;Alpha;"},
         {"ScriptEval", "JScript;R;T"}, {"ScriptEval", "JScript;R;typeof injected"}});
    EXPECT_EQ(var("R"), "undefined");
}

TEST_F(ScriptRun, ABooleanBranchesLikeExamineAndStoresNothing) {
    HandlerSwap comment(15, recordingComment);
    struct Case {
        QString params;
        QString ran;
    };
    const Case cases[] = {{"VBScript;R;1<2", "3"},
                          {"VBScript;R;1>2", "4"},
                          {"VBScript;R;IsNumeric(\"12\")", "3"},
                          {"JScript;R;3 === 3", "3"},
                          {"JScript;R;!true", "4"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.params.toStdString());
        ran.clear();
        Variables().Clear();
        run({{"Variable", "R;garde;Alpha;"}, {"ScriptEval", c.params}, {"Commentaire", "alors"}, {"Commentaire", "sinon"}});
        EXPECT_EQ(ran.join(' '), c.ran);
        EXPECT_EQ(var("R"), "garde");
    }
}

// True: the next row runs; a chained condition after it and its two rows are skipped once.
TEST_F(ScriptRun, AChainedConditionIsSkippedWithItsRows) {
    HandlerSwap comment(15, recordingComment);
    run({{"ScriptEval", "JScript;R;true"},
         {"Commentaire", "a"},
         {"ScriptEval", "JScript;R;true"},
         {"Commentaire", "b"},
         {"Commentaire", "c"},
         {"Commentaire", "d"}});
    EXPECT_EQ(ran.join(' '), "2 6");
}

// The condition is decided by the one evaluation: its side effect happens once.
TEST_F(ScriptRun, AConditionIsEvaluatedOnce) {
    HandlerSwap comment(15, recordingComment);
    run({{"Variable", "K;;Alpha;"},
         {"ScriptEval", "JScript;K;k = 0"},
         {"ScriptEval", "JScript;K;k++ < 1"},
         {"Commentaire", "alors"},
         {"Commentaire", "sinon"},
         {"ScriptEval", "JScript;K;k"}});
    EXPECT_EQ(ran.join(' '), "4");
    EXPECT_EQ(var("K"), "1");
}

// What a script defines stays for the next row; "result" is reset before each.
TEST_F(ScriptRun, ScriptStateLastsButResultIsReset) {
    run({{"Variable", "R;;Alpha;"},
         {"Variable", "S;;Alpha;"},
         {"ScriptEval", "JScript;R;var kept = 41"},
         {"ScriptEval", "JScript;R;kept + 1"},
         {"ScriptEval", "JScript;S;result = 'x'"},
         {"ScriptEval", "JScript;S;result"}});
    EXPECT_EQ(var("R"), "42");
    EXPECT_EQ(var("S"), "");
}

TEST_F(ScriptRun, FailuresAreRunTimeErrorsAndWriteNothing) {
    struct Case {
        QString params;
        QString message;
    };
    const Case cases[] = {
        {"VBScript;R;1/0", "Division par zéro. code [11]"},
        {"VBScript;R;Len(", "Erreur de syntaxe. code [1002]"},
        {"VBScript;R;CInt(\"x\")", "Type incompatible. code [13]"},
        {"VBScript;R;Split(\"a b\")", "Type incompatible. code [13]"},  // an array is no text
        {"JScript;R;nowhere + 1", "ReferenceError: nowhere is not defined. code [5009]"},
        {"JScript;R;1 +* 2", ". code [1002]"},
        {"JScript;R;throw 'à moi'", "à moi. code [0]"},
        {"Python;R;1", "Aucun moteur de script pour le langage « Python ». code [0]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.params.toStdString());
        Variables().Clear();
        form->RichEdit1->clear();
        run({kOnlyReport, {"Variable", "R;avant;Alpha;"}, {"ScriptEval", c.params}, {"Variable", "Après;1;Numerique;"}});
        EXPECT_TRUE(report().contains(c.message)) << report().toStdString();
        EXPECT_EQ(var("R"), "avant");
        EXPECT_EQ(var("Après"), "1");  // "[ERROR.ADAPTATOR]" 4: the run goes on
        EXPECT_TRUE(var("[ERROR]").endsWith(c.message));
    }
}

TEST_F(ScriptRun, AnEndlessScriptIsInterrupted) {
    QElapsedTimer elapsed;
    elapsed.start();
    run({kOnlyReport, {"Variable", "R;avant;Alpha;"}, {"ScriptEval", "JScript;R;while(true){}"},
         {"Variable", "Après;1;Numerique;"}, {"ScriptEval", "JScript;R;6*7"}});
    EXPECT_LT(elapsed.elapsed(), 15000);
    EXPECT_TRUE(report().contains("Le script ne s'est pas terminé en 5 s : il a été interrompu. code [0]"))
        << report().toStdString();
    EXPECT_EQ(var("Après"), "1");
    EXPECT_EQ(var("R"), "42");  // the engine works again after the interruption
}

// In a sub-macro the variables of the list being run are substituted.
TEST_F(ScriptRun, ASubMacroSubstitutesItsOwnVariables) {
    setRows({{"Variable", "A;1;Numerique;"}, {"Variable", "R;;Alpha;"}});
    TMacroDocument sub;
    sub.add({"Variable", "B;2;Numerique;", 4});
    sub.add({"Variable", "R;;Alpha;", 4});
    RunState().SubMacroList = &sub;
    form->WriteVariable("VAR", "B", "7");
    EXPECT_EQ(MSScriptEval(Runner->Context(), "JScript;R;B * 10", nullptr).toString(), "70");
    RunState().SubMacroList = nullptr;
}

// The checker's test evaluation: dummy values, an engine apart from the run's.
TEST_F(ScriptRun, TheTestEvaluationRunsApart) {
    setRows({{"Variable", "N;5;Numerique;"},
             {"ScriptEval", "JScript;R;N > 2"},
             {"ScriptEval", "VBScript;R;N + 1"},
             {"ScriptEval", "JScript;R;(checkedOnly = 1) < 2"},
             {"ScriptEval", "JScript;R;1 +"}});
    const TMacroDocument* list = form->Macro;
    EXPECT_TRUE(TestScriptExpression(list, 1));
    EXPECT_FALSE(TestScriptExpression(list, 2));
    EXPECT_TRUE(TestScriptExpression(list, 3));
    EXPECT_THROW(TestScriptExpression(list, 4), EScriptError);
    EXPECT_EQ(MSScriptEval(Runner->Context(), "JScript;R;typeof checkedOnly", nullptr).toString(), "undefined");
}

TEST(ScriptText, LiteralsAndSubstitution) {
    EXPECT_EQ(ScriptLiteral(ScriptLanguage::JScript, "a\"b\\c\nd", false), "\"a\\\"b\\\\c\\nd\"");
    EXPECT_EQ(ScriptLiteral(ScriptLanguage::VBScript, "a\"b\\c", false), "\"a\"\"b\\c\"");
    EXPECT_EQ(ScriptLiteral(ScriptLanguage::JScript, "007", true), "7");
    EXPECT_EQ(ScriptLiteral(ScriptLanguage::VBScript, "-1.5", true), "(-1.5)");
    EXPECT_EQ(ScriptLiteral(ScriptLanguage::JScript, "1+1", true), "\"1+1\"");  // not a number: a text
    const ScriptVariables variables{{"x", "xy", false}, {"xy", "2", true}, {"T", "t", false}, {"<V>", "3", true}};
    const auto substituted = [&](const QString& expression) {
        return SubstituteVariables(ScriptLanguage::VBScript, expression, variables);
    };
    EXPECT_EQ(substituted("x + xy + yx + x1 + _x + x_"), "\"xy\" + 2 + yx + x1 + _x + x_");
    EXPECT_EQ(substituted("Math.max(x,xy)*2"), "Math.max(\"xy\",2)*2");
    EXPECT_EQ(substituted("Trim(T) & T2 & (T)"), "Trim(\"t\") & T2 & (\"t\")");
    EXPECT_EQ(substituted("a<V>+<V>b"), "a3+3b");  // a name ending in a bracket stands whole at that end
    EXPECT_EQ(substituted("éx + xé"), "éx + xé");  // accented letters are letters
    EXPECT_EQ(ScriptExpressionOf("JScript;R;a;b"), "a;b");
}

}  // namespace
