// Command plug-ins, loaded for real, each in its host program: the test probe
// "Sonde" (tests/plugins) and its faulty builds, and the sample plug-in
// "Exemple". Messages sent here go to the main window's handler as the
// host passes a plug-in's on.
#include "core/History.h"
#include "core/RunState.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/Variables.h"
#include "editors/PluginPalette.h"
#include "engine/GestionCommande.h"
#include "engine/Runner.h"
#include "platform/WindowMessages.h"
#include "plugins/OrvanelPlugin.h"
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"
#include "tests/unit/RunFixture.h"
#include "tools/Unit19.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

class PluginTest : public RunFixture {
protected:
    void SetUp() override {
        RunFixture::SetUp();
        settings().GeneralActive = true;  // the run pumps messages between rows
        settings().GeneralTime = QStringLiteral("5");
    }
    void TearDown() override {
        qunsetenv("SONDE_NOM");
        qunsetenv("SONDE_RUBRIQUE");
        qunsetenv("SONDE_IMAGE");
        PluginDeadlines() = TPluginDeadlines();
        RunFixture::TearDown();
        EXPECT_EQ(DynamiqueOrders.size(), 1) << "the main window's end frees the plug-ins";
    }

    // Loads the probe; its log starts empty, NewOrdre and ChangeOrdre give `next`.
    int loadSonde(const QString& next = "a;b;", bool cancel = false) {
        const int i = LoadCommandPlugin(SONDE_PLUGIN);
        if (i > 0) reset(i, next, cancel);
        return i;
    }
    // A function of the probe's own, in its host.
    QString probe(int i, const char* function, const QString& text = QString(), int value = 0) {
        const TPluginHost::Reply r = DynamiqueOrders[i].F.Host->call(function, {text.toStdString()}, {value});
        return QString::fromStdString(r.message.text(0));
    }
    void reset(int i, const QString& next = "a;b;", bool cancel = false) { probe(i, "SondeReset", next, cancel); }
    QStringList log(int i) {
        QStringList lines = probe(i, "SondeLog").split(u'\n');
        lines.removeAll(QString());
        return lines;
    }
    // What the probe says, as the probe itself would say it.
    qintptr send(unsigned message, quintptr wParam, qintptr lParam) {
        return platform::SendMessage(form->winId(), message, wParam, lParam);
    }
    qintptr query(int i, qintptr code) { return send(ORVANEL_QUERY, DynamiqueOrders[i].Module, code); }
    QString lastAnswer(int i) {
        const QStringList l = log(i);
        return l.isEmpty() ? QString() : l.last();
    }
    QString reportText() const { return form->RichEdit1->toPlainText(); }
    QColor reportColour(const QString& line) const {
        for (QTextBlock b = form->RichEdit1->document()->begin(); b.isValid(); b = b.next())
            if (b.text() == line) return b.begin().fragment().charFormat().foreground().color();
        return QColor();
    }
    QStringList shownTexts() const {
        QStringList texts;
        for (const MessageRequest& r : messages.shown) texts << r.text;
        return texts;
    }
    QToolButton* button(int i) const { return DynamiqueOrders[i].Button; }
};

TEST_F(PluginTest, ButtonsGoOnTheirCategoryTabAfterTheBuiltInOnes) {
    struct Case {
        const char* rubrique;
        int place;  // built-in buttons of the page come first
    };
    const Case cases[] = {{"Standard", 10}, {"Supplément", 14}, {"Mes outils", 0}, {"Mes outils", 1}};
    const QRect first = form->PaletteButton(1)->geometry();
    const int step = form->PaletteButton(2)->x() - first.x();
    for (const Case& c : cases) {
        qputenv("SONDE_RUBRIQUE", c.rubrique);
        const int i = loadSonde();
        ASSERT_GT(i, 0) << shownTexts().join('\n').toStdString();
        QToolButton* b = button(i);
        ASSERT_TRUE(b);
        const int tab = form->PageControl2->indexOf(b->parentWidget());
        EXPECT_EQ(form->PageControl2->tabText(tab), QString::fromUtf8(c.rubrique));
        EXPECT_EQ(b->geometry(), QRect(first.x() + c.place * step, first.y(), first.width(), first.height()))
            << c.rubrique;
        EXPECT_EQ(b->toolTip(), "Sonde des tests");
        EXPECT_EQ(b->property("Tag").toInt(), i);
    }
    EXPECT_EQ(form->PageControl2->count(), 3);  // one new tab, shared
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(PluginTest, FailedLoadsSayWhyAndAddNoCommand) {
    QFile text(home.filePath("texte.so"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("pas une bibliothèque");
    text.close();
    struct Case {
        QString path, name;
        QStringList shown;  // the messages, each at its start
    };
    const Case cases[] = {
        {"absent.so", "", {home.filePath("Plugins/absent.so") + " not found."}},
        {text.fileName(), "", {"Le dll séléctionné n'est pas une nouvelle commande valide. (" + text.fileName() + ")\n"}},
        {SONDE_INCOMPLETE_PLUGIN, "", {"GetInfoFromOrvanel no found.", "ExecuteOrder no found."}},
        {SONDE_PLUGIN, "Goto", {"Le plug-in " + QString(SONDE_PLUGIN) + " donne un nom de commande inutilisable (« Goto »)"}},
        {SONDE_PLUGIN, "UnNomDePlusDeVingtCar", {"Le plug-in " + QString(SONDE_PLUGIN) + " donne un nom"}},
        {SONDE_VERSION_PLUGIN, "", {"Le plug-in " + QString(SONDE_VERSION_PLUGIN) +
                                    " a été construit pour une autre version des plug-ins (version 3, Orvanel attend "
                                    "la version 2) : il n'est pas chargé."}},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        qputenv("SONDE_NOM", c.name.toUtf8());
        const qsizetype entries = DynamiqueOrders.size();
        EXPECT_EQ(LoadCommandPlugin(c.path), -1) << c.path.toStdString();
        ASSERT_EQ(messages.shown.size(), c.shown.size()) << shownTexts().join('\n').toStdString();
        for (qsizetype k = 0; k < c.shown.size(); ++k)
            EXPECT_TRUE(messages.shown[k].text.startsWith(c.shown[k])) << messages.shown[k].text.toStdString();
        EXPECT_EQ(DynamiqueOrders.size(), entries + 1);  // an entry for every load
        EXPECT_TRUE(DynamiqueOrders.last().Name.isEmpty());
        EXPECT_FALSE(DynamiqueOrders.last().Button);
    }
    EXPECT_EQ(form->PageControl2->count(), 2);
}

TEST_F(PluginTest, LibraryIsLookedForBesideTheProgramThenInPlugins) {
    ASSERT_TRUE(QDir(home.path()).mkdir("Plugins"));
    ASSERT_TRUE(QFile::copy(SONDE_PLUGIN, home.filePath("Plugins/Sonde.so")));
    EXPECT_GT(LoadCommandPlugin("/ailleurs/Sonde.so"), 0);
    EXPECT_EQ(DynamiqueOrders.last().LibraryPath, home.filePath("Plugins/Sonde.so"));
    ASSERT_TRUE(QFile::copy(SONDE_PLUGIN, home.filePath("Plugins/Copie.so")));
    ASSERT_TRUE(QFile::copy(SONDE_PLUGIN, home.filePath("Copie.so")));
    EXPECT_GT(LoadCommandPlugin("/ailleurs/Copie.so"), 0);
    EXPECT_EQ(DynamiqueOrders.last().LibraryPath, home.filePath("Copie.so"));
}

// A bare file name never reaches the current folder, where anybody may plant
// a library of that name; a path is taken as written.
TEST_F(PluginTest, BareNamesResolveOnlyInTheProgramFolders) {
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QFile::copy(SONDE_PLUGIN, elsewhere.filePath("Exemple.so")));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    EXPECT_EQ(LoadCommandPlugin("Exemple.so"), -1);
    EXPECT_TRUE(DynamiqueOrders.last().LibraryPath.isEmpty());
    EXPECT_EQ(shownTexts(), QStringList({home.filePath("Plugins/Exemple.so") + " not found."}));
    EXPECT_GT(LoadCommandPlugin("./Exemple.so"), 0);
    EXPECT_EQ(DynamiqueOrders.last().LibraryPath, elsewhere.filePath("Exemple.so"));
    ASSERT_TRUE(QFile::copy(SONDE_PLUGIN, home.filePath("Exemple.so")));
    EXPECT_GT(LoadCommandPlugin("Exemple.so"), 0);
    EXPECT_EQ(DynamiqueOrders.last().LibraryPath, home.filePath("Exemple.so"));
    QDir::setCurrent(before);
}

TEST_F(PluginTest, SampleSetsAVariableAndTheRunGoesOn) {
    ASSERT_EQ(LoadCommandPlugin(EXEMPLE_PLUGIN), 1);
    form->CheckBox3->setChecked(true);  // report on
    setRows({{"Variable", "A;x;Alpha;"},
             {"Variable", "S;source;Alpha;"},
             {"Exemple", "A;Bonjour;"},
             {"Exemple", "B;S;"},  // a value naming a variable
             {"Variable", "C;1;Numerique;"}});
    EXPECT_EQ(form->ListView1->icon(2), DynamiqueOrders[1].ImageIndex);
    run();
    EXPECT_EQ(var("A"), "Bonjour");
    EXPECT_EQ(var("B"), "source");
    EXPECT_EQ(var("C"), "1");
    EXPECT_EQ(var("[ERROR]"), "Exemple : B = source");
    EXPECT_TRUE(reportText().contains("Exemple : A = Bonjour\n"));
    EXPECT_EQ(reportColour("Exemple : A = Bonjour"), QColor(0, 0x80, 0));
    EXPECT_FALSE(RunState().RunEndedInError);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(PluginTest, QueriesAreAnsweredToTheirPlugin) {
    const int i = loadSonde();
    ASSERT_GT(i, 0);
    setRows({{"Variable", "V1;1;Numerique;"}, {"Variable", "V2;x;Alpha;"}, {"Objet", "Fenetre;a;b;"}, {"Sonde", "p1;p2;"}});
    const QString handle = QString::number(form->winId());
    const QString module = QString::number(DynamiqueOrders[i].Module);
    const struct {
        qintptr code;
        QString answer;
    } cases[] = {
        {1, "Macro filename||0|1"},  // an unsaved macro
        {2, "Filename plugin|Sonde|0|1"},
        {3, "Filename config|" + form->GetConfigFileName() + "|0|1"},
        {4, "Char of separation|;|0|1"},
        {5, "Count Order||4|1"},
        {6, "Handle BackGround||0|0"},
        {9, "OrvanelHandle||" + handle + "|1"},
        {10, "LibraryHandle||" + module + "|1"},
        {11, "Array param||0|0"},  // idle, no row being edited
        {31, "ContextOfExecute||0|1"},
        {1000, "Variable count||2|1"},
        {2000, "Variable count||2|1"},
        {1002, "Variable name|V2|0|1"},
        {1003, "Variable name||0|0"},
        {2001, "Variable type|Numerique|0|1"},
        {2003, "Variable type|Unknow|0|0"},
        {3000, "Objet count||1|1"},
        {3001, "Objet name|Fenetre|0|1"},
        {3002, "Objet name||0|0"},
        {999, "||0|0"},
    };
    for (const auto& c : cases) {
        query(i, c.code);
        EXPECT_EQ(lastAnswer(i), "answer " + c.answer) << c.code;
    }
    // The row a dialog edits.
    TForm1::Select_unique(form->ListView1, 3);
    RowEditing().modifying = true;
    query(i, 12);
    EXPECT_EQ(lastAnswer(i), "answer Array param|p2|0|1");
    RowEditing().modifying = false;
    // Nobody answers a module no plug-in has; the placeholder stays empty.
    reset(i);
    send(ORVANEL_QUERY, 987654, 2);
    send(ORVANEL_GETVAR, 987654, qintptr("V1"));
    EXPECT_TRUE(log(i).isEmpty());
    EXPECT_EQ(DynamiqueOrders[0].Module, 0u);
}

TEST_F(PluginTest, MessagesReadAndChangeTheMacro) {
    const int i = loadSonde();
    ASSERT_GT(i, 0);
    setRows({{"Variable", "V1;7;Numerique;"}, {"Label", "ici"}});
    const quintptr module = DynamiqueOrders[i].Module;
    form->WriteVariable("VAR", "V1", "7");
    send(ORVANEL_GETVAR, module, qintptr("V1"));
    EXPECT_EQ(lastAnswer(i), "answer GET_VAR_VALUE|7|0|1");
    send(ORVANEL_SETVAR, quintptr("W"), qintptr("écrit"));
    EXPECT_EQ(var("W"), "écrit");
    send(ORVANEL_SUBMACRO, module, 2);
    EXPECT_EQ(lastAnswer(i), "row Label|ici|1");
    send(ORVANEL_SUBMACRO, module, 3);
    EXPECT_EQ(lastAnswer(i), "row ||0");
    send(ORVANEL_POSORDER, module, 0);
    EXPECT_EQ(lastAnswer(i), "answer Pos Order||1|1");
    send(ORVANEL_POSORDER, module, 9);  // past the last row: nothing moves
    EXPECT_EQ(RunState().CurrentOrderIndex, 0);
    send(ORVANEL_ERROR, 5, qintptr("une note"));
    EXPECT_EQ(var("[ERROR]"), "une note");
    EXPECT_EQ(reportColour("une note"), QColor(0, 0x80, 0));
    send(ORVANEL_ERROR, 5, 0);  // no text: nothing
    send(ORVANEL_ADDCOMMAND, module, qintptr("ajout;"));
    EXPECT_EQ(rowTexts().last(), "Sonde|ajout;");
    EXPECT_EQ(form->ListView1->icon(2), DynamiqueOrders[i].ImageIndex);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(PluginTest, OtherProgramsCannotPassTexts) {
    const int i = loadSonde();
    ASSERT_GT(i, 0);
    const platform::HWND window = form->winId();
    const QByteArray name = "W", value = "v";
    platform::PostRemoteMessage(window, ORVANEL_SETVAR, quintptr(name.constData()), qintptr(value.constData()));
    platform::PostRemoteMessage(window, ORVANEL_QUERY, DynamiqueOrders[i].Module, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(var("W"), "?");
    EXPECT_TRUE(log(i).isEmpty());
    // A stop is a number: it comes through, here during a long pause.
    setRows({{"Pause", "00:00:05"}, {"Variable", "A;1;Numerique;"}});
    QTimer::singleShot(100, [window] { platform::PostRemoteMessage(window, ORVANEL_STOP, 0, 0); });
    QElapsedTimer took;
    took.start();
    run();
    EXPECT_LT(took.elapsed(), 3000);
    EXPECT_EQ(var("A"), "?");
}

struct RunCase {
    const char* name;
    QVector<QPair<QString, QString>> rows;
    QStringList set, unset;  // variables the run wrote, and those it did not reach
    int sondeRuns = 1;
    QString message;  // the start of a box shown; none when empty
};

TEST_F(PluginTest, RowsSendMessagesWhileTheyRun) {
    const RunCase cases[] = {
        {"la position moves the run to that row",
         {{"Sonde", "send 2261 4"}, {"Variable", "A;1;Numerique;"}, {"Variable", "B;1;Numerique;"}, {"Variable", "C;1;Numerique;"}},
         {"C"}, {"A", "B"}},
        {"run from a label",
         {{"Sonde", "label fin"}, {"Variable", "A;1;Numerique;"}, {"Pause", "00:00:01"}, {"Label", "fin"}, {"Variable", "B;1;Numerique;"}},
         {"B"}, {"A"}},
        {"a label on the first row",
         {{"Label", "debut"}, {"Sonde", "labelonce debut"}, {"Variable", "A;1;Numerique;"}}, {"A"}, {}, 2},
        {"a label no row has",
         {{"Sonde", "label nulle"}, {"Variable", "A;1;Numerique;"}}, {}, {"A"}, 1, "Label nulle introuvable"},
        {"an exception", {{"Sonde", "throw en panne"}, {"Variable", "A;1;Numerique;"}}, {}, {"A"}, 1, "en panne"},
        {"a note", {{"Sonde", "error 7 tout va bien"}, {"Variable", "A;1;Numerique;"}}, {"A"}, {}},
        {"a posted value, its texts gone with the call", {{"Sonde", "post A 1"}, {"Pause", "1;MilliSec;"}}, {"A"}, {}},
        {"a stop", {{"Sonde", "stop"}, {"Variable", "A;1;Numerique;"}}, {}, {"A"}},
        {"a stop, then the row ends at its pace", {{"Sonde", "stop 600"}, {"Variable", "A;1;Numerique;"}}, {}, {"A"}},
    };
    const int i = loadSonde();
    ASSERT_GT(i, 0);
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.name);
        Variables().Clear();
        messages.shown.clear();
        reset(i);
        setRows(c.rows);
        run();
        for (const QString& v : c.set) EXPECT_EQ(var(v), "1") << v.toStdString();
        for (const QString& v : c.unset) EXPECT_EQ(var(v), "?") << v.toStdString();
        EXPECT_EQ(log(i).filter("ExecuteOrder").size(), c.sondeRuns);
        EXPECT_EQ(log(i).last(), "StopOrder");  // the end of every run
        if (c.message.isEmpty())
            EXPECT_TRUE(messages.shown.isEmpty()) << shownTexts().join('\n').toStdString();
        else
            EXPECT_TRUE(!messages.shown.isEmpty() && messages.shown[0].text.startsWith(c.message))
                << shownTexts().join('\n').toStdString();
    }
}

TEST_F(PluginTest, QueryThirtyFiveStartsARunAtTheLabelWhenIdle) {
    const int i = loadSonde();
    ASSERT_GT(i, 0);
    setRows({{"Variable", "A;1;Numerique;"}, {"Label", "milieu"}, {"Variable", "B;1;Numerique;"}});
    send(ORVANEL_QUERY, platform::desktop().GlobalAddAtom("milieu"), 35);
    EXPECT_EQ(var("A"), "?");
    EXPECT_EQ(var("B"), "1");
    EXPECT_EQ(RunState().ExecState, 0);
}

TEST_F(PluginTest, PaletteButtonAddsARowUnlessThePluginCancels) {
    const int i = loadSonde("x;y;");
    ASSERT_GT(i, 0);
    const int history = form->ListView4->count();
    button(i)->click();
    EXPECT_EQ(rowTexts(), QStringList{"Sonde|x;y;"});
    EXPECT_EQ(form->ListView1->icon(0), DynamiqueOrders[i].ImageIndex);
    EXPECT_GT(form->ListView4->count(), history);
    reset(i, "z;", true);
    button(i)->click();
    EXPECT_EQ(rowTexts(), QStringList{"Sonde|x;y;"});
    EXPECT_EQ(log(i), QStringList{"NewOrdre"});
    EXPECT_TRUE(button(i)->isEnabled());
}

TEST_F(PluginTest, EditingARowGoesThroughChangeOrdre) {
    const int i = loadSonde("nouveau;");
    ASSERT_GT(i, 0);
    setRows({{"Sonde", "ancien;"}});
    TForm1::Select_unique(form->ListView1, 0);
    const int history = form->ListView4->count();
    form->Editer1Click();
    EXPECT_EQ(log(i), QStringList{"ChangeOrdre ancien;"});
    EXPECT_EQ(rowTexts(), QStringList{"Sonde|nouveau;"});
    EXPECT_GT(form->ListView4->count(), history);
    EXPECT_FALSE(RowEditing().modifying);
    reset(i, "autre;", true);
    form->Editer1Click();
    EXPECT_EQ(rowTexts(), QStringList{"Sonde|nouveau;"});
    EXPECT_FALSE(RowEditing().modifying);
    EXPECT_TRUE(button(i)->isEnabled());
}

TEST_F(PluginTest, TheCheckerAsksTheLibrary) {
    ASSERT_GT(loadSonde(), 0);
    const struct {
        QString params;
        bool ok;
        QString message;
    } cases[] = {{"bon;", true, ""}, {"faux;", false, ""}, {"msg;", true, "message de la sonde"}};
    for (const auto& c : cases) {
        const PluginCheck check = Services().CheckPluginRow("Sonde", c.params);
        EXPECT_TRUE(check.hasCheck);
        EXPECT_EQ(check.ok, c.ok) << c.params.toStdString();
        EXPECT_EQ(check.message, c.message);
    }
    EXPECT_TRUE(Services().PluginKnown("Sonde"));
    EXPECT_FALSE(Services().PluginKnown("sonde"));
    setRows({{"Sonde", "bon;"}, {"Sonde", "faux;"}});
    EXPECT_FALSE(form->ControlAll(form->ListView1));
}

// Its picture comes from its host; its editing window opens there: the
// desktop tests fill it.
TEST_F(PluginTest, SampleHasItsPictureAndChecksItsRows) {
    ASSERT_EQ(LoadCommandPlugin(EXEMPLE_PLUGIN), 1);
    const QImage picture = CommandIcons::icon(DynamiqueOrders[1].ImageIndex).pixmap(16, 16).toImage();
    EXPECT_EQ(picture.pixelColor(8, 1), QColor(0x2E, 0x6D, 0xB4));
    EXPECT_TRUE(messages.shown.isEmpty()) << shownTexts().join('\n').toStdString();
    EXPECT_FALSE(Services().CheckPluginRow("Exemple", ";Paul;").ok);
    EXPECT_EQ(Services().CheckPluginRow("Exemple", "A;;").message, "Exemple : la valeur est vide.");
    EXPECT_TRUE(Services().CheckPluginRow("Exemple", "A;Paul;").ok);
}

// A row whose plug-in crashes or stops answering is a run-time error naming
// it; this program lives on, and the plug-in's next call starts it again.
TEST_F(PluginTest, APluginThatFaultsIsARunTimeErrorNamingIt) {
    const struct {
        const char* verb;
        QString message;
    } cases[] = {
        // How it ended follows: "signal 11", or the sanitizers' exit code.
        {"crash", "Le plug-in « Sonde » s'est arrêté brutalement (ExecuteOrder, "},
        {"hang", "Le plug-in « Sonde » ne répond plus (ExecuteOrder) : il a été arrêté"},
    };
    PluginDeadlines().runMs = 500;
    const int i = loadSonde();
    ASSERT_GT(i, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.verb);
        Variables().Clear();
        messages.shown.clear();
        setRows({{"Sonde", c.verb}, {"Variable", "A;1;Numerique;"}});
        run();
        ASSERT_FALSE(messages.shown.isEmpty());
        EXPECT_TRUE(messages.shown[0].text.startsWith(c.message)) << shownTexts().join('\n').toStdString();
        EXPECT_EQ(var("A"), "?");
        // Started again: its handles given again, its rows run and its messages heard.
        messages.shown.clear();
        reset(i);
        setRows({{"Sonde", "error 7 de nouveau"}, {"Variable", "A;1;Numerique;"}});
        run();
        EXPECT_EQ(var("[ERROR]"), "de nouveau");
        EXPECT_EQ(var("A"), "1");
        EXPECT_EQ(log(i).filter("ExecuteOrder").size(), 1);
        EXPECT_TRUE(messages.shown.isEmpty()) << shownTexts().join('\n').toStdString();
    }
}

// Outside a run, a fault is said in a message box and the call gives nothing.
TEST_F(PluginTest, AFaultOutsideARunIsSaidAndTheEditorGoesOn) {
    ASSERT_GT(loadSonde(), 0);
    EXPECT_FALSE(Services().CheckPluginRow("Sonde", "plante;").ok);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith("Le plug-in « Sonde » s'est arrêté brutalement (Debug, "));
    EXPECT_TRUE(messages.shown[0].text.endsWith(") : il sera relancé à son prochain appel.")) << shownTexts()[0].toStdString();
    EXPECT_TRUE(Services().CheckPluginRow("Sonde", "bon;").ok);
}

TEST_F(PluginTest, StopEndsTheWaitForARowThatHangs) {
    const int i = loadSonde();
    ASSERT_GT(i, 0);
    setRows({{"Sonde", "hang"}, {"Variable", "A;1;Numerique;"}});
    QTimer::singleShot(200, form, [this] { form->Stop1Click(); });
    QElapsedTimer took;
    took.start();
    run();
    EXPECT_LT(took.elapsed(), 2000);
    EXPECT_EQ(var("A"), "?");
    EXPECT_TRUE(messages.shown.isEmpty()) << "the person stopped it: nothing to say";
    reset(i);
    setRows({{"Sonde", "error 7 suite"}});
    run();
    EXPECT_EQ(var("[ERROR]"), "suite");
}

// Data that is no picture is said once; the button gets the plug-ins' picture.
TEST_F(PluginTest, APictureThatIsNoneGivesThePluginsPicture) {
    for (const char* image : {"texte", "adresse"}) {
        SCOPED_TRACE(image);
        messages.shown.clear();
        qputenv("SONDE_IMAGE", image);
        const int i = LoadCommandPlugin(SONDE_IMAGE_PLUGIN);
        ASSERT_GT(i, 0);
        EXPECT_EQ(shownTexts(), QStringList({"L'image du plug-in « Sonde » est illisible : son bouton prend l'image "
                                             "des plug-ins."}));
        EXPECT_EQ(CommandIcons::icon(DynamiqueOrders[i].ImageIndex).cacheKey(), CommandIcons::icon(63).cacheKey());
        EXPECT_TRUE(Services().CheckPluginRow("Sonde", "bon;").ok) << "the plug-in works";
        RemoveCommandPlugin(i);
    }
}

TEST_F(PluginTest, MenuOpensTheOptionsOnThePluginsTab) {
    QAction* item = form->findChild<QAction*>("Gestiondesnouvellecommandes1");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text(), "Gestion des plug-ins");
    item->trigger();
    EXPECT_TRUE(Form19->isVisible());
    EXPECT_EQ(Form19->PageControl1->currentWidget(), Form19->TabSheet9);
    Form19->close();
}

TEST_F(PluginTest, TreeNodesByCategory) {
    ASSERT_EQ(LoadCommandPlugin(EXEMPLE_PLUGIN), 1);
    qputenv("SONDE_RUBRIQUE", "Exemples");
    ASSERT_GT(loadSonde(), 0);
    QTreeWidget tree;
    AddPluginNodes(&tree);
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    const QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_EQ(root->text(0), "Plugins");
    ASSERT_EQ(root->childCount(), 1);
    EXPECT_EQ(root->child(0)->text(0), "Exemples");
    ASSERT_EQ(root->child(0)->childCount(), 2);
    EXPECT_EQ(root->child(0)->child(1)->text(0), "Sonde");
}

}  // namespace
