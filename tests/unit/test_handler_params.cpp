// Handlers read their rows through the declarations: at the separator of the
// run, with a variable resolved where one may stand.
#include "core/Settings.h"
#include "tests/unit/RunTest.h"

namespace {

using Rows = QVector<QPair<QString, QString>>;

class HandlerParams : public RunTest, public ::testing::WithParamInterface<char16_t> {
protected:
    void SetUp() override {
        RunTest::SetUp();
        separator = GetParam();
        settings().Separator = separator;
    }
    void TearDown() override {
        settings().Separator = u';';
        RunTest::TearDown();
    }
    // The rows as written with ";", at this run's separator.
    Rows at(Rows rows) const {
        for (auto& row : rows) row.second.replace(u';', separator);
        return rows;
    }
    QChar separator;
};

TEST_P(HandlerParams, ReadTheirFieldsAtTheSeparatorAndResolveVariables) {
    const struct {
        const char* what;
        Rows rows;
        QString variable, expected;
    } cases[] = {
        {"Calcul: the operand is a variable",
         {{"Variable", "N;5;Numerique;"}, {"Variable", "D;3;Numerique;"}, {"Calcul", "N;+;D;"}}, "N", "8"},
        {"Examine: the operand is a variable",
         {{"Variable", "A;2;Numerique;"}, {"Variable", "B;2;Numerique;"}, {"Variable", "R;;Alpha;"},
          {"Examine", "A;=;B;"}, {"Variable", "R;vrai;Alpha;"}, {"Variable", "R;faux;Alpha;"}},
         "R", "vrai"},
        {"Fonction: its parameter is a variable",
         {{"Variable", "T;abcd;Alpha;"}, {"Variable", "L;0;Numerique;"}, {"Fonction", "L;Texte;Longueur;T;"}},
         "L", "4"},
        {"Move Mouse: the coordinates are variables",
         {{"Variable", "X;40;Numerique;"}, {"Variable", "Y;50;Numerique;"}, {"Variable", "P;;Alpha;"},
          {"Move Mouse", "X;Y;Direct;"}, {"Fonction", "P;Curseur;Position Y;"}},
         "P", "50"},
        {"Champs: the source is a variable, the third run goes into P",
         {{"Variable", "S;un deux;Alpha;"}, {"Variable", "P;;Alpha;"}, {"Champs", "S;D;;x;;;;P;3;"}}, "P", "deux"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        run(at(c.rows));
        EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
        EXPECT_EQ(var(c.variable), c.expected);
    }
}

TEST_P(HandlerParams, FilesNamedByVariablesAreWrittenAndRead) {
    run(at({{"Variable", "F;" + path("lu.txt") + ";Alpha;"},
            {"Variable", "V;;Alpha;"},
            {"Ecrire", "F;texte;;"},
            {"Lire", "F;V;1;"}}));
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    EXPECT_EQ(bytes(path("lu.txt")), "texte\r\n");
    EXPECT_EQ(var("V"), "texte");
}

INSTANTIATE_TEST_SUITE_P(Separators, HandlerParams, ::testing::Values(u';', u'#'));

}  // namespace
