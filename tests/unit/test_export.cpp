// Export of a macro to a stand-alone program, offscreen: the wizard answered
// through the dialog seam, the result read back by the independent script.
#include "core/FileDialog.h"
#include "core/MacroFileRecord.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "engine/GestionCommande.h"
#include "platform/IniFile.h"
#include "tests/support/ContainerTool.h"
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"
#include "tools/Export.h"
#include "tools/Unit33.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QToolButton>
#include <QTreeWidget>

namespace {

class ExportTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(QFile::copy(DIVOV_STUB, home.filePath("DivOV.exe")));
        write(home.filePath("config.ini"), "[Recents]\r\n1=/x.mcr\r\n[Outils]\r\n1=/bin/true\r\n[DynOrder]\r\n"
                                           "1=Ancien.so\r\n[MAJ]\r\nRun=True\r\n[Control]\r\nRapport=True\r\n");
        QDir(home.path()).mkpath("Export");
        write(home.filePath("Export/garde.txt"), "à moi");
        QDir(work.path()).mkpath("x");
        write(work.filePath("x/a.bmp"), "image");
        write(work.filePath("t.txt"), "texte");
        testServices().onModal = [](QWidget& w) {
            if (&w == Form33) Form33->Button3Click();
        };
    }
    static void write(const QString& file, const QByteArray& bytes) { WriteBytes(file, bytes); }
    static QByteArray bytesOf(const QString& file) { return ReadBytes(file); }
    // The rows saved as the open macro m.mcr.
    void saveMacro(const QVector<QPair<QString, QString>>& rows) {
        setRows(rows);
        form->SaveDialog1->FileName = macro();
        form->SaveMacro(nullptr);
        ASSERT_TRUE(QFile::exists(macro()));
    }
    QString macro() const { return work.filePath("m.mcr"); }
    QString result() const { return work.filePath("m.exe"); }
    static QStringList rowsOf(const QByteArray& file) {
        QStringList rows;
        for (qsizetype at = 0; at + TMacroFileRecord::kSize <= file.size(); at += TMacroFileRecord::kSize) {
            const TMacroFileRecord r = TMacroFileRecord::fromBytes(file.constData() + at);
            rows << r.keyword + u'|' + r.params;
        }
        return rows;
    }
    // The result's entries by name, inflated into out/.
    QJsonObject unpack() {
        QDir(out.path()).removeRecursively();
        QDir().mkpath(out.path());
        return containertool::read(result(), out.path());
    }
    QStringList names(const QJsonObject& read) const {
        QStringList n;
        for (const QJsonValue& e : read["entries"].toArray()) n << e.toObject()["name"].toString();
        return n;
    }
    QByteArray entry(const QJsonObject& read, const QString& name) const {
        return bytesOf(out.filePath(QString::number(names(read).indexOf(name))));
    }
    QStringList leftInWork() const {
        return QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir work, out;
};

// One export (the program packed is large): a file bound, a Type row left
// alone, the settings trimmed, two commands of one plug-in packed once.
TEST_F(ExportTest, TheResultHoldsTheProgramTheBoundMacroAndTrimmedSettings) {
    const int i = LoadCommandPlugin(SONDE_PLUGIN);
    ASSERT_GT(i, 0);
    TDynamiqueOrder second = DynamiqueOrders[i];
    second.Name = "SondeBis";
    second.Button = nullptr;
    second.Module = DynamiqueOrders[i].Module + 1000;  // a command of its own
    DynamiqueOrders.append(second);
    const QString image = work.filePath("x/a.bmp");
    saveMacro({{"Variable", "V;;Alpha;"}, {"Click", "G;" + image + ";1;"}, {"Type", work.filePath("t.txt")},
               {DynamiqueOrders[i].Name, "a;"}, {"SondeBis", "b;"}});
    const QByteArray settingsBefore = bytesOf(home.filePath("config.ini"));
    form->findChild<QAction*>("Exporterversexecutable1")->trigger();
    EXPECT_EQ(messages.texts(), QStringList({"La macro a été exportée dans le programme " + result() + "."}));
    ASSERT_TRUE(QFileInfo(result()).isExecutable());
    EXPECT_EQ(leftInWork(), QStringList({"m.exe", "m.mcr", "t.txt", "x"}));
    EXPECT_EQ(Form33->ListView1->topLevelItemCount(), 1);  // the Type row's file is not listed

    const QJsonObject read = unpack();
    const QString folder = QFileInfo(image).canonicalPath().mid(1);
    const QString imageEntry = "\\" + QString(folder).replace('/', '\\') + "\\a.bmp";
    const QString library = "\\" + QFileInfo(SONDE_PLUGIN).fileName();
    EXPECT_EQ(names(read), QStringList({imageEntry, "\\orvanel.exe", "\\m.mcr", "\\config.ini", library, "\\PluginHost"}));
    EXPECT_EQ(entry(read, "\\PluginHost"), bytesOf(PluginHostProgram()));
    EXPECT_EQ(read["offset"].toInt(), QFileInfo(DIVOV_STUB).size());
    EXPECT_EQ(entry(read, imageEntry), "image");
    EXPECT_EQ(entry(read, "\\orvanel.exe"), bytesOf(QCoreApplication::applicationFilePath()));

    QStringList expected = {"Variable|[SYSDIR.CURRENTMACRO];;Alpha;"};
    for (int n = 1; n <= 20; ++n) expected << QString("Variable|[VIRTUALFILEDIR%1];;Alpha;").arg(n);
    expected << "Variable|V;;Alpha;"
             << "Calcul évolué|[VIRTUALFILEDIR2]=[SYSDIR.CURRENTMACRO]+/" + folder + "/a.bmp"
             << "Click|G;[VIRTUALFILEDIR2];1;"
             << "Type|" + work.filePath("t.txt") << DynamiqueOrders[i].Name + "|a;" << "SondeBis|b;";
    EXPECT_EQ(rowsOf(entry(read, "\\m.mcr")), expected);

    const QString config = out.filePath("packed.ini");
    write(config, entry(read, "\\config.ini"));
    platform::IniFile ini(config);
    EXPECT_FALSE(ini.SectionExists("Recents"));
    EXPECT_FALSE(ini.SectionExists("Outils"));
    EXPECT_EQ(ini.ReadSectionValues("DynOrder"), QStringList({"0=" + library.mid(1)}));
    EXPECT_EQ(ini.ReadString("MAJ", "Run", ""), "False");
    EXPECT_EQ(ini.ReadString("Control", "Rapport", ""), "False");
    EXPECT_EQ(bytesOf(home.filePath("config.ini")), settingsBefore);
    EXPECT_EQ(QDir(home.filePath("Export")).entryList(QDir::Files), QStringList({"garde.txt"}));
    EXPECT_EQ(bytesOf(home.filePath("Export/garde.txt")), "à moi");
}

// Files the macro only writes to are listed unchecked, so the exported program
// writes where the macro wrote; a file also read somewhere is packed.
TEST_F(ExportTest, FilesTheMacroOnlyWritesStayWhereItWritesThem) {
    for (const char* name : {"journal.txt", "donnees.txt", "les-deux.txt", "trouves.txt", "ecran.bmp"})
        write(work.filePath(name), "x");
    const QString log = work.filePath("journal.txt"), data = work.filePath("donnees.txt"),
                  both = work.filePath("les-deux.txt"), found = work.filePath("trouves.txt"),
                  capture = work.filePath("ecran.bmp");
    saveMacro({{"Variable", "T;;Alpha;"},
               {"Lire", data + ";T;1;"},
               {"Ecrire", log + ";T;;"},
               {"Ecrire", both + ";T;;"},
               {"Lire", both + ";T;1;"},
               {"Outil Fichier", "Rechercher;" + work.path() + ";*.txt;" + found + ";"},
               {"Outil Ecran", "Copier vers bmp;" + capture + ";"}});
    ASSERT_TRUE(Form33->CollectExportFiles(nullptr));
    QStringList listed;
    for (int i = 0; i < Form33->ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = Form33->ListView1->topLevelItem(i);
        listed << item->text(0) + (item->checkState(0) == Qt::Checked ? " [x]" : " [ ]");
    }
    EXPECT_EQ(listed, QStringList({data + " [x]", log + " [ ]", both + " [x]", found + " [ ]", capture + " [ ]"}));
    // The prepared macro binds what is packed and leaves the written files where they are.
    const QString prepared = work.filePath("m.prepared");
    ASSERT_TRUE(RewriteExportPaths(prepared));
    const QStringList rows = rowsOf(bytesOf(prepared));
    EXPECT_TRUE(rows.contains("Lire|[VIRTUALFILEDIR1];T;1;"));
    EXPECT_TRUE(rows.contains("Ecrire|[VIRTUALFILEDIR1];T;;"));  // the file also read
    EXPECT_TRUE(rows.contains("Ecrire|" + log + ";T;;"));
    EXPECT_TRUE(rows.contains("Outil Fichier|Rechercher;" + work.path() + ";*.txt;" + found + ";"));
    EXPECT_TRUE(rows.contains("Outil Ecran|Copier vers bmp;" + capture + ";"));
}

// Each failure is a message naming its file; nothing is left behind.
TEST_F(ExportTest, AFailureIsSaidAndLeavesNothing) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        QString message;
    };
    QDir(work.path()).mkpath("tres-long");
    QString deep = work.filePath("tres-long");
    while (deep.size() < 230) deep += "/dossier-de-plus";
    QDir().mkpath(deep);
    write(deep + "/f.txt", "f");
    const std::vector<Case> cases = {
        {"missing language file", [] { settings().Language = "Deutsch"; },
         "Fichier " + home.filePath("Deutsch.lng") + " introuvable."},
        {"no stub", [this] { QFile::remove(home.filePath("DivOV.exe")); },
         "L'exécutable n'a pas pu être créé : " + home.filePath("DivOV.exe")},
        {"binding row past 255 characters", [&] { saveMacro({{"Lire", deep + "/f.txt;V;1;"}}); },
         "Export impossible : la commande \"Calcul évolué\" dépasserait 255 caractères"},
    };
    for (const Case& c : cases) {
        saveMacro({{"Click", "G;" + work.filePath("x/a.bmp") + ";1;"}});
        c.arrange();
        messages.shown.clear();
        Exporterversexecutable1Click();
        ASSERT_EQ(messages.texts().size(), 1) << c.what;
        EXPECT_TRUE(messages.texts().first().startsWith(c.message)) << messages.texts().first().toStdString();
        EXPECT_EQ(leftInWork(), QStringList({"m.mcr", "t.txt", "tres-long", "x"})) << c.what;
        settings().Language = "Français";
        QFile::copy(DIVOV_STUB, home.filePath("DivOV.exe"));
    }
    EXPECT_TRUE(form->isEnabled());
}

TEST_F(ExportTest, CancellingTheWizardWritesNothing) {
    saveMacro({{"Click", "G;" + work.filePath("x/a.bmp") + ";1;"}, {"Execute", "/bin/true.exe"}});
    testServices().onModal = [](QWidget& w) {
        if (&w == Form33) Form33->Button4Click();
    };
    Exporterversexecutable1Click();
    EXPECT_EQ(ExportWizardResult, 3);
    EXPECT_EQ(leftInWork(), QStringList({"m.mcr", "t.txt", "x"}));
}

TEST_F(ExportTest, ExportPathHelperIsTheCanonicalFolder) {
    EXPECT_EQ(ExportPathHelper(work.filePath("x/../x/a.bmp")), QFileInfo(work.filePath("x")).canonicalFilePath().mid(1));
    EXPECT_EQ(ExportPathHelper("/a.bmp"), "");
}

}  // namespace
