// The map-file reader, the crash report and the internal-error window.
#include "tests/support/TestServices.h"
#include "core/CrashReport.h"
#include "core/MapFile.h"
#include "core/Unit1.h"
#include "core/Unit34.h"
#include "core/Variables.h"
#include "core/RunState.h"

#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <dlfcn.h>
#include <stdexcept>

using namespace uDebugEx;

namespace {

const char kMap[] = R"(
 Start         Length     Name                   Class
 0001:00000000 00001000H .text                  CODE

Detailed map of segments

 0001:00000000 00000100 C=CODE     S=.text    G=(none)   M=UnitA ACBP=A9
 0001:00000100 00000100 C=CODE     S=.text    G=(none)   M=UnitB ACBP=A9
 0002:00000000 00000500 C=DATA     S=.data    G=DGROUP   M=UnitD ACBP=A9

  Address         Publics by Name

 0001:00000005       ByName

  Address         Publics by Value

 0001:00000010       ProcA
 0001:00000080       ProcA2
 0002:00000090       DataSym
 0001:00000120       TForm1::ProcB(int, bool)

Line numbers for UnitA(UnitA.cpp) segment .text

    10 0001:00000010    11 0001:00000020    12 0001:00000030

Line numbers for UnitB(UnitB.cpp) segment .text

    40 0001:00000110    41 0001:00000140
)";

class MapFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QFile f(dir.filePath("test.map"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kMap);
    }
    void TearDown() override { FreeMapFile(); }
    QTemporaryDir dir;
};

TEST_F(MapFile, Lookups) {
    ASSERT_TRUE(LoadMapFile(dir.filePath("test.map")));
    struct Case {
        qint64 offset;
        QString unit, procedure, line;
    };
    const std::vector<Case> cases = {
        {0x05, "UnitA", "", ""},            // before the first line record of its unit
        {0x10, "UnitA", "ProcA", "10"},     // the exact start of a line reports that line
        {0x15, "UnitA", "ProcA", "10"},
        {0x20, "UnitA", "ProcA", "11"},
        {0x85, "UnitA", "ProcA2", "12"},    // past the unit's last record, still inside the unit
        {0x95, "UnitA", "ProcA2", "12"},    // the data symbol is not a procedure
        {0x140, "UnitB", "TForm1::ProcB(int, bool)", "41"},
        {0x300, "", "TForm1::ProcB(int, bool)", ""},  // in no unit
        {-1, "", "", ""},                    // below the code base
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        QString unit, procedure;
        AddressToUnit(c.offset, unit);
        AddressToProcedure(c.offset, procedure);
        EXPECT_EQ(unit, c.unit);
        EXPECT_EQ(procedure, c.procedure);
        EXPECT_EQ(AddressToUnitLine(c.offset), c.line);
    }
}

TEST_F(MapFile, MissingOrIncompleteMaps) {
    EXPECT_FALSE(LoadMapFile(dir.filePath("absent.map")));
    QString unit = "inchangé";
    AddressToUnit(0x10, unit);
    EXPECT_EQ(unit, "inchangé");
    EXPECT_EQ(AddressToUnitLine(0x10), "");
    QFile f(dir.filePath("segments.map"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Detailed map of segments\n 0001:00000000 00000100 C=CODE S=.text G=(none) M=UnitA ACBP=A9\n");
    f.close();
    EXPECT_FALSE(LoadMapFile(dir.filePath("segments.map")));
}

TEST(MapFileAddress, OffsetsCountFromTheCodeBase) {
    Dl_info info{};
    ASSERT_TRUE(dladdr(reinterpret_cast<void*>(&AddressToMapOffset), &info));
    const auto base = reinterpret_cast<quintptr>(info.dli_fbase);
    EXPECT_EQ(AddressToMapOffset(base + 0x1000), 0);
    EXPECT_EQ(AddressToMapOffset(base + 0x1234), 0x234);
    EXPECT_EQ(AddressToMapOffset(base + 0xFFF), -1);
}

TEST(MapFileAddress, ThrowsAreLocated) {
    try {
        throw std::runtime_error("test");
    } catch (const std::exception&) {
    }
    Dl_info info{};
    ASSERT_TRUE(dladdr(reinterpret_cast<void*>(LastThrowAddress()), &info));
    EXPECT_TRUE(QString::fromLocal8Bit(info.dli_fname).endsWith("unit_tests"));
}

// The map the build writes beside the program names its own functions.
TEST(ProgramMap, NamesTheProgramsFunctions) {
    const QString path = QCoreApplication::applicationDirPath() + "/../bin/orvanel.map";
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) GTEST_SKIP() << "no program map (build the program first)";
    const QString text = QString::fromUtf8(f.readAll());
    const QRegularExpressionMatch m =
        QRegularExpression(" 0001:([0-9A-F]{8})       TRunner::Stop1Click\\(\\)\n").match(text);
    ASSERT_TRUE(m.hasMatch());
    const QRegularExpressionMatch unit =
        QRegularExpression("Line numbers for Runner\\(([^)]*)\\) segment").match(text);
    // A build without line tables (Release) names no source file.
    if (!unit.hasMatch()) GTEST_SKIP() << "the program was built without line tables";
    // A relative source path is the compiler's, from the build folder.
    QFile source(QDir(QCoreApplication::applicationDirPath() + "/..").filePath(unit.captured(1)));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(source.readAll()).split(u'\n');
    const int declared = int(lines.indexOf("void TRunner::Stop1Click() {")) + 1;
    ASSERT_GT(declared, 0);
    ASSERT_TRUE(LoadMapFile(path));
    const qint64 offset = m.captured(1).toLongLong(nullptr, 16);
    QString unitName, procedure;
    AddressToUnit(offset, unitName);
    AddressToProcedure(offset, procedure);
    EXPECT_EQ(unitName, "Runner");
    EXPECT_EQ(procedure, "TRunner::Stop1Click()");
    EXPECT_EQ(AddressToUnitLine(offset), QString::number(declared));
    FreeMapFile();
}

class InternalError : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Variables().Clear();
        testServices().onModal = [this](QWidget& f) {
            titles << f.windowTitle();
            f.close();
        };
    }
    void TearDown() override {
        Form34->close();
        RunState().MacroRunning = false;
        MainWindowTest::TearDown();
    }
    QStringList memo() const { return Form34->Memo1->toPlainText().split(u'\n'); }
    QStringList titles;
    int terminated() const { return int(testServices().terminations.size()); }
};

TEST_F(InternalError, PlainBoxStopsTheRunAndKeepsTheProgram) {
    setRows({{"Variable", "A;1;Numerique;"}, {"Calcul", "A;+;2;"}});
    RunState().MacroRunning = true;
    RunState().CurrentOrderIndex = 1;
    form->WriteVariable("VAR", "A", "5");
    form->ShowInternalError("Quelque chose");
    EXPECT_EQ(titles, QStringList({"Erreur interne"}));
    EXPECT_EQ(Form34->Panel1->text(), "Internal error [code 2].");
    const QStringList m = memo();
    ASSERT_EQ(m.size(), 10) << m.join('|').toStdString();
    // "[dd/mm/yy - hh:mm:ss]", whatever the number locale.
    EXPECT_TRUE(QRegularExpression(R"(^\[\d\d/\d\d/\d\d - \d\d:\d\d:\d\d\]$)").match(m[0]).hasMatch())
        << m[0].toStdString();
    EXPECT_EQ(m.mid(1), QStringList({"Message :Quelque chose", "Addr exception : 0x00000000", "Run :True (2)",
                                     "Edited :False", "Commande:Calcul", "Params:A;+;2;", "",
                                     "***** VarUse *****", "A:'5'[Numerique]"}));
    EXPECT_FALSE(RunState().MacroRunning);
    EXPECT_FALSE(Form34->Timer1->isActive());
    EXPECT_EQ(terminated(), 0);
}

TEST_F(InternalError, CrashReportCountsDownAndEnds) {
    BuildErrorReport("std::runtime_error", "panne", 0);
    EXPECT_EQ(Form34->windowTitle(), "Orvanel va se terminer dans 30 seconde(s).");
    EXPECT_TRUE(Form34->Timer1->isActive());
    const QStringList m = memo();
    EXPECT_EQ(Form34->Panel1->text(), "Class :std::runtime_error");
    EXPECT_TRUE(m.contains("Message :panne"));
    EXPECT_TRUE(m.contains("Class :std::runtime_error"));
    EXPECT_TRUE(m.contains("Run :False"));  // no macro runs: no position
    EXPECT_TRUE(m.contains("File :"));
    RunState().MacroRunning = true;
    Form34->Timer1Timer();
    EXPECT_FALSE(RunState().MacroRunning);  // the first tick stops a running macro
    EXPECT_EQ(Form34->windowTitle(), "Orvanel va se terminer dans 29 seconde(s).");
    for (int i = 1; i < 29; ++i) Form34->Timer1Timer();
    EXPECT_EQ(terminated(), 0);
    Form34->Timer1Timer();
    EXPECT_EQ(terminated(), 1);
}

TEST_F(InternalError, ClosingStopsTheCountdownAndTheNextReportStartsAgain) {
    BuildErrorReport("E", "un", 0);
    Form34->Timer1Timer();
    Form34->Timer1Timer();
    Form34->Button1->click();
    EXPECT_FALSE(Form34->isVisible());
    EXPECT_FALSE(Form34->Timer1->isActive());
    EXPECT_EQ(Form34->countdownElapsed, 0);
    BuildErrorReport("E", "deux", 0);
    EXPECT_EQ(Form34->windowTitle(), "Orvanel va se terminer dans 30 seconde(s).");
}

TEST_F(InternalError, EditedLineNamesTheSelectedRow) {
    setRows({{"Commentaire", "a"}, {"Commentaire", "b"}});
    form->ListView1->setSelected(1, true);
    RowEditing().modifying = true;
    BuildErrorReport("E", "x", 0);
    RowEditing().modifying = false;
    EXPECT_TRUE(memo().contains("Edited :True (2)"));
}

}  // namespace
