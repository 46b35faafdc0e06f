// Window positions under a real window manager: a dialog moved by the user
// comes back where it was, within the session and after the positions were
// written and read, and the program opens its main window with the title bar
// on the screen, at the same place from one start to the next.
#include "core/Unit1.h"
#include "tests/desktop/DesktopWindow.h"
#include "tests/desktop/UnattendedRun.h"
#include "tools/Unit19.h"

#include <QAction>
#include <QRegularExpression>
#include <QThread>

using desktoptest::waitFor;

namespace {

// The frame of the shown top-level X window named title (its title bar
// included), as xwininfo and the window manager's frame extents give it;
// null when there is none.
QRect frameOf(const QString& title) {
    QByteArray id, info, extents;
    if (!desktoptest::run("xdotool", {"search", "--onlyvisible", "--name", "^" + title + "$"}, &id)) return {};
    const QString window = QString::fromLatin1(id).split(u'\n', Qt::SkipEmptyParts).value(0);
    if (window.isEmpty() || !desktoptest::run("xwininfo", {"-id", window}, &info) ||
        !desktoptest::run("xprop", {"-id", window, "_NET_FRAME_EXTENTS"}, &extents))
        return {};
    auto number = [&info](const char* label) {
        const QRegularExpression re(QStringLiteral("%1:\\s*(-?\\d+)").arg(QLatin1String(label)));
        return re.match(QString::fromLatin1(info)).captured(1).toInt();
    };
    const QStringList sides = QString::fromLatin1(extents).section(u'=', 1).split(u',', Qt::SkipEmptyParts);
    if (sides.size() != 4) return {};
    const int left = sides[0].trimmed().toInt(), right = sides[1].trimmed().toInt();
    const int top = sides[2].trimmed().toInt(), bottom = sides[3].trimmed().toInt();
    return QRect(number("Absolute upper-left X") - left, number("Absolute upper-left Y") - top,
                 number("Width") + left + right, number("Height") + top + bottom);
}

// The frame once the window manager has placed the window and left it alone.
QRect settledFrame(const QString& title) {
    QRect frame, before;
    waitFor([&] {
        before = frame;
        frame = frameOf(title);
        QThread::msleep(150);
        return !frame.isNull() && frame == before;
    }, 30000);
    return frame;
}

class MainWindowPlace : public desktoptest::Unattended {};

TEST_F(MainWindowPlace, TheTitleBarIsOnTheScreenAndThePlaceStaysFromOneStartToTheNext) {
    newHome();
    const QString title = "Nouvelle macro - Orvanel";
    QVector<QRect> frames;
    for (int start = 0; start < 3; ++start) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ORVANEL_HOME", home->path());
        env.insert("QT_QPA_PLATFORM", "xcb");
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(ORVANEL_PROGRAM, {});
        ASSERT_TRUE(program.waitForStarted(10000));
        const QRect frame = settledFrame(title);
        ASSERT_FALSE(frame.isNull()) << program.readAllStandardError().toStdString();
        EXPECT_GE(frame.top(), 0) << "start " << start;
        EXPECT_GE(frame.left(), 0) << "start " << start;
        frames << frame;
        // Quitter (Ctrl+Q), said again while the window manager gives the focus elsewhere.
        for (int attempt = 0; attempt < 5 && program.state() != QProcess::NotRunning; ++attempt) {
            desktoptest::run("xdotool", {"search", "--name", "^" + title + "$", "windowactivate", "--sync"});
            desktoptest::run("xdotool", {"key", "--clearmodifiers", "ctrl+q"});
            program.waitForFinished(4000);
        }
        ASSERT_EQ(program.state(), QProcess::NotRunning) << "start " << start;
    }
    EXPECT_EQ(frames[1], frames[0]);
    EXPECT_EQ(frames[2], frames[0]);
}

class DialogPlace : public DesktopWindowTest {};

TEST_F(DialogPlace, AMovedDialogComesBackWhereItWasLeft) {
    const QString title = "Options de Orvanel";
    auto open = [this, &title] {
        form->Options1->trigger();
        return settledFrame(title);
    };
    ASSERT_FALSE(open().isNull());
    desktoptest::run("xdotool", {"search", "--name", title, "windowmove", "--sync", "300", "200"});
    const QRect moved = settledFrame(title);
    Form19->Button2->click();
    EXPECT_EQ(open(), moved);
    Form19->Button2->click();

    form->WriteWindowPositions();
    Form19->move(10, 10);
    form->ReadWindowPositions();
    EXPECT_EQ(open(), moved);
    Form19->Button2->click();
}

}  // namespace
