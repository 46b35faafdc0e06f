// Execution contexts: files written byte by byte here, as another program
// would, resumed by a run; and the program's own files compared with them.
#include "core/FileDialog.h"
#include "core/Unit1.h"
#include "core/Variables.h"
#include "engine/ContextOfExecute.h"
#include "engine/Runner.h"
#include "engine/Handlers.h"
#include "engine/ListFile.h"
#include "platform/Cp1252.h"
#include "tests/unit/RunTest.h"

#include <QDateTime>
#include <QMenu>
#include <QToolButton>
#include <QtEndian>

#include <sys/stat.h>

namespace {

// The file's local modification time, packed as the context keeps it.
double packedAge(const QString& path) {
    const QDateTime t = QFileInfo(path).lastModified();
    return double(((t.date().year() - 1980) << 25) | (t.date().month() << 21) | (t.date().day() << 16) |
                  (t.time().hour() << 11) | (t.time().minute() << 5) | (t.time().second() / 2));
}

struct Context {
    QString macro;
    double age = 0;
    int row = 0, executed = 0;
    QString start = "10:11:12";
    QVector<QPair<QString, QString>> variables;
    struct File {
        QString path, age;
        int linesRead;
    };
    QVector<File> files;

    QByteArray bytes() const {
        QByteArray out(544, 0);
        auto shortString = [&](int at, const QString& s) {
            out[at] = char(s.size());
            out.replace(at + 1, int(s.size()), platform::toCp1252(s));
        };
        auto int32 = [&](int at, int32_t v) { qToLittleEndian(v, out.data() + at); };
        shortString(0, macro);
        qToLittleEndian(age, out.data() + 256);
        int32(264, row);
        int32(272, executed);
        shortString(276, start);
        int32(536, int32_t(variables.size()));
        int32(540, int32_t(files.size()));
        auto string = [&](const QString& s) {
            QByteArray n(4, 0);
            qToLittleEndian(int32_t(platform::toCp1252(s).size()), n.data());
            out += n + platform::toCp1252(s);
        };
        for (const auto& [name, value] : variables) {
            string(name);
            string(value);
        }
        for (const File& f : files) {
            string(f.path);
            string(f.age);
            string(QString::number(f.linesRead));
        }
        return out;
    }
};

class Contexts : public RunTest {
protected:
    // The rows, saved as a macro file so that the run knows its path.
    void openMacro(const QVector<QPair<QString, QString>>& rows) {
        setRows(rows);
        form->SaveDialog1->FileName = path("demo.mcr");
        form->SaveMacro(nullptr);
        ASSERT_EQ(form->StatusPanel[0]->text(), path("demo.mcr"));
    }
    void resume(const QByteArray& context) {
        write(path("demo.ctx"), context);
        messages.shown.clear();
        Variables().Clear();
        Runner->ResumeContext(path("demo.ctx"));
    }
    // Declarations on rows 0 and 1 (never run when resuming at row 2), then the rows given.
    QVector<QPair<QString, QString>> macroRows(const QVector<QPair<QString, QString>>& rest) {
        return QVector<QPair<QString, QString>>{{"Variable", "A;avant;Alpha;"}, {"Variable", "L;;Alpha;"}} + rest;
    }
};

TEST_F(Contexts, AContextWrittenElsewhereResumesAtItsRowWithItsVariablesAndOpenFile) {
    write(path("lignes.txt"), "un\r\ndeux\r\ntrois\r\nquatre\r\n");
    openMacro(macroRows({{"Lire", path("lignes.txt") + ";L;0;"}}));
    Context c{path("demo.mcr"), packedAge(path("demo.mcr")), 2, 7};
    c.variables = {{"A", "reprise"}, {"L", ""}};
    c.files = {{path("lignes.txt"), "0", 2}};
    resume(c.bytes());
    EXPECT_TRUE(messages.shown.isEmpty()) << lastMessage().toStdString();
    EXPECT_EQ(var("L"), "trois");
    EXPECT_EQ(var("A"), "reprise");
    EXPECT_FALSE(RunState().RunEndedInError);
}

TEST_F(Contexts, AFileGoneSinceTheSaveIsAMessageAndTheRunGoesOn) {
    openMacro(macroRows({{"Variable", "B;fin;Alpha;"}}));
    Context c{path("demo.mcr"), packedAge(path("demo.mcr")), 2};
    c.variables = {{"A", "reprise"}};
    c.files = {{path("parti.txt"), "0", 1}};
    resume(c.bytes());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(lastMessage().startsWith("Fichier introuvable ou modifié après la sauvegarde du contexte."));
    EXPECT_EQ(var("A"), "reprise");
    EXPECT_EQ(var("B"), "fin");
}

TEST_F(Contexts, AContextThatCannotBeTakenUpRunsNothing) {
    openMacro(macroRows({{"Variable", "B;fin;Alpha;"}}));
    Context changed{path("demo.mcr"), packedAge(path("demo.mcr")) - 2, 2};
    Context truncated{path("demo.mcr"), packedAge(path("demo.mcr")), 2};
    truncated.variables = {{"A", "reprise"}};
    QByteArray cut = truncated.bytes();
    cut.chop(3);
    // Counts no file of this size can hold, read before anything is sized from them.
    auto counts = [&](int32_t variables, int32_t files) {
        QByteArray b = truncated.bytes();
        qToLittleEndian(variables, b.data() + 536);
        qToLittleEndian(files, b.data() + 540);
        return b;
    };
    struct Case {
        const char* name;
        QByteArray bytes;
        QString message;
    };
    for (const Case& k : {Case{"changed, declined", changed.bytes(), "La macro a été enregistrée après la sauvegarde"},
                          Case{"shorter than its counts", cut, "est illisible ou incomplet"},
                          Case{"no header", QByteArray(100, 0), "est illisible ou incomplet"},
                          Case{"impossible variable count", counts(0x7fffffff, 0), "est illisible ou incomplet"},
                          Case{"impossible file count", counts(1, 0x7fffffff), "est illisible ou incomplet"},
                          Case{"negative count", counts(-1, 0), "est illisible ou incomplet"}}) {
        SCOPED_TRACE(k.name);
        messages.answer = mrNo;
        resume(k.bytes);
        EXPECT_EQ(var("B"), "?");
        EXPECT_EQ(var("A"), "?");
        ASSERT_FALSE(messages.shown.isEmpty());
        EXPECT_TRUE(messages.shown[0].text.contains(k.message)) << messages.shown[0].text.toStdString();
    }
}

TEST_F(Contexts, TheProgramWritesTheSameBytesAndListsOnlyTheOpenMacrosContexts) {
    write(path("lignes.txt"), "un\r\ndeux\r\n");
    openMacro(macroRows({}));
    Variables().SetEntries({{"A", "é;x", {}}, {"V", "", {}}});
    auto file = std::make_unique<QFile>(path("lignes.txt"));
    ASSERT_TRUE(file->open(QIODevice::ReadOnly));
    TListFile.push_back({path("lignes.txt"), std::move(file), 1});
    RunState().CurrentOrderIndex = 2;
    RunState().ExecutedCount = 9;
    RunState().RunStartTime = "10:11:12";
    RunState().SavedWindowState = 0;
    ASSERT_TRUE(QDir().mkpath(ContextFolder()));
    const QString saved = QDir(ContextFolder()).filePath("a & b.ctx");
    write(saved, "un ancien contexte lisible de tous");
    QFile::setPermissions(saved, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    ASSERT_TRUE(SaveExecutionContext(Runner->Context(), saved));
    CloseRunFiles();
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(saved).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);  // it holds every value, "[PASSWORD]" too
    Context c{path("demo.mcr"), packedAge(path("demo.mcr")), 2, 9};
    c.variables = {{"A", "é;x"}, {"V", ""}};
    c.files = {{path("lignes.txt"), QString::number(qint64(packedAge(path("lignes.txt")))), 1}};
    EXPECT_EQ(bytes(saved), c.bytes());

    Context other{path("autre.mcr")};
    write(QDir(ContextFolder()).filePath("autre.ctx"), other.bytes());
    EXPECT_EQ(SavedContextsOf(path("demo.mcr")), QStringList({"a & b.ctx"}));
    form->SpeedButton36->click();
    const QList<QAction*> items = form->PopupMenu7->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->text(), "a && b.ctx");
    form->PopupMenu7->close();
}

}  // namespace
