// The freedesktop.org trash layout.
#include "platform/Trash.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

void write(const QString& file, const QByteArray& content) { WriteBytes(file, content); }

QByteArray read(const QString& file) { return ReadBytes(file, "(absent)"); }

TEST(Trash, SameNamesAreKeptApartWithTheirInfo) {
    QTemporaryDir dir;
    const QString trash = dir.filePath("Trash");
    for (const char* content : {"1", "2", "3"}) {
        write(dir.filePath("note.txt"), content);
        ASSERT_TRUE(platform::MoveToTrash(dir.filePath("note.txt"), nullptr, trash));
    }
    EXPECT_EQ(read(trash + "/files/note.txt"), "1");
    EXPECT_EQ(read(trash + "/files/note (2).txt"), "2");
    EXPECT_EQ(read(trash + "/files/note (3).txt"), "3");
    const QByteArray info = read(trash + "/info/note (3).txt.trashinfo");
    EXPECT_TRUE(info.startsWith("[Trash Info]\nPath=" + QUrl::toPercentEncoding(dir.filePath("note.txt"), "/")))
        << info.toStdString();
    EXPECT_TRUE(QRegularExpression("\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n$")
                    .match(QString::fromLatin1(info))
                    .hasMatch());
}

TEST(Trash, RefusesWhatCannotGoThere) {
    QTemporaryDir dir;
    const QString trash = dir.filePath("Trash");
    QString why;
    EXPECT_FALSE(platform::MoveToTrash(dir.filePath("absent"), &why, trash));
    EXPECT_FALSE(why.isEmpty());
    ASSERT_TRUE(QDir().mkpath(trash + "/files/x"));
    EXPECT_FALSE(platform::MoveToTrash(trash + "/files/x", &why, trash));
    EXPECT_TRUE(QFileInfo(trash + "/files/x").isDir());
    EXPECT_FALSE(platform::MoveToTrash("/", &why, trash));
}

// A folder of another file system is copied whole, then removed.
TEST(Trash, FromAnotherFileSystem) {
    QTemporaryDir dir;
    QTemporaryDir other(QDir::tempPath() == "/dev/shm" ? "/tmp/trash-XXXXXX" : "/dev/shm/trash-XXXXXX");
    if (!other.isValid() || QStorageInfo(other.path()).device() == QStorageInfo(dir.path()).device())
        GTEST_SKIP() << "no second file system";
    ASSERT_TRUE(QDir().mkpath(other.filePath("d/e")));
    write(other.filePath("d/e/f.txt"), "f");
    ASSERT_TRUE(QFile::link("e/f.txt", other.filePath("d/lien")));
    ASSERT_TRUE(platform::MoveToTrash(other.filePath("d"), nullptr, dir.filePath("Trash")));
    EXPECT_FALSE(QFileInfo::exists(other.filePath("d")));
    EXPECT_EQ(read(dir.filePath("Trash/files/d/e/f.txt")), "f");
    EXPECT_EQ(QFileInfo(dir.filePath("Trash/files/d/lien")).symLinkTarget(), dir.filePath("Trash/files/d/e/f.txt"));
}

}  // namespace
