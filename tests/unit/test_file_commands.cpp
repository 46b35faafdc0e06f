// "Lire", "Ecrire", "Champs" and clipboard files, run on the fake desktop.
#include "engine/ClipboardFile.h"
#include "tests/unit/HandlerSwap.h"
#include "engine/Handlers.h"
#include "engine/ListFile.h"

#include "tests/unit/RunTest.h"

#include <QImage>
#include <QBuffer>

namespace {

using platform::ClipboardFormat;

class FileCommands : public RunTest {
protected:
    // The rows that declare these Alpha variables.
    static QVector<QPair<QString, QString>> alpha(const QStringList& names) {
        QVector<QPair<QString, QString>> rows;
        for (const QString& n : names) rows.append({"Variable", n + ";;Alpha;"});
        return rows;
    }
};

TEST_F(FileCommands, SequentialReadsWrapAroundAfterTheLastLine) {
    write(path("deux.txt"), "un\r\ndeux\r\n");
    const QString read = path("deux.txt") + ";%1;0;";
    run(alpha({"A", "B", "C"}) +
        QVector<QPair<QString, QString>>{{"Lire", read.arg("A")}, {"Lire", read.arg("B")}, {"Lire", read.arg("C")}});
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    EXPECT_EQ(var("A"), "un");
    EXPECT_EQ(var("B"), "deux");
    EXPECT_EQ(var("C"), "un");
    EXPECT_TRUE(TListFile.empty()) << "the end of the run closes the files";
}

TEST_F(FileCommands, DirectReadsTakeTheLastLineReadAndNeedNoWriteAccess) {
    write(path("trois.txt"), "a\nb\rc");
    write(path("vide.txt"), "");
    QFile::setPermissions(path("trois.txt"), QFileDevice::ReadOwner);
    run(alpha({"A", "B", "C"}) + QVector<QPair<QString, QString>>{{"Variable", "N;2;Numerique;"},
                                                                  {"Lire", path("trois.txt") + ";A;5;"},
                                                                  {"Lire", path("vide.txt") + ";B;1;"},
                                                                  {"Lire", path("trois.txt") + ";C;N;"}});
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    EXPECT_EQ(var("A"), "c");
    EXPECT_EQ(var("B"), "");
    EXPECT_EQ(var("C"), "b");
}

TEST_F(FileCommands, ReadErrorsAreRunTimeErrors) {
    settings().CheckCommands = false;  // the checker would refuse some of these rows
    write(path("bom.txt"), "\xEF\xBB\xBFun\r\n");
    write(path("ok.txt"), "un\r\n");
    struct Case {
        QString params, message;
    } cases[] = {
        {path("absent.txt") + ";A;1;", "Nom de Fichier invalide (" + path("absent.txt") + ")."},
        {path("bom.txt") + ";A;0;", "Fichier ASCII non reconnu."},
        {path("ok.txt") + ";A;X;", "La variable X ne contient pas une valeur numérique entière(X)."},
    };
    for (const Case& c : cases) {
        run(alpha({"A"}) + QVector<QPair<QString, QString>>{{"Lire", c.params}});
        EXPECT_EQ(lastMessage(), c.message + " Arrêt de la macro. [Position 2]") << c.params.toStdString();
    }
}

// Outside a run, with errors that do not stop anything.
TEST_F(FileCommands, ARefusedFileIsNotKeptOpen) {
    setRows({{"Variable", "[ERROR.ADAPTATOR];0;Numerique;"}, {"Variable", "A;;Alpha;"}});
    form->WriteVariable("VAR", "[ERROR.ADAPTATOR]", "0");
    write(path("ok.txt"), "x\r\n");
    write(path("bom.txt"), QByteArray("\xFF\xFEu\0", 4));
    RunRow("Lire", path("ok.txt") + ";A;0;");
    RunRow("Lire", path("bom.txt") + ";A;0;");
    EXPECT_EQ(lastMessage(), "");
    ASSERT_EQ(TListFile.size(), 1u);
    EXPECT_EQ(TListFile[0].name, path("ok.txt"));
    EXPECT_EQ(TListFile[0].linesRead, 1);
    CloseRunFiles();
    EXPECT_TRUE(TListFile.empty());
}

TEST_F(FileCommands, WriteAppendsCrLfLinesAndCreatesTheFolder) {
    const QString file = path("neuf/sous/sortie.txt");
    run({{"Variable", "T;bonjour;Alpha;"}, {"Ecrire", file + ";T;;"}, {"Ecrire", file + ";texte libre;;"}});
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    EXPECT_EQ(bytes(file), "bonjour\r\ntexte libre\r\n");
}

TEST_F(FileCommands, WriteReplacesOneLinePaddingWithEmptyLines) {
    write(path("deux.txt"), "un\r\ndeux");
    run({{"Ecrire", path("deux.txt") + ";quatre;4;"}, {"Ecrire", path("deux.txt") + ";UN;1;"}});
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    EXPECT_EQ(bytes(path("deux.txt")), "UN\r\ndeux\r\n\r\nquatre\r\n");
}

// The lines not asked for keep their bytes, line breaks included; the new line
// is written in the file's own encoding (Windows-1252 when it is not UTF-8).
TEST_F(FileCommands, WriteOnALineKeepsTheOtherLinesByteForByte) {
    struct Case {
        const char* what;
        QByteArray before;
        const char* line;
        QByteArray after;
    } cases[] = {
        {"Windows-1252", "caf\xE9\r\nx\r\nd\xE9j\xE0\r\n", "2", "caf\xE9\r\n\xE9t\xE9 5\x80\r\nd\xE9j\xE0\r\n"},
        {"UTF-8", "caf\xC3\xA9\nx\nfin", "2", "caf\xC3\xA9\n\xC3\xA9t\xC3\xA9 5\xE2\x82\xAC\nfin"},
        {"ASCII, breaks of each kind", "a\rb\nc\r\n", "3", "a\rb\n\xC3\xA9t\xC3\xA9 5\xE2\x82\xAC\r\n"},
        {"Windows-1252, past the end", "caf\xE9\n", "3", "caf\xE9\n\n\xE9t\xE9 5\x80\n"},
        {"new file", QByteArray(), "1", "\xC3\xA9t\xC3\xA9 5\xE2\x82\xAC\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = path("f.txt");
        QFile::remove(file);
        if (!c.before.isNull()) write(file, c.before);
        run({{"Variable", "T;été 5€;Alpha;"}, {"Ecrire", file + ";T;" + c.line + ";"}});
        EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
        EXPECT_EQ(bytes(file).toHex(' '), c.after.toHex(' '));
    }
}

TEST_F(FileCommands, WriteRefusesAPositionBelowOneOrNotANumber) {
    write(path("f.txt"), "un\r\n");
    for (const char* position : {"0", "-3", "x"}) {
        run({{"Ecrire", path("f.txt") + ";deux;" + position + ";"}});
        EXPECT_EQ(lastMessage(), "Position d'écriture invalide. Arrêt de la macro. [Position 1]") << position;
        EXPECT_EQ(bytes(path("f.txt")), "un\r\n");
    }
    run({{"Ecrire", "relatif.txt;deux;;"}});
    EXPECT_EQ(lastMessage(), "Nom de Fichier invalide (relatif.txt). Arrêt de la macro. [Position 1]");
}

QByteArray png() {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setPixel(1, 1, qRgb(0, 0, 255));
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

TEST_F(FileCommands, ClipboardFilesRestoreEveryFormat) {
    const QVector<ClipboardFormat> saved = {{"text/plain;charset=utf-8", "Grüße"}, {"image/png", png()}};
    fake().SetClipboardData(saved);
    const QString file = path("copie.clp");
    run({{"Ecrire", file + ";[CLIPBOARD];;"}});
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    fake().SetClipboardText("autre chose");
    run({{"Lire", file + ";[CLIPBOARD];0;"}});
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    EXPECT_EQ(fake().GetClipboardData(), saved);
    EXPECT_TRUE(TListFile.empty());
}

TEST_F(FileCommands, AnUpperCaseClpIsAPlainTextFile) {
    fake().SetClipboardText("presse-papiers");
    const QString file = path("copie.CLP");
    run({{"Ecrire", file + ";[CLIPBOARD];;"}});
    EXPECT_EQ(bytes(file), "[CLIPBOARD]\r\n");
    run({{"Lire", file + ";[CLIPBOARD];1;"}});
    EXPECT_EQ(fake().clipboard, "[CLIPBOARD]");
}

TEST_F(FileCommands, ACorruptClipboardFileLeavesTheClipboardAlone) {
    const QByteArray good = CplBrd::EncodeClipboardFile({{"text/plain", "abc"}});
    const QByteArray cases[] = {
        good.left(good.size() - 1),                                                    // no whole end mark
        good + "x",                                                                    // something after the end mark
        QByteArray("\x05\x00\x00\x00", 4),                                             // a name past the end
        QByteArray::fromHex("91010000") + QByteArray(802, 'a') + QByteArray(8, '\0'),  // a name of 401
        QByteArray::fromHex("0100000061000a000000") + "abc" + QByteArray(4, '\0'),     // data past the end
        QByteArray(),
    };
    for (const QByteArray& corrupt : cases) {
        write(path("bad.clp"), corrupt);
        fake().SetClipboardText("gardé");
        run({{"Lire", path("bad.clp") + ";[CLIPBOARD];0;"}});
        EXPECT_TRUE(lastMessage().startsWith("Impossible de restaurer le presse-papiers depuis le fichier "))
            << corrupt.toHex().toStdString();
        EXPECT_EQ(fake().clipboard, "gardé");
        EXPECT_EQ(fake().calls.filter("SetClipboardData"), QStringList());
    }
}

TEST(ClipboardFile, LayoutOfTheRecords) {
    const QByteArray file = CplBrd::EncodeClipboardFile({{"a/b", "xyz"}, {"", "skipped"}, {"c", ""}});
    // name length, "a/b" in UTF-16LE, data size, data; the same for "c"; the end mark
    EXPECT_EQ(file, QByteArray::fromHex("03000000 61002f006200 03000000 78797a 01000000 6300 00000000 00000000"));
    QVector<ClipboardFormat> back;
    ASSERT_TRUE(CplBrd::DecodeClipboardFile(file, back));
    EXPECT_EQ(back, (QVector<ClipboardFormat>{{"a/b", "xyz"}, {"c", ""}}));
    ASSERT_TRUE(CplBrd::DecodeClipboardFile(QByteArray(4, '\0'), back));
    EXPECT_TRUE(back.isEmpty());
}

TEST_F(FileCommands, FieldsByDelimiterRunsAndFixedPositions) {
    const QString names = "F1;1;F2;2;F3;3;F4;9;;;;;";
    run({{"Variable", "S;a,,b;Alpha;"},
         {"Variable", "F1;;Alpha;"},
         {"Variable", "F2;;Alpha;"},
         {"Variable", "F3;;Alpha;"},
         {"Variable", "F4;x;Alpha;"},
         {"Variable", "P;;Alpha;"},
         {"Variable", "T;abcdef;Alpha;"},
         {"Champs", "S;D;;;;X;;" + names},
         {"Champs", "T;F;P;2;4;"}});
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    EXPECT_EQ(var("F1"), "a");
    EXPECT_EQ(var("F2"), ",,");
    EXPECT_EQ(var("F3"), "b");
    EXPECT_EQ(var("F4"), "") << "a run that does not exist";
    EXPECT_EQ(var("P"), "bcd");
}

TEST_F(FileCommands, FieldsWithOtherDelimitersAndAnEmptySource) {
    settings().CheckCommands = false;
    run({{"Variable", "A;?;Alpha;"},
         {"Variable", "B;?;Alpha;"},
         {"Champs", "un, deux|trois;D;;x;;x;|;A;2;B;5;"},
         {"Champs", ";D;;x;;;;A;1;"}});
    EXPECT_EQ(var("B"), "trois");
    EXPECT_EQ(var("A"), "") << "an empty source empties every named field";
}

}  // namespace
