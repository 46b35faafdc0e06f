// The options dialog's tabs: the separator check, the time field, colours
// written at once, the language and plug-in list in "config.ini", the launch
// triggers of the open macro, the speed tests beside a run, the update check.
#include "core/RunState.h"
#include "core/Settings.h"
#include "core/FileDialog.h"
#include "core/MessageTexts.h"
#include "core/Unit1.h"
#include "engine/HotKeyManager.h"
#include "platform/fake/FakePlatform.h"
#include "platform/LaunchFile.h"
#include "tests/support/TestServices.h"
#include "tests/unit/test_startup_support.h"
#include "tools/ModuleSup.h"
#include "tools/Unit19.h"
#include "tools/UpdateCheck.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMenu>
#include <QFocusEvent>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include <limits>

using namespace platform;

namespace {

class OptionsTest : public ProgramFolderTest {
protected:
    // Opens the macro of that path as the status bar names it, and loads the options.
    void openMacro(const QString& path) {
        form->StatusPanel[0]->setText(path);
        Form19->LoadOptions(QString());
    }
};

TEST_F(OptionsTest, SeparatorRefusesLettersAndDigits) {
    struct Case {
        const char* typed;
        const char* shown;
        bool message;
    } cases[] = {{"a", "|", true}, {"5", "|", true}, {"Z", "|", true}, {"#", "#", false}, {"", "|", false}};
    for (const Case& c : cases) {
        messages.shown.clear();
        Form19->Edit1->setText(";");
        Form19->Edit1->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(Form19->Edit1->text(), c.shown) << c.typed;
        EXPECT_EQ(messages.texts(), c.message ? QStringList{"Caractère de séparation impossible"} : QStringList())
            << c.typed;
    }
}

// Each delay is one field with its arrows; only whole numbers go into it.
TEST_F(OptionsTest, DelayFieldsRefuseWhatIsNoNumberAndKeepWhatTheirArrowsSet) {
    struct Case {
        QLineEdit* field;
        QWidget* arrows;
        const char* key;
        const char* message;
        const char* reset;
        int top;
    } const cases[] = {
        {Form19->TPGEdit, Form19->UpDown1, "General_time", "Délais général dans les options invalide.", "10", 2000},
        {Form19->TPFEdit, Form19->UpDown2, "Type_time", "Délais tape de texte dans les options invalide.", "30", 1000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        messages.shown.clear();
        c.field->setText("499");
        c.field->setText("abc");
        EXPECT_EQ(messages.texts(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(c.field->text(), c.reset);
        Form19->Button1Click();
        EXPECT_EQ(value(config(), "Delais", c.key), c.reset);

        const QList<QToolButton*> upDown = c.arrows->findChildren<QToolButton*>();
        ASSERT_EQ(upDown.size(), 2);
        c.field->setText("499");
        upDown[0]->click();
        EXPECT_EQ(c.field->text(), "500");
        Form19->Button1Click();
        EXPECT_EQ(value(config(), "Delais", c.key), "500");
        EXPECT_EQ(c.field->text(), "500");
        c.field->setText(QString::number(c.top));
        upDown[0]->click();
        EXPECT_EQ(c.field->text(), QString::number(c.top));
        c.field->setText("0");
        upDown[1]->click();
        EXPECT_EQ(c.field->text(), "0");
    }
}

// The Tools list is edited on its tab; the menu follows at "Valider".
TEST_F(OptionsTest, ToolsAreAddedMovedAndRemovedThenMadeTheMenu) {
    QStringList programs;
    for (const char* name : {"un.sh", "deux.sh", "trois.sh"}) {
        programs << file(name);
        write(programs.last(), "#!/bin/sh\n");
    }
    for (const QString& program : programs) {
        testServices().onChooseFile = [&](TFileDialog& d) {
            EXPECT_EQ(d.objectName(), "OpenDialog1");
            d.FileName = program;
            return true;
        };
        Form19->Button3->click();
    }
    testServices().onChooseFile = [](TFileDialog&) { return false; };
    Form19->Button3->click();  // cancelled: nothing added
    auto lines = [] {
        QStringList out;
        for (int i = 0; i < Form19->ListBox1->count(); ++i) out << QFileInfo(Form19->ListBox1->item(i)->text()).fileName();
        return out;
    };
    auto select = [](std::initializer_list<int> rows) {
        Form19->ListBox1->clearSelection();
        for (int row : rows) Form19->ListBox1->item(row)->setSelected(true);
    };
    ASSERT_EQ(lines(), QStringList({"un.sh", "deux.sh", "trois.sh"}));
    struct Case {
        std::initializer_list<int> selected;
        QPushButton* button;
        QStringList result;
    } const cases[] = {
        {{2}, Form19->SpeedButton1, {"un.sh", "trois.sh", "deux.sh"}},
        {{0, 1}, Form19->SpeedButton1, {"un.sh", "trois.sh", "deux.sh"}},  // the first stays, so does the one below
        {{0, 1}, Form19->SpeedButton2, {"deux.sh", "un.sh", "trois.sh"}},
        {{2}, Form19->SpeedButton2, {"deux.sh", "un.sh", "trois.sh"}},
        {{0, 2}, Form19->SpeedButton1, {"deux.sh", "trois.sh", "un.sh"}},
    };
    for (const Case& c : cases) {
        select(c.selected);
        c.button->click();
        EXPECT_EQ(lines(), c.result) << c.button->text().toStdString();
    }
    select({0});
    Form19->Button4->click();
    EXPECT_EQ(lines(), QStringList({"trois.sh", "un.sh"}));
    EXPECT_TRUE(form->mesoutils1->actions().isEmpty());  // the menu waits for "Valider"
    Form19->Button1Click();
    QStringList menu;
    for (QAction* a : form->mesoutils1->actions()) menu << a->text();
    EXPECT_EQ(menu, QStringList({"1 - trois.sh", "2 - un.sh"}));
    EXPECT_EQ(value(config(), "Outils", "exe0"), programs[2]);
}

TEST_F(OptionsTest, TheReportFileIsChosenBesideTheCurrentOne) {
    Form19->Edit3->setText(file("rapports/mon rapport.doc"));
    QString offered;
    testServices().onChooseFile = [&](TFileDialog& d) {
        offered = d.FileName;
        EXPECT_EQ(d.Filter, "Rapport|*.doc|Tous|*.*");
        d.FileName = file("journal");
        return true;
    };
    Form19->SpeedButton3->click();
    EXPECT_EQ(offered, file("rapports/mon rapport.doc"));
    EXPECT_EQ(Form19->Edit3->text(), file("journal.doc"));
    Form19->Button1Click();
    EXPECT_EQ(value(config(), "Control", "RapportFile"), file("journal.doc"));
}

// "Restaurer à la fin de l'exécution" means something only with a mode to restore.
TEST_F(OptionsTest, RestoringTheScreenModeNeedsAModeChosen) {
    Form19->LoadOptions(QString());
    EXPECT_EQ(Form19->ComboBox1->currentText(), "Pas de changement");
    EXPECT_TRUE(Form19->CheckBox7->isChecked());
    EXPECT_FALSE(Form19->CheckBox7->isEnabled());
    Form19->ComboBox1->setCurrentIndex(2);
    EXPECT_TRUE(Form19->CheckBox7->isEnabled());
    Form19->ComboBox1->setCurrentIndex(Form19->ComboBox1->count() - 1);
    EXPECT_FALSE(Form19->CheckBox7->isEnabled());
    write(config(), "[Resolution]\r\nFormat=1024 * 768 32 bits\r\nResFin=False\r\n");
    Form19->LoadOptions(QString());
    EXPECT_TRUE(Form19->CheckBox7->isEnabled());
    EXPECT_FALSE(Form19->CheckBox7->isChecked());
    write(config(), "[Resolution]\r\nFormat=Pas de changement\r\nResFin=True\r\n");
    Form19->LoadOptions(QString());
    EXPECT_FALSE(Form19->CheckBox7->isEnabled());
}

TEST_F(OptionsTest, EveryTabIsShownWithoutScrolling) {
    Form19->show();
    const QTabBar* tabs = Form19->PageControl1->tabBar();
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->isTabVisible(i)) EXPECT_TRUE(tabs->rect().contains(tabs->tabRect(i))) << tabs->tabText(i).toStdString();
}

TEST_F(OptionsTest, TimeFieldArrowsGoRoundInThePartOfTheCaret) {
    struct Case {
        const char* text;
        int caret;
        bool up;
        const char* result;
    } cases[] = {{"23:59", 1, true, "00:59"},  {"23:59", 4, true, "23:00"}, {"00:00", 0, false, "23:00"},
                 {"00:00", 5, false, "00:59"}, {"09:09", 2, true, "10:09"}, {"", 0, true, "00:01"},
                 {"9:30", 0, true, "9:30"},    {"ab:cd", 0, true, "ab:cd"}};
    for (const Case& c : cases) {
        Form19->DT2->setText(c.text);
        Form19->DT2->setCursorPosition(c.caret);
        Form19->UpDown3Click(c.up);
        EXPECT_EQ(Form19->DT2->text(), c.result) << c.text << " caret " << c.caret;
    }
}

TEST_F(OptionsTest, ConfirmedColourIsWrittenAtOnceAndStaysAfterCancel) {
    testServices().onChooseColor = [](QColor& c) {
        c = QColor(255, 0, 0);
        return true;
    };
    Form19->ComboBox4->setCurrentText("Affichage");
    Form19->ComboBox4Click();
    ASSERT_EQ(Form19->ListBox2->count(), 2);
    EXPECT_EQ(Form19->ListBox2->item(0)->text(), "Fond");  // sorted
    Form19->ListBox2->item(1)->setSelected(true);
    Form19->ListBox2DblClick();
    EXPECT_EQ(value(config(), "ColorAffichage", "Texte"), "255");
    Form19->Button2Click();
    EXPECT_EQ(value(config(), "ColorAffichage", "Texte"), "255");

    Form19->ComboBox4->setCurrentText("Police de caractère");
    Form19->ComboBox4Click();
    QStringList rows;
    for (int i = 0; i < Form19->ListBox2->count(); ++i) rows << Form19->ListBox2->item(i)->text();
    EXPECT_EQ(rows, (QStringList{"Commande", "Impression", "Paramètre", "Variable"}));

    // A font row edits the font it names, saved by "Valider".
    testServices().onChooseFont = [](QFont& f) {
        f.setBold(true);
        f.setPointSize(14);
        return true;
    };
    Form19->ListBox2->findItems("Variable", Qt::MatchExactly).first()->setSelected(true);
    Form19->ListBox2DblClick();
    EXPECT_TRUE(Form19->Label15->font().bold());
    Form19->Button1Click();
    EXPECT_EQ(settings().FontVariable.fsBold, "1");
    EXPECT_EQ(settings().FontVariable.Size, "14");
}

TEST_F(OptionsTest, LanguageGoesToTheProgramsConfigEvenWithAMacroFileInUse) {
    const QString macro = file("m.mcr"), own = file("m.ini");
    writeMacro(macro, {{"Pause", "1"}});
    write(own, "[General]\r\nGrille=True\r\n");
    form->OpenFileMacro(macro, form->ListView1, QString(), -1);
    ASSERT_EQ(Form19->Label22->text(), own);
    Form19->ComboBox3->setCurrentText("English");
    Form19->ComboBox3Change();
    EXPECT_EQ(value(config(), "Langage", "Lng"), "English");
    EXPECT_EQ(value(own, "Langage", "Lng"), "<none>");
    EXPECT_EQ(settings().Language, "English");
}

TEST_F(OptionsTest, ValiderKeepsOtherMacrosRecordsByteForByteAndAddsOneOfOurs) {
    auto record = [](const QString& path, char fill) {
        QByteArray bytes(304, '\0');
        TLaunchRecord r = TLaunchRecord::fromBytes(bytes.constData());
        r.setPath(path);
        r.setKind(LaunchAtTime);
        QByteArray out = r.bytes();
        if (fill) {
            out.replace(257, 7, QByteArray(7, fill));
            out.replace(298, 6, QByteArray(6, fill));
            out.replace(200, 50, QByteArray(50, fill));  // the path's unused bytes
        }
        return out;
    };
    const QString a = file("a.mcr"), b = file("b.mcr");
    const QByteArray a1 = record(a, 0), b1 = record(b, 'x'), a2 = record(a, 0), b2 = record(b, 'y');
    write(file("Launch.dat"), a1 + b1 + a2 + b2);
    openMacro(a);
    EXPECT_EQ(Form19->ListBox5->count(), 2);
    Form19->DT1->setDate(QDate(2008, 6, 26));
    Form19->DT2->setText("12:30");
    Form19->RadioButton4->setChecked(true);
    Form19->Button12Click();
    Form19->Button1Click();
    const QByteArray written = read(file("Launch.dat"));
    ASSERT_EQ(written.size(), 5 * 304);
    EXPECT_EQ(written.left(2 * 304), b1 + b2);
    EXPECT_EQ(written.mid(2 * 304, 2 * 304), a1 + a2);
    const QByteArray added = written.mid(4 * 304);
    EXPECT_EQ(added.mid(264, 8), QByteArray::fromHex("000000002059e340"));
    EXPECT_EQ(added.mid(272, 8), QByteArray::fromHex("abaaaaaaaaaae03f"));
    EXPECT_EQ(added.mid(296, 3), QByteArray::fromHex("418000"));  // Alt+A, no Win
    EXPECT_EQ(added.mid(257, 7), QByteArray(7, '\0'));
    EXPECT_EQ(added.mid(298, 6), QByteArray(6, '\0'));
    EXPECT_EQ(TLaunchRecord::fromBytes(added.constData()).path(), a);
}

// A damaged record (a date that is no day) is said and left out; the others load
// and "Valider" writes them back without it.
TEST_F(OptionsTest, DamagedTriggersAreSaidAndLeftOut) {
    const QString a = file("a.mcr");
    auto record = [&](double start) {
        TLaunchRecord r;
        r.setPath(a);
        r.setKind(LaunchAtTime);
        r.setStartDate(start);
        return r.bytes();
    };
    const QByteArray good = record(toLaunchTime(QDate(2008, 6, 26)));
    write(file("Launch.dat"), good + record(std::numeric_limits<double>::quiet_NaN()) + record(-1e308) + good);
    messages.shown.clear();
    openMacro(a);  // the options closed: nobody to tell
    EXPECT_EQ(Form19->ListBox5->count(), 2);
    EXPECT_EQ(messages.texts(), QStringList());
    Form19->show();
    EXPECT_EQ(Form19->ListBox5->count(), 2);
    EXPECT_EQ(messages.texts(), QStringList({"« " + file("Launch.dat") +
                                             " » : 2 enregistrement(s) abîmé(s) (date impossible) laissé(s) de côté."}));
    Form19->Button1Click();
    Form19->hide();
    EXPECT_EQ(read(file("Launch.dat")), good + good);
}

TEST_F(OptionsTest, AShortcutTriggerKeepsItsWinModifier) {
    write(file("Launch.dat"), {});
    openMacro(file("a.mcr"));
    Form19->RadioButton3->setChecked(true);
    Form19->HotKey3->setKeySequence(QKeySequence("Meta+Ctrl+K"));
    Form19->Button12Click();
    Form19->Button1Click();
    TLaunchList records;
    ASSERT_TRUE(ReadLaunchRecords(file("Launch.dat"), records));
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].shortcut(), TextToHotKey("Meta+Ctrl+K"));
    EXPECT_TRUE(records[0].shortcut() & scWin);
}

TEST_F(OptionsTest, TriggersAreDescribedAndHintTheirNextRun) {
    write(file("Launch.dat"), {});
    openMacro(file("a.mcr"));
    const QDate yesterday = QDate::currentDate().addDays(-1);
    struct Case {
        bool shortcut;
        QDate day;
        const char* time;
        int frequency;
        QString line, hint;
    } cases[] = {
        {false, QDate(2008, 6, 26), "12:30", 0, "Tâche planifée prévu le 26/06/08 à 12:30:00.",
         "Cette tâche ne sera plus jamais exécutée, il est conseillé de la supprimer."},
        {false, yesterday, "00:00", 1,
         "Tâche planifée prévu tout les jours a partir du " + yesterday.toString("dd/MM/yy") + " à 00:00:00.",
         "Prochaine exécution le " + QDate::currentDate().addDays(1).toString("dd/MM/yy") + " 00:00:00"},
        {true, QDate(2008, 6, 26), "12:30", 3, "", "En attente d'événement non relatif au temps."},
    };
    for (const Case& c : cases) {
        (c.shortcut ? Form19->RadioButton3 : Form19->RadioButton4)->setChecked(true);
        Form19->DT1->setDate(c.day);
        Form19->DT2->setText(c.time);
        Form19->ComboBox6->setCurrentIndex(c.frequency);
        Form19->Button12Click();
        const QString line = Form19->ListBox5->item(Form19->ListBox5->count() - 1)->text();
        if (c.shortcut)
            EXPECT_TRUE(line.startsWith("Le raccourci clavier  ") && line.endsWith(" est associé a cette macro."))
                << line.toStdString();
        else
            EXPECT_EQ(line, c.line);
        EXPECT_EQ(Form19->ListBox5->toolTip(), c.hint) << line.toStdString();
    }
    // "Supprimer" takes the selected line away.
    Form19->ListBox5->setCurrentRow(0);
    Form19->Button14Click();
    EXPECT_EQ(Form19->MacroLaunches.size(), 2);
    EXPECT_EQ(Form19->MacroLaunches[0].frequency(), 1);
}

TEST_F(OptionsTest, EachTabGivesTheFormItsHelpContext) {
    openMacro(file("a.mcr"));
    const std::pair<QWidget*, int> tabs[] = {
        {Form19->TabSheet1, 1174}, {Form19->TabSheet2, 1175}, {Form19->TabSheet3, 1176},
        {Form19->TabSheet4, 1177}, {Form19->TabSheet5, 1178}, {Form19->TabSheet6, 1179},
        {Form19->TabSheet8, 1180}, {Form19->TabSheet9, 1181}, {Form19->TabSheet7, 1192}};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(Form19->PageControl1->widget(i), tabs[i].first) << i;
        Form19->PageControl1->setCurrentWidget(tabs[(i + 1) % 9].first);
        Form19->PageControl1->setCurrentWidget(tabs[i].first);
        EXPECT_EQ(Form19->property("HelpContext").toInt(), tabs[i].second) << i;
    }
}

TEST_F(OptionsTest, AddRefusesABadTimeAndAPathTooLong) {
    write(file("Launch.dat"), {});
    openMacro(file("a.mcr"));
    for (const char* bad : {"1230", "12:3", "24:00", "12:60", "ab:cd"}) {
        messages.shown.clear();
        Form19->DT2->setText(bad);
        Form19->Button12Click();
        EXPECT_EQ(messages.shown.size(), 1) << bad;
    }
    openMacro(file(QString(300, u'm') + ".mcr"));
    Form19->DT2->setText("12:30");
    messages.shown.clear();
    Form19->Button12Click();
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(Form19->MacroLaunches.isEmpty());
    Form19->Button1Click();
    EXPECT_EQ(read(file("Launch.dat")).size(), 0);
}

TEST_F(OptionsTest, SpeedTestsAreRefusedWhileAMacroRunsAndLeaveItsFlag) {
    RunState().MacroRunning = true;
    RunState().ExecState = 1;
    for (QPushButton* test : {Form19->Button8, Form19->Button9}) {
        messages.shown.clear();
        test->click();
        EXPECT_EQ(messages.shown.size(), 1);
        EXPECT_TRUE(RunState().MacroRunning);
        EXPECT_FALSE(Form19->SpeedTestRunning);
    }
    RunState().MacroRunning = false;
    RunState().ExecState = 0;
}

TEST_F(OptionsTest, ClosingTheDialogEndsTheMouseTest) {
    Form19->show();
    Form19->PageControl1->setCurrentWidget(Form19->TabSheet2);
    QTimer::singleShot(100, Form19, [] { Form19->close(); });
    Form19->Button8Click();  // returns once the test ended
    EXPECT_FALSE(Form19->SpeedTestRunning);
    EXPECT_FALSE(RunState().MacroRunning);
    EXPECT_EQ(Form19->Button8->text(), "Tester la souris");
}

// In another language the tests give the language's captions back, and
// closing the dialog starts no test.
TEST_F(OptionsTest, InEnglishTheTestsKeepTheirCaptionsAndClosingStartsNone) {
    ASSERT_TRUE(QFile::copy(LANGUAGE_FILES "/English.lng", file("English.lng")));
    LoadLanguageFile("English");
    Form19->show();
    Form19->PageControl1->setCurrentWidget(Form19->TabSheet2);
    QTimer::singleShot(100, Form19, [] { Form19->close(); });
    Form19->Button8Click();
    EXPECT_EQ(Form19->Button8->text(), "Test the mouse");
    EXPECT_TRUE(Form19->Label7->text().startsWith("A pause is sometimes needed")) << Form19->Label7->text().toStdString();

    auto& fake = static_cast<FakePlatform&>(desktop());
    fake.calls.clear();
    Form19->show();
    QTimer::singleShot(1000, Form19, [] { Form19->SpeedTestRunning = false; });  // a test started would end here
    Form19->close();
    EXPECT_FALSE(Form19->isVisible());
    EXPECT_TRUE(fake.calls.filter("SetCursorPos").isEmpty()) << fake.calls.join(u'\n').toStdString();
    ResetMessageTexts();
}

TEST_F(OptionsTest, PluginsAddedAndRemovedGoToTheProgramsConfig) {
    const QString macro = file("m.mcr"), own = file("m.ini");
    writeMacro(macro, {{"Pause", "1"}});
    write(own, "[General]\r\nGrille=True\r\n");
    form->OpenFileMacro(macro, form->ListView1, QString(), -1);
    qputenv("SONDE_NOM", "SondeOptions");
    qputenv("SONDE_RUBRIQUE", "Sondes");
    testServices().onChooseFile = [](TFileDialog& d) {
        EXPECT_EQ(d.Filter, "Plugin|*.so");
        d.FileName = SONDE_PLUGIN;
        return true;
    };
    Form19->Button5Click();
    ASSERT_EQ(Form19->ListBox3->count(), 1);
    EXPECT_EQ(Form19->ListBox3->item(0)->text(), "Sondes");
    ASSERT_EQ(Form19->ListBox4->count(), 1);
    EXPECT_EQ(Form19->ListBox4->item(0)->text(), "SondeOptions");
    EXPECT_TRUE(Form19->Memo3->toPlainText().startsWith(SONDE_PLUGIN));
    EXPECT_EQ(platform::IniFile(config()).ReadSectionValues("DynOrder").size(), 1);
    EXPECT_FALSE(platform::IniFile(own).SectionExists("DynOrder"));
    auto paletteHas = [this](const QString& caption) {
        for (int i = 0; i < form->PageControl2->count(); ++i)
            if (form->PageControl2->tabText(i) == caption) return true;
        return false;
    };
    EXPECT_TRUE(paletteHas("Sondes"));

    Form19->Button10Click();
    EXPECT_EQ(Form19->ListBox4->count(), 0);
    EXPECT_EQ(Form19->ListBox3->count(), 0);
    EXPECT_FALSE(paletteHas("Sondes"));
    EXPECT_TRUE(platform::IniFile(config()).ReadSectionValues("DynOrder").isEmpty());
    EXPECT_TRUE(messages.shown.isEmpty());
    qunsetenv("SONDE_NOM");
    qunsetenv("SONDE_RUBRIQUE");
}

TEST_F(OptionsTest, AHotkeyFieldReleasesItsKeyWhileFocusedAndTakesTheNewOneWhenLeft) {
    Form19->LoadOptions(QString());
    ASSERT_TRUE(HotKeyManager1->Registered(TextToHotKey("Alt+F2")));
    QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
    QCoreApplication::sendEvent(Form19->HotKey2, &in);
    EXPECT_FALSE(HotKeyManager1->Registered(TextToHotKey("Alt+F2")));
    Form19->HotKey2->setKeySequence(QKeySequence("Alt+F5"));
    QCoreApplication::sendEvent(Form19->HotKey2, &out);
    EXPECT_TRUE(HotKeyManager1->Registered(TextToHotKey("Alt+F5")));
    EXPECT_FALSE(HotKeyManager1->Registered(TextToHotKey("Alt+F2")));
    EXPECT_EQ(value(config(), "Control", "StopExecute"), "<none>");  // stored only by "Valider"
}

// A combination typed into the stop field, then "Annuler" or "Valider": the
// grabs are the stored hotkeys, and the one in force is the one that stops.
TEST_F(OptionsTest, HotkeysInForceAfterAnEditAreThoseStored) {
    int stopQuestions = 0;
    testServices().onMessage = [&](const MessageRequest& r) {
        if (r.text.contains("stopper")) ++stopQuestions;
        return int(mrNo);
    };
    auto typeIntoStopField = [](const char* keys) {
        Form19->show();
        QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
        QCoreApplication::sendEvent(Form19->HotKey2, &in);
        Form19->HotKey2->setKeySequence(QKeySequence(keys));
        QCoreApplication::sendEvent(Form19->HotKey2, &out);
    };
    auto grabbed = [](const char* keys) { return HotKeyManager1->Registered(TextToHotKey(keys)); };
    // A key asks to stop a run going on (an idle editor asks nothing).
    auto pressDuringRun = [](const char* keys) {
        RunState().ExecState = 1;
        HotKeyManager1HotKeyPressed(TextToHotKey(keys), 0);
        RunState().ExecState = 0;
    };
    for (int round = 0; round < 2; ++round) {
        typeIntoStopField("Ctrl+Shift+F9");
        Form19->Button2Click();
        EXPECT_TRUE(grabbed("Alt+F1"));
        EXPECT_TRUE(grabbed("Alt+F2"));
        EXPECT_FALSE(grabbed("Ctrl+Shift+F9")) << "round " << round;
    }
    pressDuringRun("Alt+F2");
    EXPECT_EQ(stopQuestions, 1);

    typeIntoStopField("Ctrl+Shift+F9");
    Form19->Button1Click();
    EXPECT_TRUE(grabbed("Ctrl+Shift+F9"));
    EXPECT_FALSE(grabbed("Alt+F2"));
    EXPECT_EQ(value(config(), "Control", "StopExecute"), "Ctrl+Shift+F9");
    pressDuringRun("Ctrl+Shift+F9");
    pressDuringRun("Alt+F2");
    EXPECT_EQ(stopQuestions, 2);

    // Closed while the field still has the focus: the stored key comes back.
    Form19->show();
    QFocusEvent in(QEvent::FocusIn);
    QCoreApplication::sendEvent(Form19->HotKey2, &in);
    EXPECT_FALSE(grabbed("Ctrl+Shift+F9"));
    Form19->close();
    EXPECT_TRUE(grabbed("Ctrl+Shift+F9"));
}

TEST_F(OptionsTest, ValiderTellsARunningSchedulerAndNoOneElse) {
    auto& fake = static_cast<FakePlatform&>(desktop());
    openMacro(file("a.mcr"));
    Form19->Button1Click();
    EXPECT_FALSE(fake.calls.join(u'\n').contains(" 3025 ")) << "no scheduler, nothing sent";
    fake.windows << FakeWindow{0x77, "TLaunchForm", "OrvanelLaunch", QRect(0, 0, 1, 1)};
    fake.calls.clear();
    Form19->Button1Click();
    EXPECT_TRUE(fake.calls.contains("PostClientMessage 0x77 3025 0 0")) << fake.calls.join(u'\n').toStdString();
}

// Triggers validated while no scheduler runs: one is started, or the user told.
TEST_F(OptionsTest, ValiderStartsTheSchedulerForTriggersWhenNoneRuns) {
    auto& fake = static_cast<FakePlatform&>(desktop());
    auto starts = [&fake] { return fake.calls.filter("StartProgram "); };
    write(file("Launch.dat"), {});
    openMacro(file("a.mcr"));
    Form19->Button1Click();
    EXPECT_TRUE(starts().isEmpty()) << "no trigger, no scheduler";
    Form19->Button12Click();
    Form19->Button1Click();
    ASSERT_EQ(starts().size(), 1);
    EXPECT_TRUE(starts()[0].endsWith("/OrvanelLaunch")) << starts()[0].toStdString();
    EXPECT_TRUE(messages.shown.isEmpty());

    fake.calls.clear();
    fake.launchResult = LAUNCH_NOT_FOUND;
    Form19->Button1Click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith("Le planificateur de tâches")) << messages.shown[0].text.toStdString();

    fake.calls.clear();
    fake.windows << FakeWindow{0x77, "TLaunchForm", "OrvanelLaunch", QRect(0, 0, 1, 1)};
    Form19->Button1Click();
    EXPECT_TRUE(starts().isEmpty()) << "one runs already";
    EXPECT_TRUE(fake.calls.contains("PostClientMessage 0x77 3025 0 0"));
}

// A small HTTP server that answers every GET with the same body.
class UpdateServerStub : public QTcpServer {
public:
    QByteArray body;
    UpdateServerStub() {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    if (!s->readAll().contains("\r\n\r\n")) return;
                    s->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) +
                             "\r\nConnection: close\r\n\r\n" + body);
                    s->disconnectFromHost();
                });
            }
        });
    }
};

TEST_F(OptionsTest, UpdateCheckShowsTheNewsOfLaterReleasesOnly) {
    UpdateServerStub server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    qputenv("ORVANEL_UPDATE_URL", "http://127.0.0.1:" + QByteArray::number(server.serverPort()));
    struct Case {
        QByteArray file;
        QString memo;
        bool asked;
    } cases[] = {
        {"Nouvelle interface\r\n12/09/08\r\nCorrections\r\n26/06/08\r\nAncien\r\n",
         "\nNouvelle interface\n12/09/08\nCorrections", true},
        {"26/06/08\r\nAncien\r\n", "Aucune mise à jour n'a été trouvée sur le serveur.\n", false},
        {"31/02/09\r\n00/13/08\r\n01/01/08\r\n", "\n31/02/09\n00/13/08", true},
        {"Sans date 1/1/09\r\n", "\nSans date 1/1/09", true},
    };
    for (const Case& c : cases) {
        server.body = c.file;
        messages.shown.clear();
        Form19->Button7Click();
        EXPECT_EQ(Form19->Label33->text(), "Status : Recherche terminée avec succès.");
        EXPECT_EQ(Form19->Memo1->toPlainText(), c.memo) << c.file.toStdString();
        EXPECT_EQ(messages.texts(), c.asked ? QStringList{"Une version plus recente de Orvanel existe. Voulez vous la "
                                                          "télécharger ?"}
                                            : QStringList())
            << c.file.toStdString();
    }
    EXPECT_FALSE(QFile::exists(file("update.ini")));

    // "Oui" opens the installer's address.
    messages.answer = mrYes;
    server.body = "Nouveau\r\n";
    Form19->Button7Click();
    ASSERT_EQ(testServices().openedUrls.size(), 1);
    EXPECT_TRUE(testServices().openedUrls[0].toString().endsWith("/Download/Orvanel_install.exe"));
    messages.answer = mrNone;

    // A server that does not answer: the reason, no news, the date of the last check kept.
    write(config(), "[MAJ]\r\nDateVerif=01/01/09\r\n");
    Form19->LoadOptions(QString());
    settings().UpdateCheckDone = false;  // as at start-up, before any check
    server.close();
    messages.shown.clear();
    Form19->Button7Click();
    EXPECT_TRUE(Form19->Label33->text().startsWith("Erreur : ")) << Form19->Label33->text().toStdString();
    EXPECT_FALSE(Form19->Memo1->toPlainText().contains("Aucune mise à jour"));
    EXPECT_TRUE(messages.shown.isEmpty());
    Form19->Button1Click();
    EXPECT_EQ(value(config(), "MAJ", "DateVerif"), "01/01/09");
    qunsetenv("ORVANEL_UPDATE_URL");
}

// A hostile server: an answer without end, a length it never keeps, or one
// byte at a time. Each is dropped, within the limits, as a failed download.
class HostileServer : public QTcpServer {
public:
    enum Kind { Endless, HugeLength, Trickle } kind = Endless;
    HostileServer() {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    if (!s->readAll().contains("\r\n\r\n")) return;
                    s->write(kind == HugeLength ? "HTTP/1.1 200 OK\r\nContent-Length: 17000000000\r\n\r\n"
                                                : "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
                    auto* feed = new QTimer(s);
                    connect(feed, &QTimer::timeout, s, [this, s] {
                        if (s->bytesToWrite() < (1 << 20)) s->write(QByteArray(kind == Trickle ? 1 : 1 << 16, 'x'));
                    });
                    feed->start(kind == Trickle ? 100 : 0);
                });
            }
        });
    }
};

TEST_F(OptionsTest, UpdateAnswersPastTheLimitsAreDropped) {
    HostileServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const QByteArray site = "http://127.0.0.1:" + QByteArray::number(server.serverPort());
    qputenv("ORVANEL_UPDATE_URL", site);
    for (const HostileServer::Kind kind : {HostileServer::Endless, HostileServer::HugeLength}) {
        server.kind = kind;
        QElapsedTimer clock;
        clock.start();
        Form19->Button7Click();
        EXPECT_LT(clock.elapsed(), 10000);
        EXPECT_EQ(Form19->Label33->text(), "Erreur : réponse trop longue (plus de 64 Ko)");
        EXPECT_EQ(Form19->Memo1->toPlainText(), "");
        EXPECT_TRUE(Form19->Button7->isEnabled());
    }
    qunsetenv("ORVANEL_UPDATE_URL");

    // A trickle is cut at the deadline of the whole answer, not of each byte.
    server.kind = HostileServer::Trickle;
    QByteArray body = "kept";
    QString error;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(HttpGetToStream(QUrl(site + "/Download/update.ini"), body, error, HttpLimits{64 * 1024, 1000}));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(error, "Erreur : pas de réponse complète en 1 s");
    EXPECT_EQ(body, "kept");
}

}  // namespace
