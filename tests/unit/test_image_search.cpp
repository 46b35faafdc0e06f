// "Trouve image": the search of a picture in a capture, and the command on the fake screen.
#include "core/RunState.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/ImageSearch.h"
#include "engine/Runner.h"
#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"

#include "tests/support/TestSupport.h"
#include "tests/unit/HandlerSwap.h"

#include <QBuffer>
#include <QPainter>
#include <QRandomGenerator>
#include <QTextEdit>
#include <QtEndian>

namespace {

using Outcome = TImageMatcher::Outcome;

QImage noise(int w, int h, quint32 seed) {
    QImage image(w, h, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, 0xff000000u | (random.generate() & 0xffffffu));
    return image;
}

QImage plain(int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void paste(QImage& onto, const QImage& picture, QPoint at) { QPainter(&onto).drawImage(at, picture); }

QString where(const TImageMatcher::Result& r) {
    switch (r.outcome) {
        case Outcome::Found: return QStringLiteral("%1,%2").arg(r.at.x()).arg(r.at.y());
        case Outcome::Absent: return QStringLiteral("absent");
        case Outcome::Stopped: return QStringLiteral("stopped");
    }
    return QString();
}

TEST(ImageMatcher, OccurrencesInReadingOrder) {
    const QImage reference = noise(12, 8, 1);
    QImage capture = noise(200, 100, 2);
    paste(capture, reference, {150, 10});
    paste(capture, reference, {5, 40});
    paste(capture, reference, {60, 40});
    const TImageMatcher matcher(reference);
    EXPECT_EQ(where(matcher.Find(capture, 1)), "150,10");
    EXPECT_EQ(where(matcher.Find(capture, 2)), "5,40");
    EXPECT_EQ(where(matcher.Find(capture, 3)), "60,40");
    EXPECT_EQ(where(matcher.Find(capture, 4)), "absent");
    EXPECT_EQ(where(matcher.Find(capture.copy(0, 0, 11, 100), 1)), "absent");  // narrower than the picture
    EXPECT_EQ(where(matcher.Find(capture.copy(0, 0, 200, 7), 1)), "absent");   // lower than the picture
}

// Every pixel counts, in full colour, the first row and column included.
TEST(ImageMatcher, EveryPixelInFullColour) {
    const QImage reference = noise(10, 10, 3);
    struct Case {
        const char* title;
        QPoint changed;
        QRgb colour;
    };
    const Case cases[] = {
        {"top-left pixel", {0, 0}, 0},
        {"first column", {0, 5}, 0},
        {"first row", {5, 0}, 0},
        {"bottom-right pixel", {9, 9}, 0},
        {"inside", {4, 6}, 0},
        {"same red, green 1 blue 0 against green 0 blue 100", {0, 0}, qRgb(7, 0, 100)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        QImage ref = reference;
        if (c.colour) ref.setPixel(c.changed, qRgb(7, 1, 0));
        QImage capture = noise(64, 48, 4);
        QImage shown = ref;
        shown.setPixel(c.changed, c.colour ? c.colour : ~ref.pixel(c.changed) | 0xff000000u);
        paste(capture, shown, {20, 15});
        EXPECT_EQ(where(TImageMatcher(ref).Find(capture, 1)), "absent");
        paste(capture, ref, {20, 15});
        EXPECT_EQ(where(TImageMatcher(ref).Find(capture, 1)), "20,15");
    }
}

TEST(ImageMatcher, PlainScreens) {
    QImage dotted = plain(32, 32, Qt::white);
    dotted.setPixel(16, 16, qRgb(0, 0, 0));
    QImage screen = plain(400, 300, Qt::white);
    EXPECT_EQ(where(TImageMatcher(dotted).Find(screen, 1)), "absent");
    screen.setPixel(116, 216, qRgb(0, 0, 0));
    EXPECT_EQ(where(TImageMatcher(dotted).Find(screen, 1)), "100,200");
    // A plain picture on a plain screen: every position is an occurrence.
    const QImage white = plain(4, 4, Qt::white);
    const QImage small = plain(10, 10, Qt::white);
    EXPECT_EQ(where(TImageMatcher(white).Find(small, 1)), "0,0");
    EXPECT_EQ(where(TImageMatcher(white).Find(small, 2)), "1,0");
    EXPECT_EQ(where(TImageMatcher(white).Find(small, 8)), "0,1");
    EXPECT_EQ(where(TImageMatcher(white).Find(small, 50)), "absent");
}

// A pattern that nearly matches everywhere: only its one odd pixel refuses the positions.
TEST(ImageMatcher, ACheckerboardWithOneOddPixel) {
    auto checkers = [](int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        return image;
    };
    QImage reference = checkers(16, 16);
    reference.setPixel(9, 7, qRgb(255, 0, 0));
    QImage screen = checkers(800, 600);
    EXPECT_EQ(where(TImageMatcher(reference).Find(screen, 1)), "absent");
    paste(screen, reference, {500, 400});
    EXPECT_EQ(where(TImageMatcher(reference).Find(screen, 1)), "500,400");
}

TEST(ImageMatcher, ALongSearchCanBeStopped) {
    QImage reference = plain(64, 64, Qt::white);
    reference.setPixel(63, 63, qRgb(0, 0, 0));
    const QImage screen = plain(4000, 3000, Qt::white);
    int asked = 0;
    const auto r = TImageMatcher(reference).Find(screen, 1, [&] {
        ++asked;
        return false;
    });
    // Either it was quick enough never to ask, or it stopped when asked.
    EXPECT_EQ(where(r), asked ? "stopped" : "absent");
}

// ---- The command on the fake screen ----

platform::FakePlatform& fake() { return static_cast<platform::FakePlatform&>(platform::desktop()); }

QString fileName;  // the reference file the rewriting row replaces
QImage replacement;
CommandResult rewriteReference(CommandCall&) {
    replacement.save(fileName, "BMP");
    return Done();
}

class FindGraphic : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Variables().Clear();
        RunState().MacroRunning = RunState().RunEndedInError = false;
        settings().GeneralActive = false;
        settings().CheckBeforeRun = false;
        picture = noise(24, 16, 5);
        fileName = home.filePath("bouton.bmp");
        ASSERT_TRUE(picture.save(fileName, "BMP"));
        QImage screen = noise(1024, 768, 6);
        paste(screen, picture, {100, 50});
        paste(screen, picture, {400, 300});
        fake().screenPicture = screen;
    }
    void TearDown() override {
        fake().screenPicture = QImage();
        MainWindowTest::TearDown();
    }
    void run(const QVector<QPair<QString, QString>>& rows) {
        QVector<QPair<QString, QString>> all{{"Variable", "[ERROR.ADAPTATOR];4;Numerique;"},
                                             {"Variable", "X;x;Alpha;"},
                                             {"Variable", "Y;y;Alpha;"},
                                             {"Variable", "N;2;Numerique;"}};
        setRows(all + rows);
        form->Execute(form, false, 0);
    }
    QString found() {
        QString x, y;
        form->ReadVariable("VAR", "X", "?", x);
        form->ReadVariable("VAR", "Y", "?", y);
        return x + u',' + y;
    }
    static QString row(const QString& zone, const QString& n, const QString& file = fileName) {
        return file + u';' + zone + QStringLiteral(";0;0;0;0;X;Y;") + n;
    }
    QString report() const { return form->RichEdit1->toPlainText(); }
    QImage picture;
};

TEST_F(FindGraphic, WritesThePlaceOfTheNthOccurrencePlusOne) {
    struct Case {
        QString zone;
        QString n;
        QString found;
    };
    const Case cases[] = {
        {"0;0;1024;768", "1", "101,51"},  {"0;0;1024;768", "N", "401,301"},  {"0;0;1024;768", "3", "-1,-1"},
        {"50;20;1024;768", "1", "101,51"}, {"101;0;1024;768", "1", "401,301"}, {"0;0;124;66", "1", "101,51"},
        {"0;0;124;65", "1", "-1,-1"},     {"0;0;10;10", "1", "-1,-1"},        {"5;5;5;5", "1", "-1,-1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.zone + " n=" + c.n).toStdString());
        Variables().Clear();
        run({{"Trouve image", row(c.zone, c.n)}});
        EXPECT_EQ(found(), c.found);
        EXPECT_FALSE(report().contains("Trouve image :")) << report().toStdString();
    }
}

TEST_F(FindGraphic, BadParametersAreRunTimeErrors) {
    struct Case {
        QString params;
        QString message;
    };
    const Case cases[] = {
        {row("0;0;1024;768", "1", home.filePath("absent.bmp")),
         "Trouve image : le fichier image « " + home.filePath("absent.bmp") + " » est introuvable."},
        {row("0;0;1024;768", "1", home.path()), "est introuvable."},
        {row("a;0;1024;768", "1"), "Trouve image : la coordonnée « a » de la zone de recherche n'est pas un nombre entier."},
        {row("0;0;1.5;768", "1"), "la coordonnée « 1.5 »"},
        {row("0;0;2000;768", "1"), "Trouve image : la zone (0, 0, 2000, 768) n'est pas une zone de l'écran (1024 x 768)."},
        {row("-1;0;10;10", "1"), "la zone (-1, 0, 10, 10)"},
        {row("20;0;10;10", "1"), "la zone (20, 0, 10, 10)"},
        {row("0;0;1024;768", "0"), "Trouve image : l'occurrence cherchée « 0 » n'est pas un nombre entier positif."},
        {row("0;0;1024;768", "deux"), "l'occurrence cherchée « deux »"},
    };
    QFile notPicture(home.filePath("texte.bmp"));
    ASSERT_TRUE(notPicture.open(QIODevice::WriteOnly));
    notPicture.write("pas une image");
    notPicture.close();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.params.toStdString());
        Variables().Clear();
        form->RichEdit1->clear();
        run({{"Trouve image", c.params}, {"Variable", "Après;1;Numerique;"}});
        EXPECT_TRUE(report().contains(c.message)) << report().toStdString();
        EXPECT_EQ(found(), "x,y");  // unchanged
        QString after;
        form->ReadVariable("VAR", "Après", "?", after);
        EXPECT_EQ(after, "1");
    }
    form->RichEdit1->clear();
    run({{"Trouve image", row("0;0;1024;768", "1", notPicture.fileName())}});
    EXPECT_TRUE(report().contains("n'est pas une image lisible")) << report().toStdString();
}

// A damaged reference is the picture-loading error, never "absent" (-1).
TEST_F(FindGraphic, ADamagedReferenceIsAnError) {
    const QByteArray bmp = ReadBytes(fileName);
    QByteArray png, jpg;
    {
        QBuffer b(&png);
        b.open(QIODevice::WriteOnly);
        picture.save(&b, "PNG");
    }
    {
        QBuffer b(&jpg);
        b.open(QIODevice::WriteOnly);
        noise(64, 64, 3).save(&b, "JPG");
    }
    QByteArray hugeRows = bmp;  // a height no file of this size can hold
    qToLittleEndian<qint32>(0x7fffffff, hugeRows.data() + 22);
    const std::pair<const char*, QByteArray> cases[] = {
        {"bitmap cut in its pixels", bmp.left(bmp.size() - 100)},
        {"bitmap cut in its header", bmp.left(40)},
        {"bitmap with impossible rows", hugeRows},
        {"png cut", png.left(png.size() / 2)},
        {"jpeg cut", jpg.left(jpg.size() / 2)},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        const QString damaged = home.filePath(QString("abîmé-%1.img").arg(what));
        WriteBytes(damaged, bytes);
        Variables().Clear();
        form->RichEdit1->clear();
        run({{"Trouve image", row("0;0;1024;768", "1", damaged)}});
        EXPECT_TRUE(report().contains("Trouve image : le fichier « " + damaged + " » n'est pas une image lisible"))
            << report().toStdString();
        EXPECT_EQ(found(), "x,y");  // unchanged
    }
}

// A picture is read once a run: replacing the file meanwhile changes nothing
// until the run ends.
TEST_F(FindGraphic, APictureIsReadOnceARun) {
    HandlerSwap rewrite(15, rewriteReference);
    replacement = noise(24, 16, 7);  // nowhere on the screen
    run({{"Trouve image", row("0;0;1024;768", "1")}, {"Commentaire", "réécrit"}, {"Trouve image", row("0;0;1024;768", "2")}});
    EXPECT_EQ(found(), "401,301");
    EXPECT_EQ(Runner->Context().Images.Count(), 0);  // the end of the run forgets them
    Variables().Clear();
    run({{"Trouve image", row("0;0;1024;768", "1")}});
    EXPECT_EQ(found(), "-1,-1");
}

}  // namespace
