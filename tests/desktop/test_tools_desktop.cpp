// "Manipulation" on a real client (xlogo), clipboard files with every format
// another client offers (xclip), and screen captures, on the private server.
#include "editors/Palette.h"
#include "editors/Unit18.h"
#include "tests/desktop/DesktopRun.h"

#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

using namespace desktoptest;

class ToolsDesktop : public DesktopRun {
protected:
    QString messagesSeen() const {
        QStringList texts;
        for (const MessageRequest& m : messages.shown) texts << m.text;
        return texts.join(u'\n');
    }
    // Runs a short command while the program goes on serving the clipboard.
    static QByteArray output(const QString& program, const QStringList& args, const QByteArray& input = {}) {
        QProcess p;
        p.start(program, args);
        if (!input.isEmpty()) p.write(input);
        p.closeWriteChannel();
        waitFor([&] { return p.state() == QProcess::NotRunning; }, 10000);
        if (p.state() != QProcess::NotRunning) p.kill();
        p.waitForFinished(1000);
        return p.readAllStandardOutput();
    }
    // "Absolute upper-left X", "Width"... of xwininfo.
    static int geometry(platform::HWND w, const QString& field) {
        const QString info = QString::fromUtf8(output("xwininfo", {"-id", QString::number(w)}));
        const QRegularExpressionMatch m =
            QRegularExpression("^\\s*" + QRegularExpression::escape(field) + ":\\s*(-?\\d+)$",
                               QRegularExpression::MultilineOption)
                .match(info);
        return m.hasMatch() ? m.captured(1).toInt() : -9999;
    }
    // An xlogo window, shown; 0 when it did not come.
    platform::HWND startXlogo(QProcess& xlogo) {
        xlogo.start("xlogo", {});
        platform::HWND w = 0;
        if (xlogo.waitForStarted(5000))
            waitFor([&] { return (w = desk().FindWindow("XLogo")) != 0 && desk().IsWindowVisible(w); });
        return w;
    }
    static QString property(platform::HWND w, const QString& name) {
        return QString::fromUtf8(output("xprop", {"-id", QString::number(w), name}));
    }
    // The window's outer rectangle read by other programs: its own place
    // (xwininfo) and the frame the window manager announces (xprop).
    static QRect outerRect(platform::HWND w) {
        const QRect inside(geometry(w, "Absolute upper-left X"), geometry(w, "Absolute upper-left Y"),
                           geometry(w, "Width"), geometry(w, "Height"));
        const QStringList frame = property(w, "_NET_FRAME_EXTENTS").section(u'=', 1).split(u',');  // l, r, t, b
        if (frame.size() != 4) return inside;
        return inside.adjusted(-frame[0].toInt(), -frame[2].toInt(), frame[1].toInt(), frame[3].toInt());
    }
    static bool within2Pixels(const QRect& a, const QRect& b) {
        return std::abs(a.left() - b.left()) <= 2 && std::abs(a.top() - b.top()) <= 2 &&
               std::abs(a.width() - b.width()) <= 2 && std::abs(a.height() - b.height()) <= 2;
    }
    static std::string text(const QRect& r) {
        return QString("(%1, %2, %3, %4)").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height()).toStdString();
    }
    QString var(const QString& name) {
        QString v;
        form->ReadVariable("VAR", name, "?", v);
        return v;
    }

    QTemporaryDir dir;
};

TEST_F(ToolsDesktop, ManipulationOfARealWindow) {
    QProcess xlogo;
    const platform::HWND w = startXlogo(xlogo);
    ASSERT_NE(w, 0u);
    const QString h = QString::number(w) + ";";

    run({{"Manipulation", h + "Déplacer;200;150;"},
         {"Manipulation", h + "Taille;300;250;"},
         {"Manipulation", h + "Changement texte;Logo renommé;"}});
    EXPECT_EQ(messagesSeen(), "");
    EXPECT_EQ(outerRect(w), QRect(200, 150, 300, 250)) << "the frame included";
    EXPECT_EQ(QString::fromUtf8(output("xdotool", {"getwindowname", QString::number(w)})).trimmed(), "Logo renommé");

    run({{"Manipulation", h + "Réduire;"}});
    EXPECT_TRUE(property(w, "WM_STATE").contains("Iconic")) << property(w, "WM_STATE").toStdString();
    run({{"Manipulation", h + "Agrandir;"}});
    EXPECT_TRUE(property(w, "_NET_WM_STATE").contains("_NET_WM_STATE_MAXIMIZED_HORZ"));
    EXPECT_TRUE(property(w, "WM_STATE").contains("Normal"));
    run({{"Manipulation", h + "Restaurer;"}});
    EXPECT_FALSE(property(w, "_NET_WM_STATE").contains("MAXIMIZED"));
    EXPECT_EQ(desk().GetForegroundWindow(), w);
    EXPECT_EQ(messagesSeen(), "");

    run({{"Manipulation", h + "Fermer;"}});
    EXPECT_TRUE(xlogo.waitForFinished(5000)) << "closed through WM_DELETE_WINDOW";
}

// "Fonction Handle" reads the rectangle "Manipulation" places, the frame
// included: writing back what was read leaves the window where it is, and
// "Restaurer" after "Agrandir" brings it back.
TEST_F(ToolsDesktop, HandleReadsWhatManipulationPlaces) {
    QProcess xlogo;
    const platform::HWND w = startXlogo(xlogo);
    ASSERT_NE(w, 0u);
    const QString h = QString::number(w);
    ASSERT_TRUE(property(w, "_NET_FRAME_EXTENTS").contains("=")) << "the window manager frames the window";
    run({{"Manipulation", h + ";Déplacer;50;60;"}, {"Manipulation", h + ";Taille;302;145;"}});
    const QRect placed = outerRect(w);
    EXPECT_TRUE(within2Pixels(placed, QRect(50, 60, 302, 145))) << text(placed);

    const QVector<QPair<QString, QString>> readAndWriteBack = {
        {"Variable", "X;0;Numerique;"},           {"Variable", "Y;0;Numerique;"},
        {"Variable", "L;0;Numerique;"},           {"Variable", "H;0;Numerique;"},
        {"Fonction", "X;Handle;Position X;" + h + ";"}, {"Fonction", "Y;Handle;Position Y;" + h + ";"},
        {"Fonction", "L;Handle;Longueur;" + h + ";"},   {"Fonction", "H;Handle;Largeur;" + h + ";"},
        {"Manipulation", h + ";Déplacer;X;Y;"},   {"Manipulation", h + ";Taille;L;H;"}};
    for (int round = 1; round <= 3; ++round) {
        run(readAndWriteBack);
        EXPECT_TRUE(within2Pixels(outerRect(w), placed)) << "round " << round << ": " << text(outerRect(w));
    }
    EXPECT_EQ(QRect(var("X").toInt(), var("Y").toInt(), var("L").toInt(), var("H").toInt()), outerRect(w));

    run({{"Variable", "X;0;Numerique;"}, {"Variable", "Y;0;Numerique;"}, {"Manipulation", h + ";Déplacer;300;300;"},
         {"Fonction", "X;Handle;Position X;" + h + ";"}, {"Fonction", "Y;Handle;Position Y;" + h + ";"}});
    EXPECT_EQ(var("X") + "," + var("Y"), "300,300");

    const QRect normal = outerRect(w);
    run({{"Manipulation", h + ";Agrandir;"}});
    EXPECT_FALSE(within2Pixels(outerRect(w), normal)) << "maximised: " << text(outerRect(w));
    run({{"Manipulation", h + ";Restaurer;"}});
    EXPECT_TRUE(within2Pixels(outerRect(w), normal)) << text(outerRect(w)) << " instead of " << text(normal);
    EXPECT_EQ(messagesSeen(), "");
}

// The dialog's move and size start from the window's rectangle: "Déplacer"
// and "Taille" clicked on the painted menu with the real mouse.
TEST_F(ToolsDesktop, ManipulationDialogStartsFromTheWindowsPlace) {
    QProcess xlogo;
    const platform::HWND w = startXlogo(xlogo);
    ASSERT_NE(w, 0u);
    form->show();
    ShowCommandDialog("Manipulation");
    ASSERT_TRUE(waitFor([] { return Form18->isActiveWindow(); }));
    QRect before;
    ASSERT_TRUE(desk().GetWindowRect(w, before));
    Form18->ComboBox1->setEditText(QString::number(w));
    auto clickMenu = [this](int y) {  // on the painted menu, with the real mouse
        const QPoint at = Form18->Image1->mapToGlobal(QPoint(40, y));
        desk().SetCursorPos(at.x(), at.y());
        desk().mouse_event(platform::MOUSEEVENTF_LEFTDOWN, 0, 0, 0);
        desk().mouse_event(platform::MOUSEEVENTF_LEFTUP, 0, 0, 0);
        desk().Flush();
    };
    clickMenu(30);  // "Déplacer"
    ASSERT_TRUE(waitFor([] { return Form18->Action() == 2; }));
    EXPECT_EQ(Form18->ComboBox2->currentText(), QString::number(before.left()));
    EXPECT_EQ(Form18->ComboBox3->currentText(), QString::number(before.top()));
    clickMenu(50);  // "Taille"
    ASSERT_TRUE(waitFor([] { return Form18->Action() == 3; }));
    EXPECT_EQ(Form18->ComboBox2->currentText(), QString::number(before.width()));
    EXPECT_EQ(Form18->ComboBox3->currentText(), QString::number(before.height()));
    Form18->Button1Click();
    EXPECT_EQ(rowTexts(), QStringList({QString("Manipulation|%1;Taille;%2;%3;")
                                           .arg(w).arg(before.width()).arg(before.height())}));
}

TEST_F(ToolsDesktop, ForcedClosingEndsTheWindowsProcess) {
    QProcess xlogo;
    const platform::HWND w = startXlogo(xlogo);
    ASSERT_NE(w, 0u);
    run({{"Manipulation", QString::number(w) + ";Fermeture forcée;"}});
    EXPECT_TRUE(xlogo.waitForFinished(5000));
}

TEST_F(ToolsDesktop, ClipboardFilesRestoreTextAndImages) {
    ASSERT_TRUE(dir.isValid());
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    image.setPixel(3, 4, qRgb(250, 10, 20));
    const QString png = dir.filePath("image.png");
    ASSERT_TRUE(image.save(png));
    QFile pngFile(png);
    ASSERT_TRUE(pngFile.open(QIODevice::ReadOnly));
    const QByteArray pngBytes = pngFile.readAll();
    QFile other(dir.filePath("autre.txt"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("autre chose\r\n");
    other.close();

    struct Case {
        QStringList xclipIn;
        QByteArray input;
        QByteArray target;  // what xclip offers
        QStringList xclipOut;
        QByteArray expected;
    } cases[] = {
        {{"-t", "image/png", "-i", png}, {}, "image/png", {"-t", "image/png", "-o"}, pngBytes},
        {{"-i"}, "Grüße d'ailleurs", "UTF8_STRING", {"-o"}, "Grüße d'ailleurs"},
    };
    const QStringList clipboard = {"-selection", "clipboard"};
    for (const Case& c : cases) {
        output("xclip", clipboard + c.xclipIn, c.input);  // its child serves the clipboard from now on
        ASSERT_TRUE(waitFor([&] {
            return output("xclip", clipboard + QStringList{"-t", "TARGETS", "-o"}).contains(c.target);
        }));
        const QString clp = dir.filePath("copie.clp");
        run({{"Ecrire", clp + ";[CLIPBOARD];;"},
             {"Lire", other.fileName() + ";[CLIPBOARD];1;"},  // the program takes the clipboard
             {"Lire", clp + ";[CLIPBOARD];0;"}});
        EXPECT_EQ(messagesSeen(), "");
        EXPECT_EQ(output("xclip", clipboard + c.xclipOut), c.expected) << c.xclipOut.join(' ').toStdString();
    }
}

TEST_F(ToolsDesktop, AScreenCaptureHasTheScreensSize) {
    ASSERT_TRUE(dir.isValid());
    const QString jpg = dir.filePath("captures/ecran.jpg");
    run({{"Outil Ecran", "Copier vers jpg;" + jpg + ";"}});
    EXPECT_EQ(messagesSeen(), "");
    QImageReader reader(jpg);
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(),
              QSize(desk().GetSystemMetrics(platform::SM_CXSCREEN), desk().GetSystemMetrics(platform::SM_CYSCREEN)));
}

}  // namespace
