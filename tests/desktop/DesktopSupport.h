#pragma once
// What the desktop tests share: bounded waits and commands, and probe_client,
// the real X client they drive and watch.
#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QThread>

#include "platform/Platform.h"

namespace desktoptest {

// Polls `done` every 20 ms for at most `ms` milliseconds.
template <class Done>
bool waitFor(Done done, int ms = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    return true;
}

// Runs a short command, bounded.
inline bool run(const QString& program, const QStringList& args, QByteArray* output = nullptr) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    if (output) *output = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// probe_client (or another client speaking as it does) running, with the
// lines it has reported so far.
class Probe {
public:
    explicit Probe(const QStringList& args = {}, const QString& program = PROBE_CLIENT) {
        process.start(program, args);
        process.waitForStarted(5000);
    }
    ~Probe() {
        process.kill();
        process.waitForFinished(3000);
    }
    QStringList lines() {
        buffer += process.readAllStandardOutput();
        for (qsizetype end; (end = buffer.indexOf('\n')) >= 0; buffer.remove(0, end + 1))
            seen << QString::fromUtf8(buffer.left(end));
        return seen;
    }
    bool waitForLine(const QString& line, int ms = 5000) {
        return waitFor([&] { return lines().contains(line); }, ms);
    }
    QStringList linesAfter(qsizetype from) { return lines().mid(from); }
    // Its reports since line `from` whose first word is one of `kinds`
    // ("press", "wheel", "key"...), once `count` of them have come (5 s at most).
    QStringList reports(qsizetype from, const QStringList& kinds, qsizetype count) {
        auto wanted = [&] {
            QStringList got = linesAfter(from);
            got.removeIf([&](const QString& l) { return !kinds.contains(l.section(u' ', 0, 0)); });
            return got;
        };
        waitFor([&] { return wanted().size() >= count; });
        return wanted();
    }
    QRect geometry() {  // its client area, as it last reported it
        const QStringList all = lines();
        for (qsizetype i = all.size(); i-- > 0;) {
            const QStringList f = all[i].split(' ');
            if (f.size() == 5 && f[0] == "geometry")
                return QRect(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt());
        }
        return QRect();
    }
    qint64 pid() const { return process.processId(); }

    QProcess process;

private:
    QByteArray buffer;
    QStringList seen;
};

// Waits until the probe with this title is listed, placed and active.
inline platform::HWND showProbe(platform::Platform& desk, Probe& probe, const QString& title) {
    platform::HWND w = 0;
    waitFor([&] { return (w = desk.FindWindow("OrvanelProbe", title)) != 0; });
    if (!w) return 0;
    QRect rect;
    waitFor([&] {  // placed by the window manager
        return desk.GetWindowRect(w, rect) && !probe.geometry().topLeft().isNull() && rect.contains(probe.geometry());
    });
    // Active now, not merely once: the latest activation report must say so.
    auto active = [&] {
        const QStringList l = probe.lines();
        return desk.GetForegroundWindow() == w &&
               l.lastIndexOf(QStringLiteral("active")) > l.lastIndexOf(QStringLiteral("inactive"));
    };
    for (int attempt = 0; attempt < 3 && !active(); ++attempt) {
        desk.SetForegroundWindow(w);
        waitFor(active, 2000);
    }
    return w;
}

// A point inside the probe's coloured area.
inline QPoint areaPoint(Probe& probe) {
    const QRect g = probe.geometry();
    return QPoint(g.center().x(), g.top() + g.height() * 3 / 4);
}

}  // namespace desktoptest
