// Language files, the command tree and its descriptions, text of another
// language, and mail.
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"

#include "core/BuildInfo.h"
#include "core/CommandTree.h"
#include "core/CplBrd.h"
#include "core/Description.h"
#include "core/FileDialog.h"
#include "core/Form.h"
#include "core/MessageTexts.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "editors/CommandTree.h"
#include "editors/Unit11.h"
#include "editors/Unit26.h"
#include "platform/Cp1252.h"
#include "platform/ProgramFolder.h"
#include "tools/ModuleSup.h"
#include "tools/OtherLang.h"
#include "tools/Unit19.h"
#include "tools/Unit37.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

class LanguageTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        FillCommandNames();
        LastDescriptionPath.clear();
        ResetMessageTexts();
    }
    void TearDown() override {
        ResetMessageTexts();
        LastDescriptionPath.clear();
        MainWindowTest::TearDown();
    }
    void writeLanguage(const QString& name, const QString& text) {
        WriteBytes(platform::programFile(name + u".lng"_s), platform::toCp1252(text));
    }
    // Selects the node of that built-in path (" > " between the levels).
    QTreeWidgetItem* select(const QString& path) {
        for (QTreeWidgetItemIterator it(form->TreeView1); *it; ++it) {
            form->TreeView1->setCurrentItem(*it);
            if (GetTreeViewFullText(form->TreeView1, true) == path) return *it;
        }
        return nullptr;
    }
    QStringList visibleForms() const {
        QStringList out;
        for (int n = 2; n <= 37; ++n)
            if (QWidget* w = MadeWindow(n); w && w->isVisible()) out << w->objectName();
        return out;
    }
};

TEST_F(LanguageTest, TheTreeHoldsEveryCommandThenThePlugins) {
    int nodes = 0;
    for (QTreeWidgetItemIterator it(form->TreeView1); *it; ++it) ++nodes;
    EXPECT_EQ(nodes, BuiltInCommandNodes());
    EXPECT_EQ(TAllDetailOrder.size(), nodes);
    ASSERT_TRUE(select(u"Fonction > Texte > Longueur"_s));
    EXPECT_EQ(GetTreeViewFullText(form->TreeView1, false), u"Fonction > Texte > Longueur");
    EXPECT_EQ(GetTreeViewFullText(nullptr, true), QString());
    SetCommandDisplayName(u"ignored"_s, nodes);  // outside the table: nothing
    SetCommandDisplayName(u"ignored"_s, -1);
    EXPECT_EQ(TAllDetailOrder.size(), nodes);
}

TEST_F(LanguageTest, AFileReplacesTheTextsItNamesAndNoOthers) {
    writeLanguage(u"Test"_s, u"[Menu1]\r\nMacro1=Makro\r\n[Form1]\r\nItem1=Tastatur\r\nItem2=Texteingabe\r\n"
                             u"Item140=Jamais\r\nOrder=Befehl\r\n[Form23]\r\nLng_UsedCpu=%s\r\n"
                             u"[Form2]\r\nButton2=Abbrechen\r\n[Debug]\r\nDbg_NoError=Nichts\r\n"_s);
    QTreeWidgetItem* node139 = ItemAtAbsoluteIndex(form->TreeView1, 139);
    const QString typeSpecial = Window(4)->windowTitle();
    const QString before139 = node139->text(0);
    for (int load = 0; load < 3; ++load) LoadLanguageFile(u"Test"_s);
    EXPECT_EQ(form->findChild<QMenu*>(u"Macro1"_s)->title(), u"Makro");
    EXPECT_EQ(form->TreeView1->topLevelItem(0)->text(0), u"Tastatur");
    EXPECT_EQ(TAllDetailOrder[0].BaseName, u"Clavier");
    EXPECT_EQ(TAllDetailOrder[0].DisplayName, u"Tastatur");
    EXPECT_EQ(node139->text(0), before139);
    EXPECT_EQ(form->ListView1->items().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), u"Befehl");
    EXPECT_EQ(Window(2)->findChild<QPushButton*>(u"Button2"_s)->text(), u"Abbrechen");
    EXPECT_EQ(MessageText(u"Debug"_s, u"Dbg_NoError"_s), u"Nichts");
    // Placeholders of another kind: the built-in text stays, the About box opens.
    EXPECT_EQ(MessageText(u"Form23"_s, u"Lng_UsedCpu"_s), u"Utilisation CPU %5.2f%%");
    Window(23)->show();
    Window(23)->close();
    // The version label takes the date once, however many loads.
    const QString version = Form19->findChild<QLabel*>(u"Label30"_s)->text();
    EXPECT_TRUE(version.endsWith(u' ' + ProgramBuildDate())) << version.toStdString();
    EXPECT_EQ(version.count(ProgramBuildDate()), 1);
    // A translated node names its dialog; an untranslated one leaves the built-in caption.
    EXPECT_EQ(Window(2)->windowTitle(), u"Texteingabe");
    EXPECT_EQ(Window(4)->windowTitle(), typeSpecial);
    // The double-click dispatches on the built-in names.
    ASSERT_TRUE(select(u"Clavier > Tape de Texte"_s));
    TreeView1DblClick();
    EXPECT_TRUE(Window(2)->isVisible());
}

// Qt's standard buttons and dialogs follow the language of the interface.
TEST_F(LanguageTest, QtsOwnTextsFollowTheLanguage) {
    auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    auto open = [] { return QCoreApplication::translate("QFileDialog", "&Open"); };
    writeLanguage(u"Français"_s, u"[Menu1]\r\n"_s);
    writeLanguage(u"English"_s, u"[Menu1]\r\n"_s);
    LoadLanguageFile(u"Français"_s);
    EXPECT_EQ(yes(), u"&Oui");
    EXPECT_EQ(open(), u"&Ouvrir");
    LoadLanguageFile(u"English"_s);
    EXPECT_EQ(yes(), u"&Yes");
    EXPECT_EQ(open(), u"&Open");
    LoadLanguageFile(u"Absent"_s);  // no file: nothing changes
    EXPECT_EQ(yes(), u"&Yes");
    UseQtTranslation(u"Klingon"_s);  // no translation: Qt's own English
    EXPECT_EQ(yes(), u"&Yes");
}

TEST_F(LanguageTest, TranslationsWithOtherPlaceholdersAreRefused) {
    struct Case {
        const char* format;
        const char* kinds;
    } const cases[] = {{"Utilisation CPU %5.2f%%", "f"}, {"%s et %d", "sd"}, {"Total %.0n Ko", "n"}, {"100%%", ""}};
    for (const Case& c : cases) EXPECT_EQ(PlaceholderKinds(QString::fromUtf8(c.format)), QLatin1String(c.kinds));
    EXPECT_FALSE(SetMessageText(u"Form23"_s, u"Lng_Memory"_s, u"Memory %s"_s));
    EXPECT_FALSE(SetMessageText(u"Form19"_s, u"Lng_LastExecution"_s, u"Start %s end %s"_s));
    EXPECT_TRUE(SetMessageText(u"Form23"_s, u"Lng_Memory"_s, u"Memory %d"_s));
    EXPECT_EQ(FormatMessageText(u"CPU %5.2f%%"_s, {3.5}), u"CPU  3.50%");
    EXPECT_EQ(FormatMessageText(u"%s-%d"_s, {u"a"_s, 7}), u"a-7");
}

TEST_F(LanguageTest, SavingADescriptionKeepsEverySection) {
    settings().Language = u"Test"_s;
    const QByteArray sections = "[Form2]\r\nButton1=OK\r\n[Form3]\r\nButton1=Fine\r\n";
    WriteBytes(platform::programFile(u"Test.lng"_s),
              "[Menu1]\r\nMacro1=Macro\r\n;;Clavier > Tape de Texte;;\r\nAncienne.\r\n" + sections);
    LoadLanguageFile(u"Test"_s);
    ASSERT_TRUE(select(u"Clavier > Tape de Texte"_s));
    TreeView1Click();
    EXPECT_EQ(form->RichEdit2->toPlainText(), u"Ancienne.");
    form->RichEdit2->setPlainText(u"Nouvelle.\nSuite."_s);
    form->findChild<QAction*>(u"Enregistrer2"_s)->trigger();
    EXPECT_EQ(ReadBytes(platform::programFile(u"Test.lng"_s)),
              "[Menu1]\r\nMacro1=Macro\r\n" + sections + ";;Clavier > Tape de Texte;;\r\nNouvelle.\r\nSuite.\r\n");
    // Shown again after another node: the edited text.
    ASSERT_TRUE(select(u"Souris > Clique"_s));
    TreeView1Click();
    ASSERT_TRUE(select(u"Clavier > Tape de Texte"_s));
    TreeView1Click();
    EXPECT_EQ(form->RichEdit2->toPlainText(), u"Nouvelle.\nSuite.");
}

TEST_F(LanguageTest, AFirstClickStoresNoBlockWithoutAPath) {
    DescriptionLines = {u"[Menu1]"_s};
    form->RichEdit2->setPlainText(u"typed before any node"_s);
    ASSERT_TRUE(select(u"Souris > Clique"_s));
    TreeView1Click();
    EXPECT_EQ(DescriptionLines, QStringList({u"[Menu1]"_s}));
    EXPECT_EQ(LastDescriptionPath, u"Souris > Clique");
}

TEST_F(LanguageTest, DefineHGivesTheLongestKeysContext) {
    WriteBytes(platform::programFile(u"define.h"_s),
              "#define COMMANDE-CLAVIER-TAPE-DE-TEXTE 1001\n#define COMMANDE-CLAVIER 1000\n"
              "#define COMMANDE-EXECUTE-EMAIL 1200\n");
    EXPECT_EQ(DefineHelpContext(u"Clavier > Tape de Texte"_s), 1001);
    EXPECT_EQ(DefineHelpContext(u"Clavier > Combinaison de touche"_s), 1000);
    EXPECT_EQ(DefineHelpContext(u"Exécute > Email"_s), 1200);
    EXPECT_EQ(DefineHelpContext(u"Souris"_s), 0);
}

TEST_F(LanguageTest, DoubleClicksOpenTheirDialogsWithTheirPresets) {
    ASSERT_TRUE(select(u"Exécute > Email"_s));
    TreeView1DblClick();
    auto* execute = static_cast<TForm26*>(Window(26));
    ASSERT_TRUE(execute->isVisible());
    EXPECT_EQ(execute->ComboBox1->currentText(), u"mailto:");
    execute->close();

    ASSERT_TRUE(select(u"Examine > Différent"_s));
    TreeView1DblClick();
    ASSERT_TRUE(Window(11)->isVisible());
    EXPECT_TRUE(Window(11)->findChild<QRadioButton*>(u"RadioButton4"_s)->isChecked());
    Window(11)->close();

    QStringList fonction;
    const auto previous = PresetFonctionDialog;
    PresetFonctionDialog = [&](const QString& category, const QString& item) { fonction = {category, item}; };
    ASSERT_TRUE(select(u"Fonction > Texte > Longueur"_s));
    TreeView1DblClick();
    PresetFonctionDialog = previous;
    EXPECT_EQ(fonction, QStringList({u"Texte"_s, u"Longeur"_s}));

    for (const QString& path : {u"Clavier"_s, u"Fonction > Date"_s}) {
        ASSERT_TRUE(select(path));
        TreeView1DblClick();
        EXPECT_EQ(visibleForms(), QStringList()) << path.toStdString();
    }
    EXPECT_TRUE(messages.shown.isEmpty());
    ASSERT_TRUE(select(u"Ouvrir une session au démarrage"_s));
    TreeView1DblClick();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(u"n'existe pas sur ce système"_s));
}

// ---- Text of another language ----

class OtherLangTest : public LanguageTest {
protected:
    void linkage(const QByteArray& text, const QString& name = u"Pascal.OtherLangEditor"_s) {
        WriteBytes(platform::programFile(name), text);
    }
    // The picker answers with the file of that name, or is cancelled (empty).
    void pick(const QString& name) {
        testServices().onModal = [name](QWidget& w) {
            auto* picker = static_cast<TForm37*>(&w);
            w.show();
            for (int i = 0; i < picker->ListBox1->count(); ++i)
                if (picker->ListBox1->item(i)->text().endsWith(u'/' + name)) picker->ListBox1->setCurrentRow(i);
            (name.isEmpty() ? picker->Button2 : picker->Button1)->click();
        };
    }
    QStringList imported(const QString& text) {
        const QString file = home.filePath(u"texte.pas"_s);
        WriteBytes(file, platform::toCp1252(text));
        form->ListView1->clear();
        ImportOtherLangText(file, nullptr);
        return rowTexts();
    }
};

TEST_F(OtherLangTest, TheExportWritesTheExampleBytes) {
    linkage("[Alias]\r\nGoto=goto\r\n");
    setRows({{u"Goto"_s, u"Debut;"_s}});
    pick(u"Pascal.OtherLangEditor"_s);
    const QString target = home.filePath(u"sortie.pas"_s);
    testServices().onChooseFile = [&](TFileDialog& d) {
        EXPECT_EQ(d.Filter, u"Pascal|*.pas;|Tous|*.*");
        d.FileName = target;
        return true;
    };
    form->findChild<QAction*>(u"ExporterversOtherLangage1"_s)->trigger();
    EXPECT_EQ(ReadBytes(target), "LangEditor=Pascal.OtherLangEditor\r\n\r\ngoto\tDebut \r\n\r\n");

    CplBrd::SetClipboardText(u"avant"_s);
    form->findChild<QAction*>(u"OtherLangEditor1"_s)->trigger();
    EXPECT_EQ(CplBrd::GetClipboardText(), u"goto(Debut)\r\n");

    // A file that cannot be written is said; nothing else happens.
    testServices().onChooseFile = [&](TFileDialog& d) {
        d.FileName = home.filePath(u"absent/sortie.pas"_s);
        return true;
    };
    form->findChild<QAction*>(u"ExporterversOtherLangage1"_s)->trigger();
    EXPECT_EQ(messages.shown.size(), 1);
}

TEST_F(OtherLangTest, ACancelledOrClosedPickerChoosesNothing) {
    linkage("[Alias]\r\nGoto=goto\r\n");
    setRows({{u"Goto"_s, u"Debut;"_s}});
    CplBrd::SetClipboardText(u"gardé"_s);
    pick(QString());
    form->findChild<QAction*>(u"OtherLangEditor1"_s)->trigger();
    EXPECT_EQ(CplBrd::GetClipboardText(), u"gardé");
    pick(u"Pascal.OtherLangEditor"_s);
    EXPECT_TRUE(ListOtherLangEditors().endsWith(u"/Pascal.OtherLangEditor"_s));
    testServices().onModal = [](QWidget& w) { w.close(); };  // the title bar's close button
    EXPECT_EQ(ListOtherLangEditors(), QString());
    // "Valider" without a choice says so and stays open.
    testServices().onModal = [](QWidget& w) {
        auto* picker = static_cast<TForm37*>(&w);
        w.show();
        picker->ListBox1->clearSelection();
        picker->ListBox1->setCurrentRow(-1);
        picker->Button1->click();
        EXPECT_TRUE(w.isVisible());
        w.close();
    };
    messages.shown.clear();
    EXPECT_EQ(ListOtherLangEditors(), QString());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, u"Veuillez sélectionner un langage.");
}

TEST_F(OtherLangTest, StatementsOfTheExportAndTheCopy) {
    linkage(platform::toCp1252(u"[General]\r\nAffectationOperator=:=\r\n[Alias]\r\nCalcul évolué=\r\n"_s));
    const TLinkageFile link = ReadLinkageFile(platform::programFile(u"Pascal.OtherLangEditor"_s), LinkageUse::Export);
    EXPECT_EQ(OtherLangRows(link, {{u"Calcul évolué"_s, u"[X]=[X]+1;"_s, -1}, {u"Commentaire"_s, u"note"_s, -1}}),
              u"[X]:=[X]+1\r\n\r\n//note\r\n");
}

TEST_F(OtherLangTest, TheImportExamplesGiveTheirRows) {
    linkage("[General]\r\nParametre=()\r\n");
    const QString head = u"LangEditor=Pascal.OtherLangEditor\r\n\r\n"_s;
    EXPECT_EQ(imported(head + u"Examine(a<>b)\r\nCalcul(a*b-c)\r\n\r\nType('l''été')\r\npause\r\n"_s),
              QStringList({u"Examine|a;<>;b;"_s, u"Calcul|a*b;-;c;"_s, u"Type|l'été"_s, u"Unknow|pause"_s}));
    // The linkage file is found whatever the case of its name.
    EXPECT_EQ(imported(u"langeditor=PASCAL.otherlangeditor\r\nGoto(Fin)\r\n"_s), QStringList({u"Goto|Fin"_s}));
    form->ListView2->clear();
    EXPECT_EQ(imported(u"Goto(Fin)\r\n"_s), QStringList());
    EXPECT_EQ(imported(u"LangEditor=Absent.OtherLangEditor\r\nGoto(Fin)\r\n"_s), QStringList());
    QStringList errors;
    for (int i = 0; i < form->ListView2->topLevelItemCount(); ++i) errors << form->ListView2->topLevelItem(i)->text(2);
    EXPECT_TRUE(errors.contains(u"Le paramètre LangEditor doit être spécifier en tête de fichier."_s));
    EXPECT_TRUE(errors.contains(u"Le fichier de linkage nommé \"absent.otherlangeditor\" est introuvable."_s));
}

TEST_F(OtherLangTest, AnAssignmentKeepsEveryCharacter) {
    linkage("[General]\r\nParametre=()\r\nAffectationOperator=:=\r\n[Alias]\r\nVide=\r\n");
    EXPECT_EQ(imported(u"LangEditor=Pascal.OtherLangEditor\r\nVariable([X];0;Numerique)\r\n[X]:=[X]+10\r\n"_s),
              QStringList({u"Variable|[X];0;Numerique;"_s, u"Calcul évolué|[X]=[X]+10"_s}));
}

TEST_F(OtherLangTest, AnExportReadsBackAsTheSameRows) {
    const QVector<QPair<QString, QString>> rows = {{u"Commentaire"_s, u"Début du test"_s},
                                                   {u"Variable"_s, u"[X];0;Numerique;"_s},
                                                   {u"Label"_s, u"Debut"_s},
                                                   {u"Calcul"_s, u"[X];+;1;"_s},
                                                   {u"Goto"_s, u"Debut"_s}};
    for (const QByteArray& brackets : {QByteArray(), QByteArray("[General]\r\nParametre=()\r\n")}) {
        SCOPED_TRACE(brackets.toStdString());
        linkage(brackets + "[Alias]\r\nGoto=aller\r\n");
        setRows(rows);
        const QStringList expected = rowTexts();
        pick(u"Pascal.OtherLangEditor"_s);
        const QString target = home.filePath(u"aller-retour.pas"_s);
        testServices().onChooseFile = [&](TFileDialog& d) {
            d.FileName = target;
            return true;
        };
        form->findChild<QAction*>(u"ExporterversOtherLangage1"_s)->trigger();
        form->ListView1->clear();
        ImportOtherLangText(target, nullptr);
        EXPECT_EQ(rowTexts(), expected);
    }
}

// ---- Mail ----

class MailTest : public LanguageTest {
protected:
    void SetUp() override {
        LanguageTest::SetUp();
        path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(home.path()) + ':' + path);
    }
    void TearDown() override {
        qputenv("PATH", path);
        LanguageTest::TearDown();
    }
    // A mail program that writes its arguments, one a line, and exits with status.
    void fakeMailProgram(int status) {
        const QString program = home.filePath(u"xdg-email"_s);
        WriteBytes(program, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                               QFile::encodeName(home.filePath(u"args"_s)) + "\"\nexit " + QByteArray::number(status) + "\n");
        QFile(program).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    QStringList arguments() const {
        return QString::fromUtf8(ReadBytes(home.filePath(u"args"_s))).split(u'\n', Qt::SkipEmptyParts);
    }
    QByteArray path;
};

TEST_F(MailTest, TheMailProgramReceivesTheMessage) {
    fakeMailProgram(0);
    const QString lng = platform::programFile(u"Français.lng"_s);
    EXPECT_EQ(SendMailMapi({u"to=auteur@example.org"_s, u"subject=Orvanel"_s, u"body="_s, u"attachment0="_s + lng}), 0);
    EXPECT_EQ(arguments(), QStringList({u"--utf8"_s, u"--subject"_s, u"Orvanel"_s, u"--attach"_s, lng,
                                        u"auteur@example.org"_s}));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(SendMailMapi({u"subject=Orvanel"_s, u"attachment1=/tmp/x"_s}), 0);
    EXPECT_EQ(arguments(), QStringList({u"--utf8"_s, u"--subject"_s, u"Orvanel"_s}));
}

TEST_F(MailTest, AFailingMailProgramIsAFailure) {
    fakeMailProgram(3);
    EXPECT_NE(SendMailMapi({u"to=auteur@example.org"_s}), 0);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, u"Error while trying to send email");
}

}  // namespace
