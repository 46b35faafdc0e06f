// "Manipulation" and the tool commands, run on the fake desktop.
#include "core/Settings.h"
#include "engine/ListFile.h"
#include "engine/SysVars.h"
#include "platform/SystemStatus.h"
#include "platform/VirtualKeys.h"

#include "tests/unit/RunTest.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QTimer>
#include <functional>

namespace {

using namespace platform;

class ToolCommands : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        fake().windows = {{0x2a, "XLogo", "xlogo", QRect(10, 20, 300, 200)},
                          {0x2b, "Cache", "caché", QRect(0, 0, 50, 50)}};
        fake().windows[1].visible = false;
    }
    FakeWindow& window(HWND w) {
        for (FakeWindow& f : fake().windows)
            if (f.handle == w) return f;
        throw std::runtime_error("no such window");
    }
    QStringList windowCalls() {
        QStringList out;
        for (const QString& c : fake().calls)
            if (c.startsWith("ShowWindow") || c.startsWith("SetWindow") || c.startsWith("PostMessage") ||
                c.startsWith("SetCursorPos"))
                out << c;
        return out;
    }
    QString trashed(const QString& name) const { return path("data/Trash/files/") + name; }
};

TEST_F(ToolCommands, ManipulationActsOnTheWindow) {
    struct Case {
        const char* params;
        QStringList calls;
    } cases[] = {
        {"42;Déplacement souris;", {"SetCursorPos 15 25"}},
        {"42;Changement texte;Nouveau titre;", {"SetWindowText 0x2a Nouveau titre"}},
        {"42;Réduire;", {"ShowWindow 0x2a 2"}},
        {"42;Agrandir;", {"ShowWindow 0x2a 3"}},
        {"42;Restaurer;", {"ShowWindow 0x2a 1"}},
        {"42;Taille;640;480;", {"SetWindowPos 0x2a 0 0 640 480 0x2"}},
        {"42;Déplacer;-5;7;", {"SetWindowPos 0x2a -5 7 0 0 0x1"}},
        {"42;Inconnue;", {}},
        {"43;Réduire;", {}},  // a hidden window is left alone
    };
    for (const Case& c : cases) {
        run({{"Manipulation", QString::fromUtf8(c.params)}});
        EXPECT_TRUE(messages.shown.isEmpty()) << c.params << ": " << lastMessage().toStdString();
        EXPECT_EQ(windowCalls(), c.calls) << c.params;
    }
    EXPECT_EQ(window(0x2a).rect, QRect(-5, 7, 640, 480));
    EXPECT_EQ(window(0x2a).text, "Nouveau titre");
    EXPECT_EQ(fake().foreground, 0x2aU) << "restored to the foreground";
}

TEST_F(ToolCommands, AMaximisedWindowIsShownNormalBeforeItIsSized) {
    window(0x2a).show = SW_SHOWMAXIMIZED;
    run({{"Variable", "H;42;Numerique;"}, {"Variable", "L;320;Numerique;"}, {"Manipulation", "H;Taille;L;L;"}});
    EXPECT_EQ(windowCalls(), QStringList({"ShowWindow 0x2a 1", "SetWindowPos 0x2a 0 0 320 320 0x2"}));
}

// "Fonction Handle" reads the rectangle "Manipulation" places: written back,
// the window stays; maximised then restored, it comes back.
TEST_F(ToolCommands, HandleAndManipulationShareTheRectangle) {
    run({{"Variable", "X;;Numerique;"}, {"Variable", "Y;;Numerique;"},
         {"Variable", "L;;Numerique;"}, {"Variable", "H;;Numerique;"},
         {"Fonction", "X;Handle;Position X;42;"}, {"Fonction", "Y;Handle;Position Y;42;"},
         {"Fonction", "L;Handle;Longueur;42;"}, {"Fonction", "H;Handle;Largeur;42;"},
         {"Manipulation", "42;Déplacer;X;Y;"}, {"Manipulation", "42;Taille;L;H;"},
         {"Manipulation", "42;Agrandir;"}, {"Fonction", "L;Handle;Longueur;42;"},
         {"Manipulation", "42;Restaurer;"}, {"Fonction", "X;Handle;Position X;42;"}});
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    EXPECT_EQ(window(0x2a).rect, QRect(10, 20, 300, 200));
    EXPECT_EQ(var("L"), "1024") << "maximised: the screen's width";
    EXPECT_EQ(var("X"), "10") << "restored where it was";
}

TEST_F(ToolCommands, ClosingAndForcedClosing) {
    run({{"Manipulation", "42;Fermer;"}, {"Manipulation", "43;Fermeture forcée;"}});
    EXPECT_EQ(windowCalls(), QStringList({"PostMessage 0x2a 0x10"})) << "the hidden one is not touched";
    fake().windows[0].visible = true;
    run({{"Manipulation", "43;Fermeture forcée;"}});
    EXPECT_EQ(windowCalls(), QStringList({"PostMessage 0x2b 0x12"}));
    EXPECT_TRUE(fake().windows.isEmpty());
}

TEST_F(ToolCommands, BadHandlesSizesAndPositionsAreRunTimeErrors) {
    const struct {
        const char* params;
        const char* message;
    } cases[] = {
        {"abc;Réduire;", "Numéro de handle invalide."},
        {"777;Réduire;", "Numéro de handle invalide."},
        {"42;Taille;large;100;", "Largeur de la fenêtre invalide (large)."},
        {"42;Taille;100;0;", "Hauteur de la fenêtre invalide (0)."},
        {"42;Déplacer;1;99999;", "Position haute de la fenêtre invalide (99999)."},
    };
    for (const auto& c : cases) {
        run({{"Manipulation", QString::fromUtf8(c.params)}});
        EXPECT_EQ(lastMessage(), QString::fromUtf8(c.message) + " Arrêt de la macro. [Position 1]") << c.params;
        EXPECT_TRUE(windowCalls().isEmpty()) << c.params;
    }
}

TEST_F(ToolCommands, CopyMoveAndRenameFiles) {
    settings().CheckCommands = false;  // the checker wants a folder as the destination
    write(path("a/x.txt"), "contenu");
    run({{"Outil Fichier", "Copier;" + path("a/x.txt") + ";" + path("b/c") + ";"},
         {"Outil Fichier", "Copier;" + path("a/x.txt") + ";" + path("d/y.txt") + ";"},
         {"Outil Fichier", "Copier;" + path("a/absent.txt") + ";" + path("e") + ";"}});
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    EXPECT_EQ(bytes(path("b/c/x.txt")), "contenu");
    EXPECT_EQ(bytes(path("d/y.txt")), "contenu") << "a destination with an extension is the target file";
    EXPECT_FALSE(QFileInfo::exists(path("e"))) << "a missing source does nothing";

    run({{"Outil Fichier", "Déplacer;" + path("a/x.txt") + ";" + path("a") + ";"}});
    EXPECT_EQ(bytes(path("a/x.txt")), "contenu") << "moved onto its own folder, the file stays whole";
    run({{"Outil Fichier", "Déplacer;" + path("a/x.txt") + ";" + path("b/c") + ";"}});
    EXPECT_FALSE(QFileInfo::exists(path("a/x.txt")));
    EXPECT_EQ(bytes(path("b/c/x.txt")), "contenu");
    run({{"Outil Fichier", "Renommer;" + path("b/c/x.txt") + ";" + path("b/c/z.log") + ";"}});
    EXPECT_EQ(bytes(path("b/c/z.log")), "contenu");
    EXPECT_FALSE(QFileInfo::exists(path("b/c/x.txt")));
}

TEST_F(ToolCommands, ARenameNeverReplacesAFile) {
    write(path("un.txt"), "1");
    write(path("deux.txt"), "2");
    run({{"Outil Fichier", "Renommer;" + path("un.txt") + ";" + path("deux.txt") + ";"}});
    EXPECT_TRUE(
        lastMessage().startsWith("Renommer « " + path("un.txt") + " » vers « " + path("deux.txt") + " » impossible"))
        << lastMessage().toStdString();
    EXPECT_EQ(bytes(path("deux.txt")), "2");
    EXPECT_EQ(bytes(path("un.txt")), "1");
}

TEST_F(ToolCommands, DeleteToTheTrashOrForGood) {
    write(path("f.txt"), "à la corbeille");
    write(path("g.txt"), "effacé");
    run({{"Outil Fichier", "Effacer;" + path("f.txt") + ";Oui;"},
         {"Outil Fichier", "Effacer;" + path("g.txt") + ";Non;"}});
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    EXPECT_FALSE(QFileInfo::exists(path("f.txt")));
    EXPECT_FALSE(QFileInfo::exists(path("g.txt")));
    EXPECT_EQ(bytes(trashed("f.txt")), "à la corbeille");
    const QByteArray info = bytes(path("data/Trash/info/f.txt.trashinfo"));
    EXPECT_TRUE(
        info.startsWith("[Trash Info]\nPath=" + QUrl::toPercentEncoding(path("f.txt"), "/") + "\nDeletionDate="))
        << info.toStdString();
    EXPECT_FALSE(QFileInfo::exists(trashed("g.txt")));
}

TEST_F(ToolCommands, DeletingAFileBeingReadClosesItFirst) {
    write(path("lu.txt"), "un\r\ndeux\r\n");
    run({{"Variable", "A;;Alpha;"},
         {"Lire", path("lu.txt") + ";A;0;"},
         {"Outil Fichier", "Effacer;" + path("lu.txt") + ";Non;"},
         {"Lire", path("lu.txt") + ";A;0;"}});
    EXPECT_FALSE(QFileInfo::exists(path("lu.txt")));
    EXPECT_EQ(lastMessage(), "Nom de Fichier invalide (" + path("lu.txt") + "). Arrêt de la macro. [Position 4]");
}

// With ";" as the parameter separator a list of masks cannot be written in a row.
TEST_F(ToolCommands, SearchAppendsEveryMatchingFileOfTheTree) {
    for (const char* f : {"r/a.txt", "r/b.doc", "r/c.pdf", "r/s/d.txt", "r/s/t/e.doc"}) write(path(f), "");
    write(path("res.lst"), "avant\n");
    settings().Separator = u'|';
    run({{"Outil Fichier", "Rechercher|" + path("r") + "|*.txt;*.doc|" + path("res.lst") + "|"}});
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    const QString r = path("r");
    EXPECT_EQ(QString::fromUtf8(bytes(path("res.lst"))),
              "avant\n" + r + "/a.txt\n" + r + "/b.doc\n" + r + "/s/d.txt\n" + r + "/s/t/e.doc\n");
    run({{"Outil Fichier", "Rechercher|" + r + "|*.txt|resultat|"}});
    EXPECT_EQ(lastMessage(), "Nom de fichier invalide. (resultat) Arrêt de la macro inévitable. [Position 1]");
}

TEST_F(ToolCommands, SearchCreatesTheFoldersOfItsResultFile) {
    write(path("r/a.txt"), "");
    const QString result = path("nouveau/dossier/res.lst");
    run({{"Outil Fichier", "Rechercher;" + path("r") + ";*.txt;" + result + ";"}});
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    EXPECT_EQ(QString::fromUtf8(bytes(result)), path("r") + "/a.txt\n");
}

// However large the tree, the walk ends as soon as the run stops.
TEST_F(ToolCommands, SearchEndsWhenTheRunStops) {
    constexpr int kFolders = 300;
    for (int i = 0; i < kFolders; ++i) write(path(QStringLiteral("r/%1/a.txt").arg(i, 3, 10, QChar(u'0'))), "");
    const QString result = path("res.lst");
    const std::pair<const char*, std::function<void()>> stops[] = {
        {"Stop", [this] { form->Stop1Click(); }},
        {"Échap", [this] { form->FormKeyUp(platform::VK_ESCAPE); }},
    };
    for (const auto& entry : stops) {
        SCOPED_TRACE(entry.first);
        const std::function<void()>& stop = entry.second;
        QFile::remove(result);
        // Stopped once the walk has found its first file.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (QFileInfo(result).size() > 0 && RunState().MacroRunning) stop();
        });
        poll.start(1);
        run({{"Outil Fichier", "Rechercher;" + path("r") + ";*.txt;" + result + ";"}, {"Variable", "A;1;Numerique;"}});
        const qsizetype found = bytes(result).count('\n');
        EXPECT_GE(found, 1);
        EXPECT_LT(found, kFolders / 2) << "the walk went on after the stop";
        EXPECT_EQ(var("A"), "?");
    }
}

TEST_F(ToolCommands, FolderCreateRenameAndDelete) {
    const QString folder = path("x/y/z");
    run({{"Outil Répertoire", "Créer;" + folder + ";"}, {"Outil Répertoire", "Renommer;" + folder + ";w;"}});
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    EXPECT_TRUE(QFileInfo(path("x/y/w")).isDir());
    write(path("x/y/w/dedans.txt"), "1");
    run({{"Outil Répertoire", "Supprimer;" + path("x/y/w") + ";"}});
    EXPECT_FALSE(QFileInfo::exists(path("x/y/w")));
    EXPECT_EQ(bytes(trashed("w/dedans.txt")), "1");

    messages.answer = mrYes;  // go on after the failure
    run({{"Outil Répertoire", "Renommer;" + path("absent") + ";v;"}});
    EXPECT_EQ(lastMessage(), "Renommage du répertoire echoué [" + path("absent") +
                                 ",v]. Confirmez la poursuite de l'exécution. [Position 1]");
}

TEST_F(ToolCommands, ScreenCapturesToJpegAndBitmap) {
    fake().screenSize = QSize(320, 200);
    fake().screenColour = QColor(0, 128, 255);
    run({{"Outil Ecran", "Copier vers jpg;" + path("neuf/ecran.jpg") + ";"},
         {"Outil Ecran", "Copier vers bmp;" + path("ecran.bmp") + ";"}});
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    for (const auto& [file, format] : {std::pair{path("neuf/ecran.jpg"), "jpeg"}, {path("ecran.bmp"), "bmp"}}) {
        QImageReader reader(file);
        EXPECT_EQ(reader.format(), format) << file.toStdString();
        const QImage image = reader.read();
        EXPECT_EQ(image.size(), QSize(320, 200)) << file.toStdString();
        const QColor middle = image.pixelColor(160, 100);
        EXPECT_NEAR(middle.blue(), 255, 4);
        EXPECT_NEAR(middle.green(), 128, 4);
    }
}

TEST_F(ToolCommands, DisplayModesAndRatesGoThroughThePlatform) {
    const struct {
        const char* params;
        QStringList calls;
        const char* message;
    } cases[] = {
        {"Résolution;800;600;32 bits;",
         {"ChangeDisplaySettings 800x600x32 test", "ChangeDisplaySettings 800x600x32"},
         ""},
        {"Résolution;800;600;16 bits;", {"ChangeDisplaySettings 800x600x16 test"}, "Mode Graphique non supporté"},
        {"Fréquence;75;", {"ChangeDisplayFrequency 75 test", "ChangeDisplayFrequency 75"}, ""},
    };
    settings().CheckCommands = false;  // the checker would test each mode first
    for (const auto& c : cases) {
        run({{"Outil Affichage", QString::fromUtf8(c.params)}});
        EXPECT_EQ(fake().calls.filter("ChangeDisplay"), c.calls) << c.params;
        EXPECT_EQ(lastMessage(), c.message) << c.params;
    }
    fake().frequencyResult = DISP_CHANGE_BADMODE;
    settings().CheckCommands = true;
    run({{"Outil Affichage", "Fréquence;60;"}});
    EXPECT_EQ(fake().calls.filter("ChangeDisplay"), QStringList{"ChangeDisplayFrequency 60 test"})
        << "the checker only tests";
}

TEST_F(ToolCommands, PowerActionsGoThroughThePlatform) {
    const struct {
        const char* params;
        const char* call;
    } cases[] = {
        {"Eteindre;", "ExitWindowsEx 1"},
        {"Redémarrer;", "ExitWindowsEx 2"},
        {"Fermer la session;", "ExitWindowsEx 0"},
        {"Mise en veille;Oui;", "SetSystemPowerState 0 1"},
        {"Mise en veille;Non;", "SetSystemPowerState 1 1"},
    };
    for (const auto& c : cases) {
        run({{"Outil Alimentation", QString::fromUtf8(c.params)}});
        QStringList power = fake().calls.filter("ExitWindowsEx") + fake().calls.filter("SetSystemPowerState");
        EXPECT_EQ(power, QStringList{c.call}) << c.params;
        EXPECT_TRUE(messages.shown.isEmpty()) << c.params;
    }
    fake().exitResult = false;
    run({{"Outil Alimentation", "Eteindre;"}});
    EXPECT_EQ(lastMessage(), "L'arrêt de l'ordinateur a été refusé par le système. Arrêt de la macro. [Position 1]");
}

TEST(WindowsVersionName, NamesTheSystemFromOsRelease) {
    QTemporaryDir dir;
    const struct {
        QByteArray content;
        QString name;
    } cases[] = {
        {"NAME=\"Debian GNU/Linux\"\nVERSION=\"12 (bookworm)\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n",
         "Debian GNU/Linux 12 (bookworm)"},
        {"NAME='Exemple'\nVERSION=3\n", "Exemple 3"},
        {"# rien\n", "Inconnue"},
    };
    for (const auto& c : cases) {
        QFile f(dir.filePath("os-release"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.content);
        f.close();
        EXPECT_EQ(platform::WindowsVersionName(f.fileName()), c.name);
    }
    EXPECT_EQ(platform::WindowsVersionName(dir.filePath("absent")), "Inconnue");
}

TEST_F(ToolCommands, WinverIsTheSystemName) {
    BuildSystemVariableList();
    QString value;
    ReadSystemVariable("[WINVER]", value);
    EXPECT_EQ(value, platform::WindowsVersionName());
}

}  // namespace
