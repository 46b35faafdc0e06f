#include "core/Settings.h"
#include "core/Unit1.h"
#include "engine/mdlfnct.h"

#include "tests/support/TestSupport.h"

namespace {

QStringList fieldsOf(const TParamFields& f, int upTo) {
    QStringList out;
    for (int i = 1; i <= upTo; ++i) out << f[i];
    return out;
}

struct SplitCase {
    QString text;
    int count;
    QStringList fields;  // fields 1..count-1
};

TEST(GetParam, SplitsLikeTheEditor) {
    const QString many = QString("f;").repeated(25);
    const QStringList nineteen(19, "f");
    const std::vector<SplitCase> cases = {
        {"", 1, {}},
        {"a", 2, {"a"}},
        {"a;", 2, {"a"}},
        {"a;b", 3, {"a", "b"}},
        {"a;b;", 3, {"a", "b"}},
        {"a;;b;", 4, {"a", "", "b"}},
        {";", 2, {""}},
        {"500;MilliSec;", 3, {"500", "MilliSec"}},
        {many, 20, nineteen},
        {QString("f;").repeated(19) + "g", 21, QStringList(nineteen) << QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const TParamFields f = TForm1::GetParam(c.text);
        EXPECT_EQ(f.Count, c.count);
        EXPECT_EQ(fieldsOf(f, c.count - 1), c.fields);
        EXPECT_TRUE(f[20].isEmpty());
    }
}

TEST(GetParam, CutsLongFieldsAt255) {
    const TParamFields f = TForm1::GetParam(QString(300, 'x') + ";b;");
    EXPECT_EQ(f[1].size(), 255);
    EXPECT_EQ(f[2], "b");
}

TEST(GetParam, UsesTheConfiguredSeparator) {
    settings().Separator = u'#';
    const TParamFields f = TForm1::GetParam("a;b#c#");
    settings().Separator = u';';
    EXPECT_EQ(f.Count, 3);
    EXPECT_EQ(f[1], "a;b");
}

TEST(GetParamToStr, JoinsBack) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"", ""}, {"a", "a"}, {"a;", "a"}, {"a;b", "a;b;"}, {"a;b;", "a;b;"}, {"a;;b;", "a;;b;"},
    };
    for (const auto& [in, out] : cases) {
        QString s;
        TForm1::GetParamToStr(TForm1::GetParam(in), s);
        EXPECT_EQ(s, out) << in.toStdString();
    }
}

TEST(SplitParams, DiffersFromGetParamOnEmptyAndLongTexts) {
    const std::vector<SplitCase> cases = {
        {"", 2, {""}},
        {"a", 2, {"a"}},
        {"a;b", 3, {"a", "b"}},
        {"a;b;", 3, {"a", "b"}},
        {"a;;b;", 4, {"a", "", "b"}},
        {QString("f;").repeated(20), 21, QStringList(20, "f")},
        {QString("f;").repeated(25), 22, QStringList(21, "f").mid(0, 20) << QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const TParamFields f = SplitFields(c.text, u';', SplitRule::Runner);
        EXPECT_EQ(f.Count, c.count);
        EXPECT_EQ(fieldsOf(f, qMin(c.count - 1, 20)), c.fields.mid(0, qMin(c.count - 1, 20)));
    }
}

QStringList allFieldsOf(const TParamFields& f) {
    QStringList out;
    for (int i = 1; i < f.Count && i <= kMaxParamFields; ++i) out << f[i];
    return out;
}

TEST(SplitFields, CountsTheFieldsFound) {
    const QString twenty = QString("f;").repeated(20);
    const struct {
        QString text;
        QChar separator;
        int count;
        QStringList fields;
    } cases[] = {
        {"", u';', 1, {}},
        {"a", u';', 2, {"a"}},
        {"a;", u';', 2, {"a"}},
        {";", u';', 2, {""}},
        {";;", u';', 3, {"", ""}},
        {"a;;b;", u';', 4, {"a", "", "b"}},
        {"a;b#c#", u'#', 3, {"a;b", "c"}},
        {twenty, u';', 21, QStringList(20, "f")},
        {twenty + "g", u';', 22, QStringList(20, "f")},
        {twenty + "g;h;", u';', 22, QStringList(20, "f")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const TParamFields f = SplitFields(c.text, c.separator);
        EXPECT_EQ(f.Count, c.count);
        EXPECT_EQ(allFieldsOf(f), c.fields);
    }
    EXPECT_EQ(SplitFields(QString(300, 'x') + ";b", u';')[1].size(), kMaxFieldLength);
}

// The editor's and the runner's rules are the one splitter's, but for the
// empty text and the fields past the 19th.
TEST(SplitFields, TheOldRulesDifferOnlyWhereTheyAlwaysDid) {
    const QString nineteen = QString("f;").repeated(19);
    for (const QString& text : {QString("a"), QString("a;;b;"), QString(";"), nineteen, nineteen + "g"}) {
        SCOPED_TRACE(text.toStdString());
        const TParamFields one = SplitFields(text, ParamSeparator());
        const TParamFields editor = TForm1::GetParam(text);
        const TParamFields runner = SplitFields(text, ParamSeparator(), SplitRule::Runner);
        for (int i = 1; i < kMaxParamFields; ++i) {
            EXPECT_EQ(editor[i], one[i]);
            EXPECT_EQ(runner[i], one[i]);
        }
        EXPECT_EQ(runner.Count, one.Count);
    }
    EXPECT_EQ(TForm1::GetParam(nineteen + "g")[20], "");
    EXPECT_EQ(SplitFields(nineteen + "g", u';')[20], "g");
    EXPECT_EQ(TForm1::GetParam("").Count, 1);
    EXPECT_EQ(SplitFields(u"", u';', SplitRule::Runner).Count, 2);
}

// Each rule splits at the separator given, the editor's where it looks at the text's end too.
TEST(SplitFields, EveryRuleSplitsAtTheSeparatorGiven) {
    const QString twenty = QString("f;").repeated(20);
    const struct {
        QString text;
        SplitRule rule;
        int count;
        QString second, twentieth;
    } cases[] = {
        {"", SplitRule::Found, 1, "", ""},          {"", SplitRule::Runner, 2, "", ""},
        {"", SplitRule::Editor, 1, "", ""},         {"a;b;", SplitRule::Editor, 3, "b", ""},
        {twenty, SplitRule::Found, 21, "f", "f"},   {twenty, SplitRule::Editor, 20, "f", ""},
        {twenty + "g", SplitRule::Runner, 22, "f", "f"}, {twenty + "g", SplitRule::Editor, 21, "f", ""},
    };
    for (const QChar separator : {QChar(u';'), QChar(u'#')}) {
        for (const auto& c : cases) {
            const QString text = QString(c.text).replace(u';', separator);
            SCOPED_TRACE(text.toStdString());
            const TParamFields f = SplitFields(text, separator, c.rule);
            EXPECT_EQ(f.Count, c.count);
            EXPECT_EQ(f[2], c.second);
            EXPECT_EQ(f[20], c.twentieth);
        }
    }
    EXPECT_EQ(SplitFields(u"a;b#c#", u'#', SplitRule::Editor)[1], "a;b");
}

TEST(ParamPlaces, ReadTheirPartOfTheText) {
    const QString text = "a;b;c;d;";
    const TParamFields f = SplitFields(text, u';');
    const std::pair<ParamPlace, QString> cases[] = {
        {ParamField(2), "b"}, {ParamField(21), ""},  {ParamRest(1), "b;c;d;"}, {ParamRest(5), ""},
        {ParamWhole, text},   {ParamMiddle(1), "b;c"}, {ParamLast, "d"},        {ParamPlace{}, ""},
    };
    for (const auto& [place, value] : cases) EXPECT_EQ(ValueAt(text, f, place, u';'), value) << int(place.kind);
}

TEST(TextToBool, OnlyExactTrue) {
    for (const char* t : {"False", "true", "TRUE", "1", "", " True"}) EXPECT_FALSE(TForm1::TextToBool(t)) << t;
    EXPECT_TRUE(TForm1::TextToBool("True"));
    EXPECT_EQ(TForm1::BoolToText(true), "True");
    EXPECT_EQ(TForm1::BoolToText(false), "False");
}

TEST(CommandIcons, FollowTheKeywordTable) {
    const std::vector<std::pair<QString, int>> cases = {
        {"Goto", 8},         {"Procedure", 28}, {"Type", 0},      {"Lire", 16},       {"Ecrire", 16},
        {"Calcul évolué", 26}, {"Outil Répertoire", 20}, {"Quitter", 14}, {"Inclusion", 29}, {"Message", 30},
        {"goto", -1},        {"MonPlugin", -1}, {"", -1},
    };
    for (const auto& [k, icon] : cases) EXPECT_EQ(TForm1::GetImageIndexOfText(k), icon) << k.toStdString();
}

}  // namespace
