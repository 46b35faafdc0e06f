#include "test_history_fixture.h"

#include "core/FileDialog.h"
#include "core/Inclusions.h"
#include "core/MacroFileRecord.h"

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
        for (const auto& e : form->Macro->Includes)
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
        EXPECT_TRUE(form->Macro->Includes.isEmpty());
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
    EXPECT_FALSE(form->LoadInclusions());
    EXPECT_EQ(rowTexts(), QStringList({"Type|s;", "Inclusion|" + self, "Type|q;", "Inclusion|" + p}));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains("s'inclut lui-même"));
    form->UnloadInclusions();
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

// Folding back takes exactly the rows the expansion inserted, wherever the
// user's edits moved them: a row of the user's own is never deleted.
TEST_F(InclusionsTest, EditsBetweenExpandingAndFoldingKeepTheUsersRows) {
    const QString a = macro("a.mcr", numbered("a", 3));
    addRows({{"Type", "x;"}, {"Inclusion", a}, {"Pause", "1;"}});
    form->Charger1Click();
    EXPECT_EQ(form->StatusPanel[3]->text(), "Ligne 0/5");
    select({0});
    form->Supprimer1Click();  // the user's first row
    addAt(2, "Type", "u;");    // a row of the user's own among the included ones
    select({3});
    form->Supprimer1Click();  // an included row: simply not there to fold any more
    select({0});
    form->Descendredunniveau1Click();  // an included row moved below the user's
    EXPECT_EQ(rowTexts(), QStringList({"Type|a2;", "Type|a1;", "Type|u;", "Pause|1;"}));
    form->Dcharger1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Inclusion|" + a, "Type|u;", "Pause|1;"}));
    EXPECT_EQ(form->StatusPanel[3]->text().section('/', 1), "3");
    EXPECT_TRUE(form->Macro->Includes.isEmpty());
}

TEST_F(InclusionsTest, AFoldedNestedInclusionFoldsWithItsParent) {
    const QString c = macro("c.mcr", numbered("c", 2));
    const QString b = macro("b.mcr", {{"Type", "b1;"}, {"Inclusion", c}});
    addRows({{"Inclusion", b}, {"Label", "L;"}});
    form->Charger1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Type|b1;", "Type|c1;", "Type|c2;", "Label|L;"}));
    select({3});
    form->Supprimer1Click();
    form->Dcharger1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Inclusion|" + b}));
}

// A macro that includes itself is found before anything is inserted.
TEST_F(InclusionsTest, AMacroIncludingItselfIsNotExpandedAtAll) {
    const QString self = QDir(home.path()).filePath("moi.mcr");
    macro("moi.mcr", {{"Type", "s;"}, {"Inclusion", self}});
    form->OpenFileMacro(self, form->ListView1, QString(), -1);
    messages.shown.clear();
    EXPECT_FALSE(form->LoadInclusions());
    EXPECT_EQ(rowTexts(), QStringList({"Type|s;", "Inclusion|" + self}));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains("s'inclut lui-même"));
}

// Ctrl+S always saves: the file gets the folded rows; outside a run the list
// folds back, during one it stays as the run needs it.
TEST_F(InclusionsTest, SavingWhileExpandedWritesTheFoldedMacro) {
    const QString a = macro("a.mcr", numbered("a", 2));
    const QString file = QDir(home.path()).filePath("m.mcr");
    addRows({{"Type", "x;"}, {"Inclusion", a}});
    form->SaveDialog1->FileName = file;
    const QStringList folded = rowTexts();
    auto saved = [&] {
        TMacroFileData data;
        EXPECT_TRUE(data.load(file, nullptr));
        QStringList out;
        for (int i = 0; i < data.count(); ++i) out << data.record(i, false).keyword + u'|' + data.record(i, false).params;
        return out;
    };
    for (int state : {1, 0}) {
        QFile::remove(file);
        form->Charger1Click();
        RunState().ExecState = state;
        form->Enregistrer1Click();
        RunState().ExecState = 0;
        EXPECT_EQ(saved(), folded) << state;
        EXPECT_EQ(form->Macro->Includes.isEmpty(), state == 0) << state;
        EXPECT_FALSE(form->MacroChange()) << state;
        form->Dcharger1Click();
    }
    EXPECT_EQ(rowTexts(), folded);
}

}  // namespace
