// Start-up and the main window's life: the command line, the settings file in
// use, recent files, window positions, a new macro, help and the tray texts.
#include "tests/support/TestServices.h"
#include "apps/orvanel/Program.h"
#include "core/FileDialog.h"
#include "core/History.h"
#include "core/MacroFileRecord.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "core/Windows.h"
#include "core/RunState.h"
#include "look/XPMenu.h"
#include "platform/IniFile.h"
#include "tests/unit/test_startup_support.h"
#include "tools/Unit19.h"
#include "tools/Unit23.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QUrl>

namespace {

class StartupTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        testServices().onOpenDocument = [this](const QString& path, const QString& fragment) {
            opened << path + u'#' + fragment;
            return true;
        };
    }
    void TearDown() override {
        SetProgramArguments({});
        StartMode().editOnOpen = StartMode().exportOnOpen = StartMode().commandLineRun = RunState().AutoRun = false;
        ProgramFolderTest::TearDown();
    }
    // Starts as the program body does, with these arguments after the program's name.
    std::optional<int> start(const QStringList& args) {
        SetProgramArguments(QStringList{"orvanel"} + args);
        if (form->Execute1) {  // the run itself is not what these tests look at
            QObject::disconnect(form->Execute1, &QAction::triggered, nullptr, nullptr);
            QObject::connect(form->Execute1, &QAction::triggered, [this] { ++runs; });
        }
        return StartProgram(form);
    }
    int runCount() const { return runs; }
    QStringList recentMenu() const {
        QStringList out;
        for (QAction* a : form->Recents1->actions()) out << a->data().toString();
        return out;
    }

    QStringList opened;
    int runs = 0;
};

TEST_F(StartupTest, WithoutArgumentTheEditorOpensOnANewMacro) {
    EXPECT_FALSE(start({}).has_value());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->StatusPanel[0]->text(), "Nouvelle macro");
    EXPECT_FALSE(StartMode().editOnOpen || StartMode().exportOnOpen || StartMode().commandLineRun || RunState().AutoRun);
    EXPECT_EQ(runCount(), 0);
    EXPECT_EQ(form->TrayIcon, nullptr);
    EXPECT_TRUE(Form23->Label5->text().startsWith("Windows version : "));
    EXPECT_TRUE(MainXPMenu && MainXPMenu->Active());
}

// The dialogs are made when first used, not at start-up.
TEST_F(StartupTest, TheEditorStartsWithTheMainWindowOnly) {
    EXPECT_FALSE(start({}).has_value());
    EXPECT_EQ(MadeWindows(), QList<QWidget*>({form}));
}

TEST_F(StartupTest, EdtOpensTheMacroInTheEditorAndRunsNothing) {
    writeMacro(file("m.mcr"), {{"Commentaire", "bonjour"}, {"Pause", "1;Sec;"}});
    EXPECT_FALSE(start({file("m.mcr"), "/edt"}).has_value());
    EXPECT_TRUE(StartMode().editOnOpen);
    EXPECT_FALSE(StartMode().commandLineRun);
    EXPECT_FALSE(RunState().AutoRun);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->StatusPanel[0]->text(), file("m.mcr"));
    EXPECT_EQ(form->ListView1->count(), 2);
    EXPECT_EQ(runCount(), 0);
}

TEST_F(StartupTest, AMacroAloneRunsWithoutTheEditor) {
    writeMacro(file("m.mcr"), {{"Commentaire", "bonjour"}});
    const std::optional<int> status = start({file("m.mcr")});
    EXPECT_TRUE(StartMode().commandLineRun);
    EXPECT_TRUE(RunState().AutoRun);
    EXPECT_FALSE(form->WasShown);
    EXPECT_FALSE(form->ListView1->isVisibleTo(form));
    EXPECT_EQ(form->ListView1->count(), 1);
    if (form->Execute1) {
        EXPECT_EQ(runCount(), 1);
    } else {  // no run engine: the program ends after loading
        EXPECT_EQ(status, 0);
        EXPECT_TRUE(form->Closed);
    }
    form->close();
    EXPECT_FALSE(platform::IniFile(config()).SectionExists("Form1"));  // no positions after a hidden run
}

TEST_F(StartupTest, AMacroThatAsksForTheEditorOpensInIt) {
    writeMacro(file("m.mcr"), {{"Variable", "[MACRO.OPENMODE];EDIT;Alpha;"}});
    EXPECT_FALSE(start({file("m.mcr")}).has_value());
    EXPECT_TRUE(StartMode().editOnOpen);
    EXPECT_FALSE(StartMode().commandLineRun);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(runCount(), 0);
}

TEST_F(StartupTest, AMissingMacroEndsTheProgramWithAMessage) {
    ::testing::internal::CaptureStderr();
    const std::optional<int> status = start({file("absent.mcr")});
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 2);
    EXPECT_NE(err.find("est introuvable"), std::string::npos) << err;
    EXPECT_NE(err.find("absent.mcr"), std::string::npos);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(runCount(), 0);
    EXPECT_TRUE(messages.shown.isEmpty());
}

// With "/edt" the editor was asked for: it opens on a new macro and says the file is missing.
TEST_F(StartupTest, AMissingMacroForTheEditorOpensANewMacro) {
    EXPECT_FALSE(start({file("absent.mcr"), "/edt"}).has_value());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->StatusPanel[0]->text(), "Nouvelle macro");
    EXPECT_EQ(form->ListView1->count(), 0);
    EXPECT_EQ(runCount(), 0);
    EXPECT_EQ(form->TrayIcon, nullptr);
    QCoreApplication::processEvents();  // the message comes once the editor shows
    EXPECT_EQ(messages.texts(), QStringList({"Le fichier de macro « " + file("absent.mcr") +
                                             " » est introuvable : une nouvelle macro est ouverte."}));
    EXPECT_EQ(messages.shown.value(0).type, MsgType::Warning);
}

// Saves cut short by a kill left their temporary files beside "config.ini"
// and the macro: the next start removes them, never those of a live save.
TEST_F(StartupTest, StrayTemporaryFilesOfKilledSavesAreRemoved) {
    QProcess ended;
    ended.start("sh", {"-c", "echo $$"});
    ended.waitForFinished();
    const QString gone = ".orvanel-tmp." + QString(ended.readAllStandardOutput().trimmed()) + ".Xy12Zw";
    const QString alive = ".orvanel-tmp." + QString::number(QCoreApplication::applicationPid() == 1 ? 2 : 1) + ".Xy12Zw";
    QDir(home.path()).mkdir("macros");
    writeMacro(file("macros/m.mcr"), {{"Commentaire", "x"}});
    for (const QString& name : {"config.ini" + gone, "macros/m.mcr" + gone, "macros/m.mcr" + alive}) write(file(name), "x");
    EXPECT_FALSE(start({file("macros/m.mcr"), "/edt"}).has_value());
    EXPECT_FALSE(QFile::exists(file("config.ini" + gone)));
    EXPECT_FALSE(QFile::exists(file("macros/m.mcr" + gone)));
    EXPECT_TRUE(QFile::exists(file("macros/m.mcr" + alive)));
}

TEST_F(StartupTest, APathWithBlanksSplitIntoArguments) {
    QDir(home.path()).mkdir("mes macros");
    writeMacro(file("mes macros/ma macro.mcr"), {{"Commentaire", "x"}});
    EXPECT_FALSE(start({file("mes"), "macros/ma", "macro.mcr", "/edt"}).has_value());
    EXPECT_EQ(form->CommandLineFile, file("mes macros/ma macro.mcr"));
    EXPECT_EQ(form->ListView1->count(), 1);
}

TEST_F(StartupTest, GetExecParamJoinsArgumentsUntilAnExtension) {
    struct Case {
        QStringList args;
        int n;
        QString expected;
    };
    const Case cases[] = {
        {{"m.mcr", "/edt"}, 1, "m.mcr"},
        {{"/home/a", "b/m.mcr", "/edt"}, 1, "/home/a b/m.mcr"},
        {{"a", "b.mcr", "c", "d.txt"}, 2, "c d.txt"},
        {{"a", "b.mcr", "/edt"}, 2, ""},  // "/edt" has no extension: no second argument
        {{"/v1.2/x", "y.mcr"}, 1, "/v1.2/x y.mcr"},
        {{}, 1, ""},
    };
    for (const Case& c : cases) {
        SetProgramArguments(QStringList{"orvanel"} + c.args);
        QString value = "old";
        TForm1::GetExecParam(c.n, value);
        EXPECT_EQ(value, c.expected) << c.args.join('|').toStdString();
    }
}

TEST_F(StartupTest, LongFileNames) {
    write(file("vrai.mcr"), "");
    ASSERT_TRUE(QFile::link(file("vrai.mcr"), file("lien.mcr")));
    EXPECT_EQ(TForm1::GetLongFileName(file("lien.mcr")), file("vrai.mcr"));
    EXPECT_EQ(TForm1::GetLongFileName(file("x/../absent.mcr")), file("absent.mcr"));
}

TEST_F(StartupTest, TheSettingsFileIsTheMacrosOwnWhenItExists) {
    EXPECT_EQ(form->GetConfigFileName(), config());
    form->StatusPanel[0]->setText(file("m.mcr"));
    EXPECT_EQ(form->GetConfigFileName(), config());
    write(file("m.ini"), "");
    EXPECT_EQ(form->GetConfigFileName(), file("m.ini"));
    form->StatusPanel[0]->setText("Nouvelle macro");
    EXPECT_EQ(form->GetConfigFileName(), config());
}

TEST_F(StartupTest, ASeparatorOfTheMacrosOwnFileLastsUntilNouveau) {
    writeMacro(file("m.mcr"), {{"Commentaire", "x"}});
    write(file("m.ini"), "[Control]\r\nCarSepParam=#\r\n");
    form->StatusPanel[0]->setText(file("m.mcr"));  // as the loader leaves it
    Form19->LoadOptions(QString());
    EXPECT_EQ(ParamSeparator(), u'#');
    form->Nouveau1Click();
    EXPECT_EQ(ParamSeparator(), u';');
    EXPECT_EQ(Form19->Label22->text(), config());

    // The same through the loader itself.
    form->OpenFileMacro(file("m.mcr"), form->ListView1, QString(), -1);
    EXPECT_EQ(ParamSeparator(), u'#');
    form->Nouveau1Click();
    EXPECT_EQ(ParamSeparator(), u';');
}

TEST_F(StartupTest, NouveauEmptiesTheMacro) {
    writeMacro(file("m.mcr"), {{"Commentaire", "x"}});
    form->OpenFileMacro(file("m.mcr"), form->ListView1, QString(), -1);
    ASSERT_EQ(form->ListView1->count(), 1);
    form->Nouveau1Click();
    EXPECT_EQ(form->ListView1->count(), 0);
    EXPECT_EQ(form->StatusPanel[0]->text(), "Nouvelle macro");
    EXPECT_EQ(form->StatusPanel[3]->text(), "Ligne 0/0");
    EXPECT_EQ(form->windowTitle(), "Nouvelle macro - Orvanel");
    EXPECT_TRUE(form->SaveDialog1->FileName.isEmpty());
    ASSERT_EQ(form->ListView4->count(), 1);
    EXPECT_EQ(form->ListView4->action(0), "Nouvelle macro");
    EXPECT_TRUE(RowEditing().historyEnabled);
}

TEST_F(StartupTest, TheRingKeepsTenFilesNewestFirst) {
    QStringList files;
    for (int i = 0; i < 11; ++i) {
        files << file(QString("f%1.mcr").arg(i));
        write(files.last(), "");
        form->AddRecents(files.last());
    }
    // The eleventh took the oldest slot.
    EXPECT_EQ(value(config(), "Recents", "Recents_Nr"), "1");
    EXPECT_EQ(value(config(), "Recents", "Recents0"), files[10]);
    for (int i = 1; i < 10; ++i) EXPECT_EQ(value(config(), "Recents", QString("Recents%1").arg(i)), files[i]);
    QStringList newest;
    for (int i = 10; i >= 1; --i) newest << files[i];
    EXPECT_EQ(recentMenu(), newest);
    EXPECT_EQ(form->Recents1->actions().first()->property("Tag").toInt(), 0);

    // A file already in the ring comes to the front, once.
    form->AddRecents(files[4]);
    QStringList expected = {files[4], files[10], files[9], files[8], files[7], files[6], files[5], files[1],
                            files[3], files[2]};
    EXPECT_EQ(recentMenu(), expected);
    EXPECT_EQ(recentMenu().count(files[4]), 1);

    // The file already first changes nothing.
    const QByteArray before = read(config());
    form->AddRecents(files[4]);
    EXPECT_EQ(read(config()), before);
    EXPECT_EQ(recentMenu(), expected);
}

TEST_F(StartupTest, TheRingStaysInTheProgramFoldersConfigAndOpensItsFiles) {
    writeMacro(file("m.mcr"), {{"Commentaire", "x"}});
    write(file("m.ini"), "[Control]\r\nCarSepParam=#\r\n");
    form->StatusPanel[0]->setText(file("m.mcr"));
    form->AddRecents(file("m.mcr"));
    EXPECT_EQ(value(config(), "Recents", "Recents0"), file("m.mcr"));
    EXPECT_EQ(value(file("m.ini"), "Recents", "Recents0"), "<none>");
    form->Nouveau1Click();
    form->Recents1->actions().first()->trigger();
    EXPECT_EQ(form->StatusPanel[0]->text(), file("m.mcr"));
    EXPECT_EQ(form->ListView1->count(), 1);
}

// Positions go to the settings file in use at each write: the macro's own
// when it has one; read back, each window is exactly where it was.
TEST_F(StartupTest, PositionsAreWrittenIntoTheSettingsFileInUse) {
    form->show();
    form->setGeometry(40, 50, 1000, 700);
    QWidget* about = Form23;
    about->setGeometry(200, 150, 321, 123);
    for (int n : {34, 37}) Window(n);  // made, as every window the positions follow
    form->WriteWindowPositions();
    EXPECT_EQ(value(config(), "Form1", "Width"), "1000");
    EXPECT_EQ(value(config(), "Form1", "Top"), "50");
    EXPECT_TRUE(platform::IniFile(config()).SectionExists("Form37"));
    EXPECT_FALSE(platform::IniFile(config()).SectionExists("Form34"));

    writeMacro(file("m.mcr"), {});
    write(file("m.ini"), "");
    form->StatusPanel[0]->setText(file("m.mcr"));  // a macro with its own settings file is open
    about->setGeometry(210, 160, 300, 120);
    form->close();
    EXPECT_TRUE(form->Closed);
    EXPECT_EQ(value(file("m.ini"), "Form23", "Left"), "210");
    EXPECT_EQ(value(file("m.ini"), "Form23", "Height"), "120");
    EXPECT_EQ(value(config(), "Form23", "Left"), "200");

    // Read back: the same places, as many times as it takes.
    for (int start = 0; start < 3; ++start) {
        about->setGeometry(1, 1, 10, 10);
        form->ReadWindowPositions();
        EXPECT_EQ(about->geometry(), QRect(210, 160, 300, 120));
        form->WriteWindowPositions();
    }
    form->StatusPanel[0]->setText("Nouvelle macro");
    form->ReadWindowPositions();
    EXPECT_EQ(about->geometry(), QRect(200, 150, 321, 123));
}

// A place that would hide the title bar is moved onto the screen; one at the
// origin is no place at all.
TEST_F(StartupTest, APositionReadBackKeepsTheTitleBarOnTheScreen) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget* about = Form23;
    struct Case {
        QRect stored;
        bool moved;
    } const cases[] = {{{-1, -20, 300, 120}, true}, {{5000, -300, 300, 120}, true}, {{0, 0, 300, 120}, false}};
    for (const Case& c : cases) {
        about->setGeometry(0, 0, 50, 50);
        platform::IniFile ini(config());
        for (const auto& [key, v] : {std::pair{"Left", c.stored.x()}, {"Top", c.stored.y()},
                                     {"Width", c.stored.width()}, {"Height", c.stored.height()}})
            ini.WriteInteger("Form23", key, v);
        ini.UpdateFile();
        form->ReadWindowPositions();
        EXPECT_EQ(about->size(), c.stored.size());
        if (!c.moved) {
            EXPECT_EQ(about->pos(), QPoint(0, 0));  // placed when first shown
            continue;
        }
        EXPECT_TRUE(area.contains(about->geometry())) << c.stored.x();
        EXPECT_GT(about->geometry().top(), area.top()) << "room for the title bar";
    }
}

TEST_F(StartupTest, ListBoxHelpers) {
    QListWidget list;
    list.addItems({"a", "b", "a", "c", "b", "a"});
    TForm1::NoDoublonofListBox(&list);
    QStringList items;
    for (int i = 0; i < list.count(); ++i) items << list.item(i)->text();
    EXPECT_EQ(items, QStringList({"a", "b", "c"}));
    EXPECT_EQ(TForm1::GetListBoxSelected(&list), -1);
    list.setSelectionMode(QAbstractItemView::MultiSelection);
    list.item(2)->setSelected(true);
    list.item(1)->setSelected(true);
    EXPECT_EQ(TForm1::GetListBoxSelected(&list), 1);
    EXPECT_EQ(TForm1::GetListBoxSelected(nullptr), -1);
}

TEST_F(StartupTest, HelpOpensTheFileBesideTheProgramOrSaysItIsMissing) {
    EXPECT_FALSE(OpenHelp(1174));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Erreur: Vérifiez la présence du fichier .chm dans le dossier de Orvanel.");
    EXPECT_TRUE(opened.isEmpty());
    write(file("aide.html"), "<html></html>");
    EXPECT_TRUE(OpenHelp(1174));
    EXPECT_EQ(opened, QStringList({file("aide.html") + "#1174"}));
}

TEST_F(StartupTest, OnlyTheFirstDroppedFileOpens) {
    for (const char* name : {"a.mcr", "b.mcr", "c.mcr"}) writeMacro(file(name), {{"Commentaire", name}});
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file("a.mcr")), QUrl::fromLocalFile(file("b.mcr")),
                  QUrl::fromLocalFile(file("c.mcr"))});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    EXPECT_TRUE(form->acceptDrops());
    form->dropEvent(&drop);
    EXPECT_EQ(form->StatusPanel[0]->text(), file("a.mcr"));
    ASSERT_EQ(form->ListView1->count(), 1);
    EXPECT_EQ(form->ListView1->params(0), "a.mcr");
}

TEST_F(StartupTest, ClosingDeletesTheRecordingFile) {
    write(file("temp.sqc"), "x");
    form->FormDestroy();
    EXPECT_FALSE(QFile::exists(file("temp.sqc")));
}

TEST(TrayTexts, TooltipAndBalloonAreCutAndWrapped) {
    EXPECT_EQ(TrayTooltip("/m.mcr"), "Exécution de /m.mcr");
    const QString longName = "/" + QString(200, 'x') + ".mcr";
    const QString tip = TrayTooltip(longName);
    EXPECT_EQ(tip.size(), 126);
    EXPECT_EQ(tip, ("Exécution de " + longName).left(16) + "..." + longName.right(107));
    EXPECT_EQ(TrayBalloonText("/a/b.mcr"), "Exécution de :\n/a/b.mcr");
    EXPECT_EQ(TrayBalloonText("/mes macros/une macro assez longue pour deux lignes.mcr"),
              "Exécution de :\n/mes macros/une macro assez longue \npour deux lignes.mcr");
    const QString huge = QString(300, 'y');
    const QString balloon = TrayBalloonText(huge);
    EXPECT_EQ(balloon.size(), 226);
    EXPECT_TRUE(balloon.startsWith("Exécution de :\ny") && balloon.endsWith(QString(207, 'y')));
}

TEST(TrayTexts, WrapTextBreaksAfterBlanksAndDashes) {
    struct Case {
        QString line;
        int max;
        QString expected;
    };
    const Case cases[] = {
        {"abc def ghi", 5, "abc \ndef \nghi"},
        {"abc-def", 4, "abc-\ndef"},
        {"abcdefgh", 3, "abcdefgh"},  // nowhere to break
        {"ab cd", 10, "ab cd"},
    };
    for (const Case& c : cases) EXPECT_EQ(WrapText(c.line, c.max), c.expected) << c.line.toStdString();
}

}  // namespace
