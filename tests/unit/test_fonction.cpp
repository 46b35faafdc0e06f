// The "Fonction" command, category by category, on the fake desktop and the
// real file system.
#include "core/MacroFile.h"
#include "core/Startup.h"
#include "engine/mdlfnct.h"
#include "platform/SystemStatus.h"
#include "tests/unit/RunTest.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextEdit>

namespace {

class Fonction : public RunTest {
protected:
    // Runs the declarations and one "Fonction" row writing into R (declared
    // by `result`); errors only report. R's value, "?" when nothing was written.
    QString fonction(const QString& params, const QString& result = "R;?;Alpha;",
                     const QVector<QPair<QString, QString>>& more = {}) {
        QVector<QPair<QString, QString>> rows = {{"Variable", "[ERROR.ADAPTATOR];4;Numerique;"}, {"Variable", result}};
        rows += more;
        rows.append({"Fonction", params});
        run(rows);
        return var("R");
    }
    QString error() { return var("[ERROR]"); }
    QString file(const QString& name, const QByteArray& contents) {
        QFile f(home.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contents);
        return f.fileName();
    }
};

struct Case {
    QString params;
    QString expected;
    QString result = "R;?;Alpha;";  // the declaration of R
};

void expectAll(const std::vector<Case>& cases, const std::function<QString(const Case&)>& run) {
    for (const Case& c : cases) EXPECT_EQ(run(c), c.expected) << c.params.toStdString();
}

TEST_F(Fonction, Text) {
    const std::vector<Case> cases = {
        {"R;Texte;Longueur;abcdef;", "6"},
        {"R;Texte;Caractère(s)/Position(s);abcdef;2;4;", "bcd"},
        {"R;Texte;Caractère(s)/Longueur;abcdef;2;4;", "bcde"},
        {"R;Texte;Caractère(s)/Longueur;abcdef;0;3;", "abc"},  // a start below 1 counts from 1
        {"R;Texte;Caractère(s)/Longueur;abcdef;5;9;", "ef"},   // stops at the end
        {"R;Texte;Caractère(s)/Position(s);abcdef;4;2;", ""},
        {"R;Texte;Majuscule;éabcZ;", "éABCZ"},  // only a to z change
        {"R;Texte;Minuscule;ÉABCz;", "Éabcz"},
        {"R;Texte;Trouver;abcdef;cd;", "3"},
        {"R;Texte;Trouver;abcdef;CD;", "0"},  // case counts
        {"R;Texte;Trouver;abcdef;xy;", "0"},
        {"R;Texte;Remplace;chat;chien;", "Le chien et le chien", "R;Le chat et le CHAT;Alpha;"},
        {"R;Texte;Inconnue;abc;", "?"},  // an unknown function writes nothing
        {"R;Inconnue;Longueur;abc;", "?"},
    };
    expectAll(cases, [this](const Case& c) { return fonction(c.params, c.result); });
}

TEST_F(Fonction, TextResolvesItsParameters) {
    // V is resolved once for the positions, twice for the case changes.
    const QVector<QPair<QString, QString>> vars = {
        {"Variable", "T;U;Alpha;"}, {"Variable", "U;bonjour;Alpha;"}, {"Variable", "P;2;Numerique;"}};
    EXPECT_EQ(fonction("R;Texte;Majuscule;T;", "R;?;Alpha;", vars), "BONJOUR");
    EXPECT_EQ(fonction("R;Texte;Caractère(s)/Longueur;U;P;P;", "R;?;Alpha;", vars), "on");
    EXPECT_EQ(fonction("R;Texte;Trouver;T;jour;", "R;?;Alpha;", vars), "4");
}

TEST_F(Fonction, BadPositionsAreReportedAndWriteNothing) {
    for (const auto& [params, message] : std::vector<std::pair<QString, QString>>{
             {"R;Texte;Caractère(s)/Position(s);abc;x;2;",
              "Le paramètre 5 de la commande Caractère(s)/Position(s) est invalide [x]."},
             {"R;Texte;Caractère(s)/Position(s);abc;1;2.5;",
              "Le paramètre 6 de la commande Caractère(s)/Position(s) est invalide [2.5]."},
             {"R;Texte;Caractère(s)/Longueur;abc;;1;",
              "Le paramètre 5 de la commande Caractère(s)/Longueur est invalide []."},
             {"R;Date;JJ/MM/AAAA;hier;", "Le paramètre de décalage de jour n'est pas une valeur numérique. [hier]"},
             {"R;Handle;Texte;abc;", "Numéro de handle invalide."},
             {"R;Handle;Texte;-5;", "Numéro de handle invalide."},
             {"R;Handle;Texte;4242;", "Numéro de handle invalide."},  // no such window
             {"R;Paramètre d'exécution;Paramètre n°;un;", "Numéro du paramètre d'exécution invalide."},
             {"R;Disque;Taille Totale;c;", "Lettre de lecteur invalide."},
         }) {
        EXPECT_EQ(fonction(params), "?") << params.toStdString();
        EXPECT_EQ(error(), message);
        EXPECT_TRUE(form->RichEdit1->toPlainText().contains(message));
    }
}

TEST_F(Fonction, DatesAndTimes) {
    const QDate today = QDate::currentDate();
    const QDate yesterday = today.addDays(-1);
    const std::vector<Case> cases = {
        {"R;Date;JJ/MM/AAAA;-1;", yesterday.toString("dd/MM/yyyy")},
        {"R;Date;JJ/MM/AAAA;;", today.toString("dd/MM/yyyy")},
        {"R;Date;JJMMAAAA;1;", today.addDays(1).toString("ddMMyyyy")},
        {"R;Date;AAAAMMJJ;0;", today.toString("yyyyMMdd")},
        {"R;Date;Jour;-1;", yesterday.toString("dd")},
        {"R;Date;Mois;;", today.toString("MM")},
        {"R;Date;Année;;", today.toString("yyyy")},
    };
    expectAll(cases, [this](const Case& c) { return fonction(c.params); });
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(fonction("R;Heure;HH:MM:SS;")).hasMatch());
    EXPECT_TRUE(QRegularExpression("^\\d{6}$").match(fonction("R;Heure;HHMMSS;")).hasMatch());
    const int hour = fonction("R;Heure;Heure;").toInt();
    EXPECT_TRUE(hour == QTime::currentTime().hour() || hour == (QTime::currentTime().hour() + 23) % 24);
    EXPECT_EQ(fonction("R;Heure;Minute;").size(), 2);
}

TEST_F(Fonction, DesktopClipboardCursorScreenAndWindows) {
    fake().clipboard = "presse-papiers";
    fake().cursor = {12, 34};
    fake().screenSize = {1280, 800};
    platform::FakeWindow w{0x500, "Classe", "Titre", QRect(10, 20, 300, 200), 0, 0};
    fake().windows << w;
    w.handle = 0x600, w.show = platform::SW_SHOWMINIMIZED;
    fake().windows << w;
    w.handle = 0x700, w.show = platform::SW_SHOWMAXIMIZED;
    fake().windows << w;
    w.handle = 0x800, w.visible = false;
    fake().windows << w;
    const std::vector<Case> cases = {
        {"R;Clipboard;Texte;", "presse-papiers"},
        {"R;Curseur;Position X;", "12"},
        {"R;Curseur;Position Y;", "34"},
        {"R;Ecran;Longueur;", "1280"},
        {"R;Ecran;Largeur;", "800"},
        {"R;Ecran;Inconnue;", ""},  // an unknown function writes the empty text
        {"R;Handle;Texte;1280;", "Titre"},
        {"R;Handle;Longueur;1280;", "300"},
        {"R;Handle;Largeur;1280;", "200"},
        {"R;Handle;Position X;1280;", "10"},
        {"R;Handle;Position Y;1280;", "20"},
        {"R;Handle;Etat;1280;", "Normal"},
        {"R;Handle;Etat;1536;", "Réduit"},
        {"R;Handle;Etat;1792;", "Agrandi"},
        {"R;Handle;Etat;2048;", "Indéterminé"},
    };
    expectAll(cases, [this](const Case& c) { return fonction(c.params); });
}

TEST_F(Fonction, Random) {
    QSet<QString> letters, numbers;
    for (int i = 0; i < 600; ++i) {
        letters << fonction("R;Hasard;Lettre;");
        numbers << fonction("R;Hasard;Nombre;3;");
    }
    EXPECT_EQ(letters.size(), 26) << "A to Z, Z included";
    for (const QString& l : letters) EXPECT_TRUE(l.size() == 1 && l[0] >= u'A' && l[0] <= u'Z') << l.toStdString();
    EXPECT_EQ(numbers, (QSet<QString>{"0", "1", "2"}));
    EXPECT_EQ(fonction("R;Hasard;Nombre;1;"), "0");
    EXPECT_EQ(fonction("R;Hasard;Nombre;x;"), "0");
    EXPECT_EQ(fonction("R;Hasard;Nombre;0;"), "0");
}

TEST_F(Fonction, Numbers) {
    const std::vector<Case> cases = {
        {"R;Nombre;Décimales;2;", "3.14", "R;3.14159265358979;Numerique;"},
        {"R;Nombre;Décimales;0;", "3", "R;3.14159265358979;Numerique;"},
        {"R;Nombre;Décimales;x;", "3.14", "R;3.14159265358979;Numerique;"},
        {"R;Nombre;Monétaire;", "2.50", "R;2.5;Numerique;"},
        {"R;Nombre;Monétaire;", "0.00", "R;-0.001;Numerique;"},
        {"R;Nombre;Abs;", "2.5", "R;-2.5;Numerique;"},
        {"R;Nombre;Tronc;", "-2", "R;-2.7;Numerique;"},
        {"R;Nombre;Cos;", "1", "R;0;Numerique;"},
        {"R;Nombre;Sin;", "0", "R;0;Numerique;"},
        {"R;Nombre;Tang;", "0", "R;0;Numerique;"},
        {"R;Nombre;Cotang;", QString::number(1.0 / std::tan(1.0), 'g', 15), "R;1;Numerique;"},
        {"R;Nombre;Abs;", "12", "R;-12;Numerique;"},
        {"R;Nombre;Inconnue;", "-12", "R;-12;Numerique;"},
    };
    expectAll(cases, [this](const Case& c) { return fonction(c.params, c.result); });

    EXPECT_EQ(fonction("R;Nombre;Abs;", "R;abc;Alpha;"), "abc");
    EXPECT_EQ(error(), "[Ligne :3]- Fonction Nombre impossible à exécuter,car la valeur n'est pas numérique.");
}

TEST_F(Fonction, RunParameters) {
    SetProgramArguments({"orvanel", "/un/essai.mcr", "deux"});
    EXPECT_EQ(fonction("R;Paramètre d'exécution;Paramètre n°;0;"), QCoreApplication::applicationFilePath());
    EXPECT_EQ(fonction("R;Paramètre d'exécution;Paramètre n°;2;"), "deux");
    EXPECT_EQ(fonction("R;Paramètre d'exécution;Paramètre n°;3;"), "");
    EXPECT_EQ(fonction("R;Paramètre d'exécution;Nombre de paramètre;"), "2");
    SetProgramArguments({});
}

TEST_F(Fonction, SystemFolders) {
    qputenv("TMPDIR", home.path().toLocal8Bit());
    EXPECT_EQ(fonction("R;Répertoire système;Rep Temporaire;"), home.path());
    qunsetenv("TMPDIR");
    EXPECT_EQ(fonction("R;Répertoire système;Rep Temporaire;"), "/tmp");
    EXPECT_EQ(fonction("R;Répertoire système;Rep Maison;"), QDir::homePath());
    EXPECT_EQ(fonction("R;Répertoire système;Rep Windows;"), "/usr");
    EXPECT_EQ(fonction("R;Répertoire système;Rep Fichier prog;"), "/usr/bin");
    EXPECT_EQ(fonction("R;Répertoire système;Rep Orvanel;"), QDir(home.path()).absolutePath() + "/");
    form->StatusPanel[0]->setText("/un/dossier/macro.mcr");
    EXPECT_EQ(fonction("R;Répertoire système;Rep Fichier Macro;"), "/un/dossier/");
    OpenMacroFile().aliasExe = "/ailleurs/alias";
    EXPECT_EQ(fonction("R;Répertoire système;Rep Fichier Macro;"), "/ailleurs/");
    OpenMacroFile().aliasExe.clear();
}

TEST_F(Fonction, Disks) {
    const platform::DiskStatus disk = platform::DiskOf(home.path());
    EXPECT_EQ(fonction("R;Disque;Taille Totale;" + home.path() + ";"), QString::number(disk.bytesTotal / 1e6, 'f', 2));
    EXPECT_EQ(fonction("R;Disque;Type de disque;/nulle/part/;"), "Does not exist");
    EXPECT_FALSE(fonction("R;Disque;Type de disque;/;").isEmpty());
    EXPECT_EQ(fonction("R;Disque;Inconnue;/;"), "");
    // Other programs write meanwhile: the free size lies between two readings.
    const qint64 before = platform::DiskOf("/").bytesFree;
    const double free = fonction("R;Disque;Taille Disponible;/;").toDouble() * 1e6;
    const qint64 after = platform::DiskOf("/").bytesFree;
    EXPECT_GE(free + 1e4, double(qMin(before, after)));
    EXPECT_LE(free - 1e4, double(qMax(before, after)));
}

TEST_F(Fonction, Files) {
    const QString three = file("trois.txt", "un\r\ndeux\ntrois");
    const QString ended = file("fin.txt", "un\ndeux\n");
    file("vide.txt", "");
    const QString missing = home.filePath("absent.txt");
    const std::vector<Case> cases = {
        {"R;Fichier;Nombre d'enregistrement;" + three + ";", "3"},
        {"R;Fichier;Nombre d'enregistrement;" + ended + ";", "2"},
        {"R;Fichier;Nombre d'enregistrement;" + home.filePath("vide.txt") + ";", "0"},
        {"R;Fichier;Nombre d'enregistrement;" + missing + ";", "0"},
        {"R;Fichier;Existe;" + three + ";", "oui"},
        {"R;Fichier;Existe;" + missing + ";", "non"},
        {"R;Fichier;Existe;" + home.path() + ";", "non"},  // a folder is no file
        {"R;Fichier;Taille octets;" + three + ";", "14"},
        {"R;Fichier;Taille octets;" + home.filePath("t*.txt") + ";", "14"},
        {"R;Fichier;Taille octets;" + missing + ";", "0"},
        {"R;Fichier;Extrait nom de fichier;/a/b/c.tar.gz;", "c.tar.gz"},
        {"R;Fichier;Extrait répertoire;/a/b/c.txt;", "/a/b"},
        {"R;Fichier;Extrait répertoire;/c.txt;", "/"},
        {"R;Fichier;Extrait extension;/a/b.d/c.tar.gz;", ".gz"},
        {"R;Fichier;Extrait extension;/a/b.d/c;", ""},
        {"R;Fichier;Inconnue;/a;", ""},
    };
    expectAll(cases, [this](const Case& c) { return fonction(c.params); });

    // It exists but cannot be read as a text file.
    EXPECT_EQ(fonction("R;Fichier;Nombre d'enregistrement;" + home.path() + ";"), "?");
    EXPECT_EQ(error(), "Impossible d'accéder au fichier nommé " + home.path() + ".");
}

TEST_F(Fonction, FileAttributes) {
    const QString plain = file("plain.txt", "x");
    const QString hidden = file(".cache", "x");
    const QString readOnly = file("lecture.txt", "x");
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup);
    const QString missing = home.filePath("absent");
    struct Attr {
        const char* question;
        QString path;
        const char* answer;
    };
    const std::vector<Attr> cases = {
        {"en lecture seule?", readOnly, "oui"},
        {"en lecture seule?", plain, "non"},
        {"caché?", hidden, "oui"},
        {"caché?", plain, "non"},
        {"système?", "/dev/null", "oui"},
        {"système?", plain, "non"},
        {"répertoire?", home.path(), "oui"},
        {"répertoire?", plain, "non"},
        {"archive?", plain, "oui"},
        {"archive?", home.path(), "non"},
        {"d'identification de volume?", plain, "non"},
    };
    for (const Attr& a : cases)
        EXPECT_EQ(fonction(QString("R;Fichier;%1;%2;").arg(a.question, a.path)), a.answer)
            << a.question << " " << a.path.toStdString();
    // A missing file answers no question with "oui".
    for (const char* q :
         {"en lecture seule?", "caché?", "système?", "d'identification de volume?", "répertoire?", "archive?"})
        EXPECT_EQ(fonction(QString("R;Fichier;%1;%2;").arg(q, missing)), "non") << q;
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(Fonction, FileDatesAreTheFilesOwn) {
    const QString path = file("date.txt", "x");
    const QDateTime written(QDate(2021, 3, 4), QTime(5, 6, 7));
    const QDateTime read(QDate(2022, 8, 9), QTime(10, 11, 12));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(written, QFileDevice::FileModificationTime));
    ASSERT_TRUE(f.setFileTime(read, QFileDevice::FileAccessTime));
    f.close();
    EXPECT_EQ(fonction("R;Fichier;Date Modification Fichier;" + path + ";"), "04/03/2021 05:06:07");
    EXPECT_EQ(fonction("R;Fichier;Date Accès Fichier;" + path + ";"), "09/08/2022 10:11:12");
    const QFileInfo info(path);
    const QDateTime born = info.birthTime().isValid() ? info.birthTime() : info.lastModified();
    EXPECT_EQ(fonction("R;Fichier;Date Création Fichier;" + path + ";"), born.toString("dd/MM/yyyy hh:mm:ss"));
    // A numeric variable gets the day number, its fraction the time of day.
    EXPECT_EQ(fonction("R;Fichier;Date Modification Fichier;" + path + ";", "R;0;Numerique;"),
              QString::number(mdlfnct::DateTimeToNumber(written), 'g', 15));
    // No such file: the date 0.
    EXPECT_EQ(fonction("R;Fichier;Date Accès Fichier;/nulle/part;", "R;1;Numerique;"), "0");
    EXPECT_EQ(fonction("R;Fichier;Date Accès Fichier;/nulle/part;"), "30/12/1899");
}

}  // namespace
