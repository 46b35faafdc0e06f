#include "test_history_fixture.h"

#include "core/Inclusions.h"

#include <QDir>
#include <QFile>

namespace {

using Rows = QVector<QPair<QString, QString>>;

class InclusionsTest : public EditingTest {
protected:
    QString macro(const QString& name, const Rows& rows) {
        const QString path = QDir(home.path()).filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        for (const auto& [k, p] : rows) f.write(TMacroFileRecord{k, p}.toBytes());
        return path;
    }
    static Rows numbered(const QString& prefix, int n) {
        Rows rows;
        for (int i = 1; i <= n; ++i) rows.append({"Type", prefix + QString::number(i) + ";"});
        return rows;
    }
    QStringList tableTexts() const {
        QStringList out;
        for (const auto& e : form->TabOfInclude)
            out << QDir(home.path()).relativeFilePath(e.fileName) + QStringLiteral(" %1 %2").arg(e.row).arg(e.count);
        return out;
    }
    // Expands, checks, folds: the list comes back row for row, icons included, without history.
    void expandAndFold(const QStringList& expanded, const QStringList& table) {
        const QVector<MacroCommand> before = form->ListView1->items().rows();
        const int historyRows = form->ListView4->count();
        form->Charger1Click();
        EXPECT_EQ(rowTexts(), expanded);
        EXPECT_EQ(tableTexts(), table);
        form->Dcharger1Click();
        EXPECT_EQ(form->ListView1->items().rows(), before);
        EXPECT_TRUE(form->TabOfInclude.isEmpty());
        EXPECT_EQ(form->ListView4->count(), historyRows);
    }
    void addRows(const Rows& rows) {
        for (const auto& [k, p] : rows) form->ListView1->add({k, p, TForm1::GetImageIndexOfText(k)});
    }
};

TEST_F(InclusionsTest, FilesOfThreeAndFiveRowsGrowTheListAndFoldBack) {
    const QString a = macro("a.mcr", numbered("a", 3));
    const QString b = macro("b.mcr", numbered("b", 5));
    addRows({{"Type", "x;"}, {"Inclusion", a}, {"Pause", "1;"}, {"Inclusion", b}, {"Label", "L;"}});
    EXPECT_EQ(form->ListView1->icon(1), kInclusionIcon);
    expandAndFold({"Type|x;", "Type|a1;", "Type|a2;", "Type|a3;", "Pause|1;", "Type|b1;", "Type|b2;", "Type|b3;",
                   "Type|b4;", "Type|b5;", "Label|L;"},
                  {"a.mcr 1 3", "b.mcr 5 5"});
}

TEST_F(InclusionsTest, NestedInclusionsExpandTwoDeepFirstRowsIncluded) {
    const QString c = macro("c.mcr", numbered("c", 2));
    const QString b = macro("b.mcr", {{"Inclusion", c}, {"Type", "b2;"}, {"Inclusion", c}});
    const QString a = macro("a.mcr", {{"Type", "a1;"}, {"Inclusion", b}});
    addRows({{"Inclusion", a}, {"Label", "L;"}});
    expandAndFold({"Type|a1;", "Type|c1;", "Type|c2;", "Type|b2;", "Type|c1;", "Type|c2;", "Label|L;"},
                  {"a.mcr 0 2", "b.mcr 1 3", "c.mcr 1 2", "c.mcr 4 2"});
}

TEST_F(InclusionsTest, LoopsEndWithAMessage) {
    const QString self = QDir(home.path()).filePath("self.mcr");
    macro("self.mcr", {{"Type", "s;"}, {"Inclusion", self}});
    const QString p = QDir(home.path()).filePath("p.mcr");
    const QString q = macro("q.mcr", {{"Type", "q;"}, {"Inclusion", p}});
    macro("p.mcr", {{"Inclusion", q}});
    addRows({{"Inclusion", self}, {"Inclusion", p}});
    const QStringList before = rowTexts();
    EXPECT_FALSE(form->LoadInclusions(form->TabOfInclude, form->ListView1));
    EXPECT_EQ(rowTexts(), QStringList({"Type|s;", "Inclusion|" + self, "Type|q;", "Inclusion|" + p}));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains("s'inclut lui-même"));
    form->UnloadInclusions(form->TabOfInclude, form->ListView1);
    EXPECT_EQ(rowTexts(), before);
}

TEST_F(InclusionsTest, MissingAndEmptyFiles) {
    const QString empty = macro("vide.mcr", {});
    const QString missing = QDir(home.path()).filePath("absent.mcr");
    addRows({{"Inclusion", missing}, {"Inclusion", empty}, {"Type", "t;"}});
    expandAndFold({"Inclusion|" + missing, "Type|t;"}, {"vide.mcr 1 0"});
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(InclusionsTest, ExpandingAgainFoldsFirst) {
    const QString a = macro("a.mcr", numbered("a", 3));
    addRows({{"Inclusion", a}});
    form->Charger1Click();
    form->Charger1Click();
    EXPECT_EQ(form->ListView1->count(), 3);
    EXPECT_EQ(tableTexts(), QStringList({"a.mcr 0 3"}));
    form->Dcharger1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Inclusion|" + a}));
}

}  // namespace
