// The helper library: splitters, validators and variable lookups.
#include "core/Unit1.h"
#include "engine/mdlfnct.h"

#include "tests/support/TestSupport.h"

using namespace mdlfnct;

namespace {

template <class F>
void expectTable(F f, const std::vector<std::pair<QString, bool>>& cases) {
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(f(text), expected);
    }
}

TEST(Mdlfnct, SplitStringKeepsEmptyPieces) {
    const std::vector<std::tuple<QString, QString, QStringList>> cases = {
        {"", "\\", {}},
        {"a", "\\", {"a"}},
        {"a\\", "\\", {"a", ""}},
        {"\\a\\\\b", "\\", {"", "a", "", "b"}},
        {"a;b", ";", {"a", "b"}},
        {"a;;b", ";;", {"a;;b"}},  // a delimiter of two characters never matches
        {"/", "/", {"", ""}},
    };
    for (const auto& [text, delimiter, pieces] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(SplitString(text, delimiter), pieces);
    }
}

TEST(Mdlfnct, IsInteger) {
    expectTable(IsInteger, {
        {"", false}, {"x10", false}, {"X10", false}, {"$10", true}, {" 7", true}, {"7 ", false},
        {"-12", true}, {"+12", true}, {"0x1F", true}, {"0X1f", true}, {"-$10", true}, {"$", false},
        {"0x", false}, {"1.5", false}, {"12a", false}, {"2147483647", true}, {"2147483648", false},
        {"-2147483648", true}, {"-2147483649", false}, {"$FFFFFFFF", true}, {"$100000000", false},
        {"--1", false}, {"- 1", false}, {"٣", false},
    });
}

TEST(Mdlfnct, StrToIntOrZero) {
    const std::vector<std::pair<QString, int>> cases = {
        {"42", 42}, {" -7", -7}, {"$10", 16}, {"0x10", 16}, {"-$10", -16}, {"$FFFFFFFF", -1},
        {"abc", 0}, {"", 0}, {"x5", 0}, {"-2147483648", INT_MIN},
    };
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(StrToIntOrZero(text), value);
    }
}

TEST(Mdlfnct, IsFloat) {
    expectTable(IsFloat, {
        {"", false}, {"x1", false}, {"1", true}, {"-1.5", true}, {"+.5", true}, {"1.", true},
        {"1e5", true}, {"1.5E-3", true}, {"1e", false}, {"1,5", false}, {"$10", false},
        {" 2.5", true}, {"2.5 ", false}, {"inf", false}, {"nan", false}, {".", false}, {"1.2.3", false},
    });
}

TEST(Mdlfnct, IsValidDate) {
    expectTable(IsValidDate, {
        {"31/12/99", true}, {"32/01/99", false}, {"01/13/99", false}, {"1/1/99", false},
        {"00/00/00", true}, {"01-02-03", true}, {"ab/01/99", false}, {"01/01/999", false}, {"", false},
    });
}

TEST(Mdlfnct, IsValidFileNameFollowsLinuxRules) {
    expectTable(IsValidFileName, {
        {"/tmp/a.txt", true}, {"/a.txt", true}, {"//server/share/a.b", true}, {"/a.", true},
        {"a.txt", false},            // relative: no root where the drive stood
        {"/tmp/a", false},           // no extension
        {"/tmp.d/a", false},         // a dot in a folder is no extension
        {"/tmp/", false},            // no file name
        {"/tmp/a*.txt", false}, {"/tmp/a?.txt", false}, {"/tmp/\"a\".txt", false}, {"/tmp/a<b.txt", false},
        {"/tmp/a>b.txt", false}, {"/tmp/a|b.txt", false}, {"/tmp\\a.txt", false}, {"", false},
    });
}

TEST(Mdlfnct, IsValidPathFollowsLinuxRules) {
    expectTable(IsValidPath, {
        {"/tmp/Dossier", true}, {"/", true}, {"/tmp/a b/é", true}, {"/tmp/a>b", true},
        {"/tmp/a.b", false}, {"tmp/x", false}, {"", false}, {"/tmp/a:b", false}, {"/tmp/a*", false},
        {"/tmp/a?", false}, {"/tmp/a|b", false}, {"/tmp/a<b", false}, {"/tmp/\"a", false}, {"/tmp\\a", false},
    });
}

class MdlfnctVariables : public MainWindowTest {};

TEST_F(MdlfnctVariables, GetVarTypeReadsTheFirstDeclaration) {
    setRows({{"Variable", "A;1;Numerique;"},
             {"Variable", "B;x;Alpha;"},
             {"Variable", "A;;Alpha;"},
             {"Variable", "O;0;Objet;"},
             {"Calcul", "Z;+;1;"}});
    const std::vector<std::pair<QString, QString>> cases = {
        {"A", "Numerique"}, {"B", "Alpha"}, {"O", "Objet"}, {"Z", "No_Type"}, {"a", "No_Type"},
        {"[CLIPBOARD]", "No_Type"}, {"", "No_Type"},
    };
    for (const auto& [name, kind] : cases) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(GetVarType(name), kind);
    }
}

TEST_F(MdlfnctVariables, GetVarValueOfAnUndeclaredNameIsTheName) {
    setRows({{"Variable", "O;0;Objet;"}});
    EXPECT_EQ(GetVarValue("abc"), "abc");
    EXPECT_EQ(GetVarValue("[CLIPBOARD]"), "[CLIPBOARD]");
    EXPECT_EQ(GetVarValue("O"), "");
}

TEST_F(MdlfnctVariables, GetVarValueReadsDeclaredVariables) {
    setRows({{"Variable", "N;5;Numerique;"}, {"Variable", "T;x;Alpha;"}});
    EXPECT_EQ(GetVarValue("N"), "0");  // nothing stored yet: the numeric default
    EXPECT_EQ(GetVarValue("T"), "");
    form->WriteVariable("VAR", "N", "12");
    form->WriteVariable("VAR", "T", "abc");
    EXPECT_EQ(GetVarValue("N"), "12");
    EXPECT_EQ(GetVarValue("T"), "abc");
}

}  // namespace
