#include "core/MacroFileRecord.h"
#include "platform/Cp1252.h"
#include "platform/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <climits>
#include "tests/support/TestSupport.h"

using namespace platform;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(Cp1252, MapsAccentsAndTheHighRange) {
    const std::vector<std::pair<QString, QByteArray>> cases = {
        {"É", "\xC9"}, {"é", "\xE9"}, {"à", "\xE0"}, {"ç", "\xE7"}, {"€", "\x80"},
        {"œ", "\x9C"}, {"’", "\x92"}, {"abc", "abc"},
    };
    for (const auto& [text, bytes] : cases) {
        EXPECT_EQ(toCp1252(text), bytes) << text.toStdString();
        EXPECT_EQ(fromCp1252(bytes), text);
    }
    EXPECT_EQ(toCp1252(QString::fromUtf8("日")), "?");
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(char(b));
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);
}

TEST(Cp1252, LinesEndAtEitherLineBreakAndNotAfterTheLastOne) {
    const std::vector<std::pair<QByteArray, QStringList>> cases = {
        {"", {}},
        {"\r\n", {""}},
        {"un\r\ndeux\n\xE9t\xE9", {"un", "deux", "été"}},
        {"un\n\n", {"un", ""}},
        {"a\rb\r\r\n", {"a\rb\r"}},  // only the "\r" before a line break goes
    };
    for (const auto& [bytes, lines] : cases) EXPECT_EQ(cp1252Lines(bytes), lines) << bytes.toStdString();
}

TEST(MacroFileRecord, Is277BytesWithClampedLengths) {
    const TMacroFileRecord r{"Calcul évolué", "A = 1;"};
    const QByteArray b = r.toBytes();
    ASSERT_EQ(b.size(), 277);
    EXPECT_EQ(quint8(b[0]), 13);
    EXPECT_EQ(b.mid(1, 13), QByteArray("Calcul \xE9volu\xE9"));
    EXPECT_EQ(quint8(b[21]), 6);
    EXPECT_EQ(b.mid(28), QByteArray(277 - 28, '\0'));  // leftover bytes are zero

    QByteArray corrupt = b;
    corrupt[0] = char(200);  // length beyond the 20 characters of room
    EXPECT_EQ(TMacroFileRecord::fromBytes(corrupt.constData()).keyword.size(), 20);
    EXPECT_EQ(TMacroFileRecord::fromBytes(b.constData()).keyword, r.keyword);

    const TMacroFileRecord longOne{QString(30, 'k'), QString(300, 'p')};
    const TMacroFileRecord back = TMacroFileRecord::fromBytes(longOne.toBytes().constData());
    EXPECT_EQ(back.keyword, QString(20, 'k'));
    EXPECT_EQ(back.params, QString(255, 'p'));
}

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("config.ini"); }
};

TEST_F(IniFileTest, FindsSectionsAndKeysWhateverTheirCase) {
    writeAll(path(), "[Delais]\r\nGeneral_Time = 25 \r\n[control]\r\nCarSepParam=\r\nGrille=false\r\n");
    IniFile ini(path());
    EXPECT_EQ(ini.ReadString("DELAIS", "general_time", "10"), "25");
    EXPECT_EQ(ini.ReadString("Control", "CarSepParam", ";"), "");  // present but empty
    EXPECT_EQ(ini.ReadString("Control", "Grille", "True"), "false");
    EXPECT_EQ(ini.ReadString("Control", "Absent", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("Delais", "General_time", 10), 25);
    EXPECT_EQ(ini.ReadInteger("Control", "Grille", 7), 7);
    EXPECT_EQ(ini.ReadSection("control"), QStringList({"CarSepParam", "Grille"}));
}

TEST_F(IniFileTest, WritesKeepForeignLinesAndOrder) {
    const QByteArray original =
        "; r\xE9glages\r\n[Foreign]\r\nZ=1\r\nA = texte  accentu\xE9 \xE9\r\n\r\n[General]\r\nMode=edition\r\nGrille=True\r\n";
    writeAll(path(), original);
    {
        IniFile ini(path());
        ini.WriteString("general", "MODE", "Insertion");
        ini.WriteString("General", "Nouveau", "a b é");
        ini.WriteString("Recents", "Recents0", "/home/moi/ma macro.mcr");
    }
    EXPECT_EQ(readAll(path()),
              "; r\xE9glages\r\n[Foreign]\r\nZ=1\r\nA = texte  accentu\xE9 \xE9\r\n\r\n"
              "[General]\r\nMode=Insertion\r\nGrille=True\r\nNouveau=a b \xE9\r\n"
              "[Recents]\r\nRecents0=/home/moi/ma macro.mcr\r\n");
}

TEST_F(IniFileTest, EraseAndDeleteAndUntouchedFiles) {
    writeAll(path(), "[DynOrder]\n1=/a.so\n2=nil\n[Keep]\nk=v\n");
    {
        IniFile ini(path());
        ini.EraseSection("dynorder");
        ini.WriteString("DynOrder", "1", "/b.so");
        ini.DeleteKey("Keep", "k");
    }
    EXPECT_EQ(readAll(path()), "[Keep]\n[DynOrder]\n1=/b.so\n");  // line ending of the file kept

    const QByteArray unchanged = "[A]\r\nx=1\r\n";
    writeAll(path(), unchanged);
    { IniFile ini(path()); ini.WriteString("a", "X", "1"); }
    EXPECT_EQ(readAll(path()), unchanged);
}

TEST_F(IniFileTest, MissingFileReadsDefaultsAndFailedWriteKeepsNothingHalfDone) {
    IniFile missing(dir.filePath("none.ini"));
    EXPECT_EQ(missing.ReadString("A", "B", "d"), "d");
    EXPECT_FALSE(missing.SectionExists("A"));

    IniFile unwritable(dir.filePath("no/such/folder/x.ini"));
    unwritable.WriteString("A", "B", "C");
    EXPECT_FALSE(unwritable.UpdateFile());
}

TEST(IniInteger, AcceptsOnlyWholeIntegers) {
    const std::vector<std::pair<QString, int>> ok = {
        {"10", 10}, {"-3", -3}, {"$1F", 31}, {"0x10", 16}, {"+4", 4}, {"0XaB", 171},
        {"-$80000000", INT_MIN}, {"2147483647", INT_MAX}, {"007", 7}};
    for (const auto& [t, v] : ok) {
        int got = 0;
        EXPECT_TRUE(parseIniInteger(t, &got)) << t.toStdString();
        EXPECT_EQ(got, v);
    }
    // Text that only starts like an integer, or holds blanks, signs or a NUL inside.
    const QString withNul = QStringLiteral("12") + QChar(0) + QStringLiteral("more");
    for (const QString& bad : {QString(), QStringLiteral("1.5"), QStringLiteral("abc"), QStringLiteral("10a"),
                               QStringLiteral("99999999999"), QStringLiteral("--1"), withNul, QStringLiteral("- 5"),
                               QStringLiteral("0x 1F"), QStringLiteral("$ +5"), QStringLiteral(" 5"),
                               QStringLiteral("0x0x1F"), QStringLiteral("$-5"), QStringLiteral("2147483648"),
                               QStringLiteral("\u0661\u0662"), QStringLiteral("$"), QStringLiteral("-")}) {
        int got = 0;
        EXPECT_FALSE(parseIniInteger(bad, &got)) << bad.toStdString();
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("integers.ini");
    {
        IniFile ini(path);
        ini.WriteString("A", "Nul", withNul);
        ini.WriteString("A", "Blank", "- 5");
    }
    const IniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("A", "Nul", 7), 7);  // the key's default
    EXPECT_EQ(ini.ReadInteger("A", "Blank", 7), 7);
}

}  // namespace
