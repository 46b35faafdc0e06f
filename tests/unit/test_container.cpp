// The resource container against an independent reader and writer
// (tests/support/container_tool.py), its faults refused, and its texts.
#include "tests/support/ContainerTool.h"
#include "tests/support/TestSupport.h"
#include "tools/ResourcesMaker.h"
#include "tools/rm_Utils.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

class ContainerTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) {
        WriteBytes(path(name), bytes);
        return path(name);
    }
    static QByteArray bytesOf(const QString& file) { return ReadBytes(file); }
    static QByteArray randomBytes(qsizetype size) {
        QByteArray b(size, Qt::Uninitialized);
        QRandomGenerator generator(7);
        for (char& c : b) c = char(generator.bounded(256));
        return b;
    }
    QJsonArray entriesOf(const QString& container, const QString& outDir) {
        QDir().mkpath(outDir);
        QString complaint;
        const QJsonObject read = containertool::read(container, outDir, &complaint);
        EXPECT_FALSE(read.isEmpty()) << complaint.toStdString();
        return read["entries"].toArray();
    }
    QTemporaryDir dir;
};

TEST_F(ContainerTest, EntriesReadBackWithAnIndependentReader) {
    const QByteArray random = randomBytes(1 << 20);
    const QString sources[] = {write("vide.txt", {}), write("hasard.bin", random), write(".cache", "abc")};
    QFile::setPermissions(sources[2], QFileDevice::ReadOwner);
    {
        TResourcesMaker maker(path("c.res"), QString());
        maker.CompressionLevel = 0;  // zlib level 9
        maker.AddResource(sources[0], "\\vide.txt", false);
        maker.AddResource(sources[1], "\\dossier\\hasard.bin", false);
        maker.CompressionLevel = 3;  // stored
        maker.AddResource(sources[2], "\\.cache", false);
        EXPECT_EQ(maker.GetExtraInfos(0).Ratio, "0%");
        EXPECT_EQ(maker.GetExtraInfos(1).Folder, "\\dossier\\");
        EXPECT_EQ(maker.GetExtraInfos(1).Name, "hasard.bin");
    }
    const QJsonObject read = containertool::read(path("c.res"), dir.path());
    ASSERT_FALSE(read.isEmpty());
    EXPECT_EQ(read["offset"].toInt(), 0);
    EXPECT_EQ(read["password"].toString(), "0000000000000000");
    const QJsonArray entries = read["entries"].toArray();
    ASSERT_EQ(entries.size(), 3);
    struct Expected {
        const char* name;
        int usize, attr;
        const char* zlib;
    };
    const Expected expected[] = {{"\\vide.txt", 0, 32, ""}, {"\\dossier\\hasard.bin", 1 << 20, 32, "78da"},
                                 {"\\.cache", 3, 32 + 1 + 2, "7801"}};
    for (int i = 0; i < 3; ++i) {
        const QJsonObject e = entries[i].toObject();
        EXPECT_EQ(e["name"].toString(), expected[i].name);
        EXPECT_EQ(e["usize"].toInt(), expected[i].usize) << i;
        EXPECT_EQ(e["attr"].toInt(), expected[i].attr) << i;
        EXPECT_EQ(e["zlib"].toString(), expected[i].zlib) << i;
        EXPECT_TRUE(e["padding_zero"].toBool()) << i;
        EXPECT_EQ(bytesOf(dir.filePath(QString::number(i))), bytesOf(sources[i])) << i;
    }
    EXPECT_EQ(entries[0].toObject()["csize"].toInt(), 0);
}

TEST_F(ContainerTest, AFileThatIsNoContainerKeepsItsBytesInFront) {
    const QByteArray before = randomBytes(1000);
    const QString file = write("prefixe.bin", before);
    {
        TResourcesMaker maker(file, QString());
        maker.AddResource(write("a.txt", "contenu"), "\\a.txt", false);
    }
    EXPECT_EQ(bytesOf(file).left(1000), before);
    const QJsonObject read = containertool::read(file, dir.path());
    EXPECT_EQ(read["offset"].toInt(), 1000);
    EXPECT_EQ(bytesOf(dir.filePath("0")), "contenu");
}

// A container the script made opens with its entries; deleting the middle
// one of three gives the bytes of the container of the other two.
TEST_F(ContainerTest, DeletingAnEntryGivesTheContainerWithoutIt) {
    const QString a = write("a", "premier"), b = write("b", randomBytes(5000)), c = write("c", "troisième");
    auto layout = [](const QJsonArray& entries) { return QJsonObject{{"entries", entries}}; };
    const QJsonObject ea{{"name", "\\a"}, {"source", a}}, eb{{"name", "\\b"}, {"source", b}},
        ec{{"name", "\\c"}, {"source", c}};
    ASSERT_TRUE(containertool::write(path("trois.res"), layout({ea, eb, ec})));
    ASSERT_TRUE(containertool::write(path("deux.res"), layout({ea, ec})));
    {
        TResourcesMaker maker(path("trois.res"), QString());
        ASSERT_EQ(maker.Entries().size(), 3u);
        EXPECT_EQ(maker.ResourceName(1), "\\b");
        EXPECT_EQ(maker.UncompressedSize(1), 5000);
        EXPECT_EQ(maker.ResourceName(3), "");
        EXPECT_EQ(maker.CompressedSize(3), -1);
        maker.DeleteResource("\\B");  // ASCII letters fold
        EXPECT_EQ(maker.Entries().size(), 2u);
        EXPECT_THROW(maker.DeleteResource("\\b"), ErmResNotFound);
    }
    EXPECT_EQ(bytesOf(path("trois.res")), bytesOf(path("deux.res")));
}

// The temporary folder elsewhere (another file system where there is one):
// the new container is written beside the old one, never moved across.
TEST_F(ContainerTest, ADeleteKeepsTheContainerWhateverTheTemporaryFolder) {
    const QByteArray tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QDir("/dev/shm").exists() ? "/dev/shm" : "/tmp");
    {
        TResourcesMaker maker(path("c.res"), QString());
        maker.AddResource(write("a", "un"), "\\a", false);
        maker.AddResource(write("b", "deux"), "\\b", false);
        maker.DeleteResource("\\a");
        EXPECT_TRUE(maker.ResourceExists("\\b"));
    }
    qputenv("TMPDIR", tmp);
    const QJsonArray entries = entriesOf(path("c.res"), path("out"));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].toObject()["name"].toString(), "\\b");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter("c.res").size(), 1);
}

TEST_F(ContainerTest, NamesPasswordsAndOverwrites) {
    const QString file = write("x.txt", "x");
    {
        TResourcesMaker maker(path("c.res"), "secret");
        maker.AddResource(file, "A.TXT", false);
        EXPECT_THROW(maker.AddResource(file, "a.txt", false), ErmResAlreadyExists);
        maker.AddResource(file, "É.txt", false);
        EXPECT_NO_THROW(maker.AddResource(file, "é.txt", false));  // only ASCII letters fold
        maker.AddResource(write("y.txt", "yy"), "a.TXT", true);  // replaced, and now last
        EXPECT_EQ(maker.ResourceName(2), "a.TXT");
        EXPECT_EQ(maker.UncompressedSize(2), 2);
        container::ResourceEntryHeader header;
        try {
            maker.GetResourceHeader("absent", header);
            ADD_FAILURE();
        } catch (const ErmResNotFound& e) {
            EXPECT_EQ(e.Message, "La ressource n'existe pas (absent)");
        }
        EXPECT_THROW(maker.AddResource(file, QString(261, u'n'), false), EResourcesMaker);
    }
    EXPECT_THROW(TResourcesMaker(path("c.res"), "autre"), ErmInvalidPassWord);
    EXPECT_NO_THROW(TResourcesMaker(path("c.res"), "SECRET"));
    EXPECT_THROW(TResourcesMaker(path("d.res"), "huit car"), EResourcesMaker);
}

// Stored offsets and sizes that do not fit the file are refused at once.
TEST_F(ContainerTest, DamagedContainersAreRefused) {
    const QString a = write("a", "donnée");
    const QJsonObject cases[] = {
        {{"entries", QJsonArray{QJsonObject{{"name", "\\a"}, {"source", a}, {"csize", -20}}}}},
        {{"entries", QJsonArray{QJsonObject{{"name", "\\a"}, {"source", a}, {"csize", 1 << 30}}}}},
        {{"entries", QJsonArray{QJsonObject{{"name", "\\a"}, {"source", a}, {"usize", -1}}}}},
        {{"offset", 1 << 30}},
        {{"offset", -5}},
    };
    for (const QJsonObject& layout : cases) {
        ASSERT_TRUE(containertool::write(path("abime.res"), layout));
        const QByteArray before = bytesOf(path("abime.res"));
        QElapsedTimer clock;
        clock.start();
        EXPECT_THROW(TResourcesMaker(path("abime.res"), QString()), EResourcesMaker) << QJsonDocument(layout).toJson().data();
        EXPECT_LT(clock.elapsed(), 1000);
        EXPECT_EQ(bytesOf(path("abime.res")), before);
    }
}

TEST_F(ContainerTest, TheRatioOfLargeEntriesIsRight) {
    // A sparse file: the sizes are true to the file, the data a hole.
    const QJsonObject big{{"name", "\\gros.bin"}, {"csize", 30000000}, {"usize", 40000000}, {"hole", 30000000}};
    ASSERT_TRUE(containertool::write(path("gros.res"), QJsonObject{{"entries", QJsonArray{big}}}));
    TResourcesMaker maker(path("gros.res"), QString());
    EXPECT_EQ(maker.GetExtraInfos(0).Ratio, "25%");
    EXPECT_EQ(maker.GetExtraInfos(0).Size, "40 Mo");
}

TEST_F(ContainerTest, MakeExeAppendsTheContainerToACopyOfTheStub) {
    const QByteArray stub = randomBytes(3000);
    const QString stubFile = write("stub.bin", stub);
    const QString target = path("macro.exe");
    TResourcesMaker maker(path("macro.~exe"), QString());
    maker.AddResource(write("m.mcr", "rows"), "\\m.mcr", false);
    // A stub that cannot be read: no result, and an old file stays as it was.
    write("macro.exe", "ancien");
    EXPECT_FALSE(maker.MakeExe(path("absent.bin")));
    EXPECT_TRUE(maker.LastError().contains("absent.bin"));
    EXPECT_EQ(bytesOf(target), "ancien");
    ASSERT_TRUE(maker.MakeExe(stubFile)) << maker.LastError().toStdString();
    EXPECT_EQ(bytesOf(target).left(3000), stub);
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0755u);
    const QJsonArray entries = entriesOf(target, path("out"));
    EXPECT_EQ(containertool::read(target, path("out"))["offset"].toInt(), 3000);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(bytesOf(path("out/0")), "rows");
}

TEST(ContainerTexts, SupportRoutines) {
    EXPECT_EQ(RemoveExtension(" /a.b/file "), "/a");
    EXPECT_EQ(RemoveExtension("/m/macro.~exe"), "/m/macro");
    EXPECT_EQ(RemoveExtension("sans"), "sans");
    const std::pair<qint64, const char*> sizes[] = {
        {999, "999 Octets"}, {1000, "1 Ko"}, {1500, "1,5 Ko"}, {2500000, "2,5 Mo"}, {3000000000LL, "3 Go"}};
    for (auto [size, text] : sizes) EXPECT_EQ(FormatByteSize(size), QString::fromUtf8(text)) << size;
    EXPECT_EQ(AttributesToText(33, true), "Lecture seule/Archive");
    EXPECT_EQ(AttributesToText(33, false), "LA");
    EXPECT_EQ(AttributesToText(6, true), "Fichier caché/Fichier Système/");
    EXPECT_EQ(ScrambleContainerPassword("ABC", 2), "EDC");
    EXPECT_EQ(ScrambleContainerPassword("\xFF", 2), "\x01");
}

TEST(ContainerTexts, DeleteFilesByMaskKeepsOtherFilesAndFollowsNoLink) {
    QTemporaryDir dir, outside;
    QDir(dir.path()).mkpath("sous");
    for (const char* name : {"a.tmp", "b.TMP", "c.txt", "sous/d.tmp"}) QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    QFile(outside.filePath("e.tmp")).open(QIODevice::WriteOnly);
    QFile::link(outside.path(), dir.filePath("lien"));
    DeleteFilesByMask(dir.path(), "*.tmp", true, true);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
              QStringList({"c.txt", "lien"}));  // the emptied sub-folder went too
    EXPECT_FALSE(QFile::exists(dir.filePath("sous/d.tmp")));
    EXPECT_TRUE(QFile::exists(outside.filePath("e.tmp")));
}

}  // namespace
