#include "core/ProcessPriority.h"
#include "core/Unit29.h"
#include "tests/unit/test_macrofile_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <QTreeWidget>

namespace {

using golden::record;

class MacroFileTest : public FilesTest {
protected:
    // Two rows, password "abc", one watched variable, priority "Haute", by the independent encoder.
    QByteArray goldenFile() const {
        return record("Info", "abc", true) + record("Infos", "False", true) +
               record("Variable", "X;5;Numerique;", true) + record("Type", "\xC9t\xE9 \xE0 5\x80;", true) +
               record("\xC9valuer", "X", true) + record("[Process Priority]", "1", true);
    }
    QStringList watchNames() const { return WatchedNames(*form); }
};

TEST_F(MacroFileTest, GoldenFileOpensWithItsRows) {
    writeFile(path("golden.mcr"), goldenFile());
    typedPassword = "abc";
    EXPECT_EQ(form->OpenFileMacro(path("golden.mcr"), form->ListView1, "Chargement", -1), 2);
    EXPECT_EQ(rowTexts(), QStringList({"Variable|X;5;Numerique;", "Type|Été à 5€;"}));
    EXPECT_EQ(form->ListView1->icon(0), 9);
    EXPECT_EQ(watchNames(), QStringList({"X"}));
    EXPECT_EQ(ProcessPriorityNames().value(ProcessPriority), "Haute");
    EXPECT_EQ(desk().nices.last(), -10);  // applied
    EXPECT_EQ(OpenMacroFile().password, "abc");
    EXPECT_EQ(form->StatusPanel[0]->text(), path("golden.mcr"));
    EXPECT_EQ(form->SaveDialog1->FileName, path("golden.mcr"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(MacroFileTest, SavedFilesDecodeWithTheScheme) {
    setRows({{"Variable", "X;5;Numerique;"}, {"Type", "Été;"}, {"Pause", "1;Sec;"}});
    AddWatchRow(*form, "X", "5");
    TTabIgnoreMsg = {{"3", "Avertissement", true}, {"4", "Oublié", false}};
    ProcessPriority = 1;
    OpenMacroFile().password = "abc";
    saveAs(path("m.mcr"));
    ASSERT_EQ(messageTexts(), QStringList({"Votre macro n'est pas en priorité normal, voulez vous sauvegarder ce "
                                           "paramètre ?"}));
    const auto records = golden::read(readFile(path("m.mcr")), true);
    ASSERT_EQ(records.size(), 8);
    QStringList rows;
    for (const auto& r : records) rows << QString::fromLatin1(r.keyword + '|' + r.params);
    const int info = int(rows.indexOf("Info|abc"));
    ASSERT_GE(info, 0);
    ASSERT_LE(info, 1);  // before a drawn row, never after the last one
    EXPECT_EQ(rows[info + 1], "Infos|False");
    rows.remove(info, 2);
    EXPECT_EQ(rows, QStringList({"Variable|X;5;Numerique;", QString::fromLatin1("Type|\xC9t\xE9;"), "Pause|1;Sec;",
                                 QString::fromLatin1("\xC9valuer|X"), "IgnoreMsg|3~Avertissement",
                                 "[Process Priority]|1"}));
    EXPECT_FALSE(OpenMacroFile().modified);
    EXPECT_EQ(form->windowTitle(), "m.mcr - Orvanel");

    // Without a password the bytes are plain: "É" is one byte, C9.
    OpenMacroFile().password.clear();
    ProcessPriority = 3;
    saveAs(path("plain.mcr"));
    const QByteArray plain = readFile(path("plain.mcr"));
    ASSERT_EQ(plain.size(), 5 * 277);
    EXPECT_EQ(plain.mid(3 * 277, 8), QByteArray("\x07\xC9valuer"));
    EXPECT_EQ(plain.mid(277 + 22, 4), QByteArray("\xC9t\xE9;"));
}

TEST_F(MacroFileTest, RoundTripKeepsRowsAndCutsLongTexts) {
    const QString longKeyword(21, 'K'), longParams(300, 'p');
    setRows({{"Type", "a;b;"}, {longKeyword, longParams}, {"Commentaire", ""}});
    for (const QString& password : {QString(), QStringLiteral("abc")}) {
        OpenMacroFile().password = password;
        saveAs(path("r.mcr"));
        EXPECT_EQ(readFile(path("r.mcr")).size(), (password.isEmpty() ? 3 : 5) * 277);
        form->ListView1->clear();
        typedPassword = password;
        OpenMacroFile().modified = true;
        EXPECT_EQ(form->OpenFileMacro(path("r.mcr"), form->ListView1, QString(), -1), 3);
        EXPECT_EQ(rowTexts(), QStringList({"Type|a;b;", QString(20, 'K') + '|' + QString(255, 'p'), "Commentaire|"}));
        setRows({{"Type", "a;b;"}, {longKeyword, longParams}, {"Commentaire", ""}});
    }
}

TEST_F(MacroFileTest, WrongPasswordLeavesTheOpenMacro) {
    writeFile(path("golden.mcr"), goldenFile());
    setRows({{"Type", "garde;"}});
    saveAs(path("open.mcr"));
    OpenMacroFile().password = "old";
    typedPassword = "abd";
    EXPECT_EQ(form->OpenFileMacro(path("golden.mcr"), form->ListView1, QString(), -1), 0);
    EXPECT_EQ(messageTexts(), QStringList({"Mot de passe incorrect."}));
    EXPECT_EQ(rowTexts(), QStringList({"Type|garde;"}));
    EXPECT_EQ(OpenMacroFile().password, "old");
    // Cancelled: no message.
    typedPassword = QString();
    messages.shown.clear();
    EXPECT_EQ(form->OpenFileMacro(path("golden.mcr"), form->ListView1, QString(), -1), 0);
    EXPECT_TRUE(messages.shown.isEmpty());
    // File > Open has its own spelling, and keeps the macro as well.
    typedPassword = "zzz";
    openAnswer = path("golden.mcr");
    form->Ouvrir1Click();
    EXPECT_TRUE(messageTexts().contains("Mot de passe incorect."));
    EXPECT_EQ(rowTexts(), QStringList({"Type|garde;"}));
    EXPECT_EQ(OpenMacroFile().password, "old");
    EXPECT_TRUE(form->ListView1->isVisibleTo(form));
}

TEST_F(MacroFileTest, FileOpenReadsEveryRecord) {
    QByteArray bytes = goldenFile();
    bytes += record("IgnoreMsg", "Pas de tilde", true);
    writeFile(path("golden.mcr"), bytes);
    TTabIgnoreMsg = {{"1", "ancien", true}};
    OpenMacroFile().protectSourceOnly = true;
    typedPassword = "abc";
    openAnswer = path("golden.mcr");
    form->Ouvrir1Click();
    EXPECT_EQ(dialogs, QStringList({"OpenDialog1"}));
    EXPECT_EQ(rowTexts(), QStringList({"Variable|X;5;Numerique;", "Type|Été à 5€;"}));
    EXPECT_FALSE(OpenMacroFile().protectSourceOnly);  // from "Infos"
    ASSERT_EQ(TTabIgnoreMsg.size(), 1);
    EXPECT_EQ(TTabIgnoreMsg[0].Origin, "");
    EXPECT_EQ(TTabIgnoreMsg[0].Message, "Pas de tilde");
    EXPECT_FALSE(TTabIgnoreMsg[0].StillPresent);
    EXPECT_EQ(form->ListView1->selectedRows(), QList<int>({0}));
    EXPECT_EQ(OpenMacroFile().password, "abc");
    EXPECT_FALSE(OpenMacroFile().modified);
}

TEST_F(MacroFileTest, EmptyProtectedMacroReloadsEmpty) {
    AddWatchRow(*form, "X", "1");
    TTabIgnoreMsg = {{"1", "Avertissement", true}};
    OpenMacroFile().password = "abc";
    saveAs(path("empty.mcr"));
    const auto records = golden::read(readFile(path("empty.mcr")), false);
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].keyword, QByteArray("\xC9valuer"));  // plain: nothing holds the password
    form->ListView3->clear();
    EXPECT_EQ(form->OpenFileMacro(path("empty.mcr"), form->ListView1, QString(), -1), 0);
    EXPECT_EQ(form->ListView1->count(), 0);
    EXPECT_EQ(watchNames(), QStringList({"X"}));
    EXPECT_EQ(passwordQuestions, 0);
}

// Whole records are read: a partial last one is left out and said (555 bytes
// read as two rows), a length byte beyond its room reads as that room.
TEST_F(MacroFileTest, DamagedFilesKeepTheirWholeRecords) {
    const QByteArray two = record("Type", "a;", false) + record("Type", "b;", false);
    writeFile(path("two.mcr"), two);
    EXPECT_EQ(form->OpenFileMacro(path("two.mcr"), form->ListView1, QString(), 0), 2);  // 554 bytes: two records
    messages.answer = mrNo;  // the macro before is not saved
    writeFile(path("partial.mcr"), two + "x");
    messages.shown.clear();
    EXPECT_EQ(form->OpenFileMacro(path("partial.mcr"), form->ListView1, QString(), -1), 2);
    EXPECT_EQ(rowTexts(), QStringList({"Type|a;", "Type|b;"}));
    EXPECT_TRUE(messageTexts().contains("Le fichier partial.mcr se termine par 1 octet(s) qui ne forment pas une "
                                        "commande entière : ils ont été ignorés."));
    QByteArray badLength = two;
    badLength[277] = char(21);
    badLength[277 + 21] = char(255);
    writeFile(path("length.mcr"), badLength);
    messages.shown.clear();
    EXPECT_EQ(form->OpenFileMacro(path("length.mcr"), form->ListView1, QString(), -1), 2);
    EXPECT_EQ(form->ListView1->keyword(1).left(4), "Type");
    EXPECT_EQ(form->ListView1->keyword(1).size(), 20);
    EXPECT_EQ(form->ListView1->params(1).size(), 255);
    EXPECT_TRUE(messageTexts().filter("octet").isEmpty());
    messages.shown.clear();
    EXPECT_EQ(form->OpenFileMacro(path("none.mcr"), form->ListView1, QString(), -1), 0);
    EXPECT_EQ(messageTexts(), QStringList({"File not found (" + path("none.mcr") + ")"}));
    EXPECT_EQ(messages.shown[0].type, MsgType::Error);
}

// A file of no bytes opens, through both readers, as an empty macro with a warning.
TEST_F(MacroFileTest, EmptyFileOpensEmptyWithAWarning) {
    writeFile(path("vide.mcr"), QByteArray());
    const QString warning = "Le fichier vide.mcr est vide : la macro ne contient aucune commande.";
    messages.answer = mrNo;  // the macro before is not saved
    for (const bool fileOpen : {false, true}) {
        SCOPED_TRACE(fileOpen ? "File > Open" : "loader");
        setRows({{"Type", "a;"}});
        messages.shown.clear();
        openAnswer = path("vide.mcr");
        if (fileOpen) form->Ouvrir1Click();
        else EXPECT_EQ(form->OpenFileMacro(path("vide.mcr"), form->ListView1, QString(), -1), 0);
        EXPECT_EQ(form->ListView1->count(), 0);
        EXPECT_EQ(form->StatusPanel[0]->text(), path("vide.mcr"));
        ASSERT_TRUE(messageTexts().contains(warning));
        EXPECT_EQ(messages.shown[messageTexts().indexOf(warning)].type, MsgType::Warning);
    }
}

TEST_F(MacroFileTest, ReadOnlyOrFailedSaveKeepsTheOldFile) {
    setRows({{"Type", "nouveau;"}});
    writeFile(path("ro.mcr"), "ancien");
    QFile::setPermissions(path("ro.mcr"), QFile::ReadOwner | QFile::ReadUser);
    OpenMacroFile().modified = true;
    saveAs(path("ro.mcr"));
    EXPECT_EQ(messageTexts(), QStringList({"Ce fichier est en lecture seule, veuillez enregister le fichier sous un "
                                           "autre nom, ou supprimer cette propriété."}));
    EXPECT_EQ(readFile(path("ro.mcr")), QByteArray("ancien"));
    EXPECT_TRUE(OpenMacroFile().modified);

    // The target cannot be replaced (a folder stands there): a clear message, nothing changed.
    ASSERT_TRUE(QDir(home.path()).mkpath("dossier.mcr/dedans"));
    messages.shown.clear();
    saveAs(path("dossier.mcr"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith("Impossible d'enregistrer le fichier " + path("dossier.mcr")));
    EXPECT_TRUE(messages.shown[0].text.endsWith("Le fichier existant n'a pas été modifié."));
    EXPECT_TRUE(QDir(path("dossier.mcr/dedans")).exists());
    EXPECT_TRUE(OpenMacroFile().modified);
    EXPECT_EQ(QDir(home.path()).entryList({"*.mcr.*", "*~*"}, QDir::Files), QStringList());  // no temporary left
}

TEST_F(MacroFileTest, ChangeTestIgnoresObjectIdentityAndTrailingRecords) {
    setRows({{"Objet", "1;2;app;cls;"}, {"Manipulation", "7;Fermer;"}});
    AddWatchRow(*form, "X", "");
    saveAs(path("c.mcr"));
    EXPECT_FALSE(form->MacroChange());
    const std::vector<std::pair<MacroCommand, bool>> cases = {
        {{"Objet", "9;8;app;cls;"}, false},        {{"Objet", "1;2;autre;cls;"}, true},
        {{"Manipulation", "3;Fermer;"}, false},   {{"Manipulation", "7;Ouvrir;"}, true},
    };
    for (const auto& [row, changed] : cases) {
        setRows({{"Objet", "1;2;app;cls;"}, {"Manipulation", "7;Fermer;"}});
        form->ListView1->items().setRow(row.keyword == "Objet" ? 0 : 1, {row.keyword, row.params, 0});
        EXPECT_EQ(form->MacroChange(), changed) << row.params.toStdString();
    }
    setRows({{"Objet", "1;2;app;cls;"}});
    EXPECT_TRUE(form->MacroChange());  // a command record is left over
    setRows({{"Objet", "1;2;app;cls;"}, {"Manipulation", "7;Fermer;"}, {"Type", "x;"}});
    EXPECT_TRUE(form->MacroChange());  // the file ends first
    form->StatusPanel[0]->setText("Nouvelle macro");
    EXPECT_FALSE(form->MacroChange());
}

TEST_F(MacroFileTest, LeavingAMacroSavesItWithItsOwnPassword) {
    setRows({{"Type", "a;"}});
    OpenMacroFile().password = "aaa";
    saveAs(path("a.mcr"));
    setRows({{"Type", "a modifié;"}});
    writeFile(path("golden.mcr"), goldenFile());
    typedPassword = "abc";
    messages.answer = mrYes;
    EXPECT_EQ(form->OpenFileMacro(path("golden.mcr"), form->ListView1, QString(), -1), 2);
    EXPECT_TRUE(messageTexts().contains("Voulez-vous sauvegarder avant de quitter?"));
    const auto saved = golden::read(readFile(path("a.mcr")), true);
    ASSERT_EQ(saved.size(), 3);
    EXPECT_EQ(saved[0].params, QByteArray("aaa"));
    EXPECT_EQ(saved[2].params, QByteArray("a modifi\xE9;"));
    EXPECT_EQ(OpenMacroFile().password, "abc");

    // Loading rows into a list (inclusions, sub-macros) never touches the open macro's password.
    OpenMacroFile().password = "abc";
    typedPassword = "aaa";
    TListView scratch;
    EXPECT_EQ(form->OpenFileMacro(path("a.mcr"), &scratch, QString(), 0), 1);
    EXPECT_EQ(form->OpenFileMacro(path("a.mcr"), form->ListView1, QString(), 1), 1);
    EXPECT_EQ(OpenMacroFile().password, "abc");
    EXPECT_EQ(rowTexts(), QStringList({"Variable|X;5;Numerique;", "Type|a modifié;", "Type|Été à 5€;"}));
    EXPECT_EQ(form->StatusPanel[0]->text(), path("golden.mcr"));
}

TEST_F(MacroFileTest, CancelledSaveQuestionKeepsTheMacro) {
    setRows({{"Type", "a;"}});
    messages.answer = mrCancel;
    writeFile(path("two.mcr"), record("Type", "b;", false));
    EXPECT_EQ(form->OpenFileMacro(path("two.mcr"), form->ListView1, QString(), -1), 0);
    EXPECT_EQ(rowTexts(), QStringList({"Type|a;"}));
    EXPECT_EQ(form->StatusPanel[0]->text(), "Nouvelle macro");
}

// Leaving a changed macro goes on only when it was saved or the user said "Non":
// a read-only file or a cancelled Save As keeps it open with its rows.
TEST_F(MacroFileTest, LeavingGoesOnOnlyWhenTheMacroWasSavedOrNotWanted) {
    writeFile(path("autre.mcr"), record("Type", "autre;", false));
    struct Case {
        const char* name;
        bool readOnly;      // the macro's file cannot be written
        bool newMacro;      // never saved: "Oui" asks for a name
        int answer;
        bool leaves;
    };
    const Case cases[] = {
        {"read-only, Oui", true, false, mrYes, false},   {"read-only, Non", true, false, mrNo, true},
        {"new, Save As cancelled", false, true, mrYes, false}, {"new, Non", false, true, mrNo, true},
        {"saved", false, false, mrYes, true},
    };
    using Leave = std::function<void()>;
    const std::vector<std::pair<const char*, Leave>> ways = {
        {"close", [&] { form->show(); form->close(); }},
        {"Nouveau", [&] { form->Nouveau1Click(); }},
        {"Ouvrir", [&] { openAnswer = path("autre.mcr"); form->Ouvrir1Click(); }},
        {"recent file or drop", [&] { form->OpenFileMacro(path("autre.mcr"), form->ListView1, QString(), -1); }},
    };
    for (const Case& c : cases) {
        for (const auto& [way, leave] : ways) {
            SCOPED_TRACE(std::string(c.name) + " / " + way);
            QFile::remove(path("m.mcr"));
            form->StatusPanel[0]->setText("Nouvelle macro");
            form->SaveDialog1->FileName.clear();
            setRows({{"Type", "a;"}, {"Type", "b;"}});
            if (!c.newMacro) saveAs(path("m.mcr"));
            setRows({{"Type", "a;"}});  // one row deleted, or the new macro's row
            if (c.readOnly) QFile::setPermissions(path("m.mcr"), QFile::ReadOwner);
            saveAnswer.clear();  // Save As is cancelled
            messages.answer = c.answer;
            messages.shown.clear();
            leave();
            EXPECT_TRUE(messageTexts().contains("Voulez-vous sauvegarder avant de quitter?"));
            if (way == std::string("close")) EXPECT_EQ(form->isVisible(), !c.leaves);  // the rows stay either way
            else EXPECT_EQ(rowTexts() == QStringList({"Type|a;"}), !c.leaves);
            QFile::setPermissions(path("m.mcr"), QFile::ReadOwner | QFile::WriteOwner);
        }
    }
}

TEST_F(MacroFileTest, SourceOnlyProtectionOpensSilentlyOnlyToRun) {
    writeFile(path("s.mcr"), record("Info", "abc", true) + record("Infos", "True", true) +
                                 record("Type", "secret;", true));
    EXPECT_TRUE(TForm32::IsCryptedSourceOnly(path("s.mcr")));
    // Recent files and drops in the editor go through the general loader: asked.
    EXPECT_EQ(form->OpenFileMacro(path("s.mcr"), form->ListView1, QString(), -1), 0);
    EXPECT_EQ(passwordQuestions, 1);
    // A macro run from the command line opens without a question.
    StartMode().commandLineRun = true;
    EXPECT_EQ(form->OpenFileMacro(path("s.mcr"), form->ListView1, QString(), -1), 1);
    EXPECT_EQ(passwordQuestions, 1);
    EXPECT_TRUE(OpenMacroFile().protectSourceOnly);
    // ... unless it is opened for editing.
    StartMode().editOnOpen = true;
    EXPECT_EQ(form->OpenFileMacro(path("s.mcr"), form->ListView1, QString(), -1), 0);
    EXPECT_EQ(passwordQuestions, 2);
}

// "Enregistrer sous" a name without extension: ".mcr" is added, so the Open
// dialog lists it; a name with an extension keeps it.
TEST_F(MacroFileTest, SaveAsAddsTheMacroExtension) {
    setRows({{"Type", "a;"}});
    for (const auto& [typed, saved] : {std::pair{"commande", "commande.mcr"}, {"copie.txt", "copie.txt"}}) {
        testServices().onChooseFile = [&, typed = typed](TFileDialog& d) {
            d.FileName = path(typed);
            return true;
        };
        form->Enregistersous1Click();
        EXPECT_TRUE(QFile::exists(path(saved))) << saved;
        EXPECT_EQ(form->SaveDialog1->FileName, path(saved));
        EXPECT_EQ(form->StatusPanel[0]->text(), path(saved));
    }
    EXPECT_FALSE(QFile::exists(path("commande")));
}

TEST_F(MacroFileTest, ExtensionsChooseTheReader) {
    const QByteArray one = record("Type", "a;", false);
    for (const char* name : {"m.MCR", "m.sqc", "m.SQC", "m.txt"}) writeFile(path(name), one);
    struct Case {
        const char* name;
        bool general, fileOpen;  // read as a macro file
    };
    for (const Case& c : {Case{"m.MCR", true, true}, Case{"m.sqc", true, false}, Case{"m.SQC", false, false},
                          Case{"m.txt", false, false}}) {
        imported.clear();
        form->ListView1->clear();
        EXPECT_EQ(form->OpenFileMacro(path(c.name), form->ListView1, QString(), -1), c.general ? 1 : 0) << c.name;
        EXPECT_EQ(imported.size(), c.general ? 0 : 1) << c.name;
        imported.clear();
        form->ListView1->clear();
        openAnswer = path(c.name);
        form->Ouvrir1Click();
        EXPECT_EQ(form->ListView1->count(), c.fileOpen ? 1 : 0) << c.name;
        EXPECT_EQ(imported.size(), c.fileOpen ? 0 : 1) << c.name;
    }
}

TEST_F(MacroFileTest, IgnoredWarningsBelongToTheOpenMacro) {
    writeFile(path("i.mcr"), record("Type", "a;", false) + record("IgnoreMsg", "L2~Message", false));
    TTabIgnoreMsg = {{"1", "d'une autre macro", true}};
    form->OpenFileMacro(path("i.mcr"), form->ListView1, QString(), -1);
    ASSERT_EQ(TTabIgnoreMsg.size(), 1);
    EXPECT_EQ(TTabIgnoreMsg[0].Origin, "L2");
    EXPECT_EQ(TTabIgnoreMsg[0].Message, "Message");
    // Only the ones still met are saved.
    saveAs(path("i2.mcr"));
    EXPECT_EQ(golden::read(readFile(path("i2.mcr")), false).size(), 1);
}

TEST_F(MacroFileTest, PriorityIsKeptPerMacro) {
    setRows({{"Type", "a;"}});
    ProcessPriority = 1;
    saveAs(path("haute.mcr"));
    ProcessPriority = 3;
    saveAs(path("normale.mcr"));
    ProcessPriority = 5;
    messages.answer = mrNo;
    form->OpenFileMacro(path("haute.mcr"), form->ListView1, QString(), -1);
    EXPECT_EQ(ProcessPriorityNames().value(ProcessPriority), "Haute");
    EXPECT_EQ(desk().nices.mid(desk().nices.size() - 2), QVector<int>({0, -10}));  // reset, then the macro's own
    form->OpenFileMacro(path("normale.mcr"), form->ListView1, QString(), -1);
    EXPECT_EQ(ProcessPriority, 3);
    // An index outside the list is not applied.
    writeFile(path("bad.mcr"), record("Type", "a;", false) + record("[Process Priority]", "9", false));
    form->OpenFileMacro(path("bad.mcr"), form->ListView1, QString(), -1);
    EXPECT_EQ(ProcessPriority, 3);
}

TEST_F(MacroFileTest, InsertModeAddsRowsWhereAsked) {
    setRows({{"Type", "1;"}, {"Type", "4;"}});
    AddWatchRow(*form, "Y", "");
    writeFile(path("in.mcr"), record("Type", "2;", false) + record("\xC9valuer", "Z", false) +
                                  record("Type", "3;", false));
    EXPECT_EQ(form->OpenFileMacro(path("in.mcr"), form->ListView1, QString(), 1), 2);
    EXPECT_EQ(rowTexts(), QStringList({"Type|1;", "Type|2;", "Type|3;", "Type|4;"}));
    EXPECT_EQ(watchNames(), QStringList({"Y", "Z"}));
    EXPECT_EQ(form->StatusPanel[0]->text(), "Nouvelle macro");
}

TEST_F(MacroFileTest, ProgressWindowAboveThreeHundredRecords) {
    struct ShowCounter : QObject {
        int shows = 0;
        bool escape = false;  // the user presses Esc as soon as the window shows
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() != QEvent::Show || Form29->Label1->text() != "Chargement") return false;
            ++shows;
            if (escape) QCoreApplication::postEvent(Form29, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            return false;
        }
    } counter;
    Form29->installEventFilter(&counter);
    for (int n : {300, 301}) {
        QByteArray bytes;
        for (int i = 0; i < n; ++i) bytes += record("Type", QByteArray::number(i) + ';', false);
        const QString name = path(QStringLiteral("p%1.mcr").arg(n));
        writeFile(name, bytes);
        counter.shows = 0;
        EXPECT_EQ(form->OpenFileMacro(name, form->ListView1, "Chargement", -1), n);
        EXPECT_EQ(counter.shows, n > 300 ? 1 : 0) << n;
        EXPECT_FALSE(Form29->isVisible());
        // No text: never.
        counter.shows = 0;
        form->OpenFileMacro(name, form->ListView1, QString(), -1);
        EXPECT_EQ(counter.shows, 0);
    }
    EXPECT_EQ(form->ListView1->params(300), "300;");

    // Esc keeps the rows read so far: here the first step of 400 / 100.
    QByteArray bytes;
    for (int i = 0; i < 400; ++i) bytes += record("Type", QByteArray::number(i) + ';', false);
    writeFile(path("esc.mcr"), bytes);
    form->ListView1->clear();
    counter.escape = true;
    EXPECT_EQ(form->OpenFileMacro(path("esc.mcr"), form->ListView1, "Chargement", -1), 4);
    EXPECT_EQ(form->ListView1->count(), 4);
}

}  // namespace

namespace {

// A save killed halfway leaves the file whole: the child saves a large macro
// over and over and the parent kills it while a save is being written.
class MacroFileKill : public FilesTest {};

constexpr int kKillRows = 100000;

TEST_F(MacroFileKill, Child) {
    const QString target = qEnvironmentVariable("ORVANEL_KILL_TARGET");
    if (target.isEmpty()) GTEST_SKIP() << "run by SaveKilledMidwayLeavesTheOldFile";
    QVector<MacroCommand> rows(kKillRows, MacroCommand{"Type", "Une ligne assez longue pour peser;", 0});
    form->ListView1->append(rows);
    OpenMacroFile().password = "abc";
    saveAs(target);
    std::fputs("saved\n", stdout);
    std::fflush(stdout);
    for (int i = 0; i < 1000; ++i) saveAs(target);
}

TEST_F(MacroFileKill, SaveKilledMidwayLeavesTheOldFile) {
    const QString folder = path("kill");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString target = folder + "/big.mcr";
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ORVANEL_KILL_TARGET", target);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TMPDIR", folder);  // the child's own folders go away with ours
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=MacroFileKill.Child"});
    ASSERT_TRUE(child.waitForStarted());
    // One save is done and the next ones follow each other: kill it in their midst.
    QByteArray out;
    while (!out.contains("saved\n") && child.waitForReadyRead(30000)) out += child.readAllStandardOutput();
    ASSERT_TRUE(out.contains("saved\n"));
    QThread::msleep(150);
    child.kill();
    child.waitForFinished();
    const QByteArray now = readFile(target);
    ASSERT_EQ(now.size(), qsizetype(kKillRows + 2) * 277);
    const auto records = golden::read(now, true);
    EXPECT_EQ(records.last().keyword, QByteArray("Type"));
    EXPECT_EQ(records.last().params, QByteArray("Une ligne assez longue pour peser;"));
}

}  // namespace
