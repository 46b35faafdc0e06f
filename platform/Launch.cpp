// Programs, documents and sounds started for the macros. Each gets its
// arguments as a list: no shell ever reads these texts.
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

namespace {

// How long a handler has to refuse a document before it counts as opened:
// xdg-open without a desktop environment waits for the program it started.
constexpr int kRefusalWait = 2000;

// A process whose output nobody reads: it must not go to ours, which may
// be a pipe that closes before the process ends.
QProcess* quietProcess(const QString& program, const QStringList& arguments) {
    auto* p = new QProcess;
    p->setProgram(program);
    p->setArguments(arguments);
    p->setStandardInputFile(QProcess::nullDevice());
    p->setStandardOutputFile(QProcess::nullDevice());
    p->setStandardErrorFile(QProcess::nullDevice());
    return p;
}

// Waits until the process ends (true), ms pass or goOn answers false
// (false; ms < 0 waits without limit). Events are pumped meanwhile, by goOn
// when there is one.
bool waitForEnd(QProcess& p, int ms, const std::function<bool()>& goOn) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!p.waitForFinished(20)) {
        if (p.state() == QProcess::NotRunning) return true;
        if ((ms >= 0 && elapsed.elapsed() >= ms) || (goOn && !goOn())) return false;
        if (!goOn) QCoreApplication::processEvents();
    }
    return true;
}

// A process the program stops waiting for ends on its own; it is never
// killed, not even when the program ends first.
void leaveRunning(QProcess* p) { QObject::connect(p, &QProcess::finished, p, &QObject::deleteLater); }

// xdg-open's exit status: 2 a missing file, 3 no program for it.
int openerResult(const QProcess& p) {
    if (p.exitStatus() != QProcess::NormalExit) return LAUNCH_FAILED;
    switch (p.exitCode()) {
    case 0: return LAUNCH_OK;
    case 2: return LAUNCH_NOT_FOUND;
    case 3: return LAUNCH_NO_HANDLER;
    default: return LAUNCH_FAILED;
    }
}

// A name beginning with "-" would be read as an option.
QString notAnOption(const QString& name) { return name.startsWith(u'-') ? QStringLiteral("./") + name : name; }

}  // namespace

QString LaunchErrorText(int result) {
    switch (result) {
    case LAUNCH_OK: return QStringLiteral("L'opération a réussi.");
    case LAUNCH_NOT_FOUND: return QStringLiteral("Le fichier spécifié est introuvable.");
    case LAUNCH_DENIED: return QStringLiteral("Accès refusé.");
    case LAUNCH_NO_HANDLER:
        return QStringLiteral("Aucune application n'est associée au fichier spécifié pour cette opération.");
    default: return QStringLiteral("Le programme n'a pas pu être démarré.");
    }
}

int Platform::StartProgram(const QString& program, const QStringList& arguments) {
    const QString path = program.contains(u'/') ? program : QStandardPaths::findExecutable(program);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) return LAUNCH_NOT_FOUND;
    if (info.isDir() || !info.isExecutable()) return LAUNCH_DENIED;
    QProcess* started = quietProcess(info.absoluteFilePath(), arguments);
    const bool ok = started->startDetached();
    delete started;
    return ok ? LAUNCH_OK : LAUNCH_FAILED;
}

int Platform::OpenWithDesktop(const QString& target) {
    QProcess* opener = quietProcess(QStringLiteral("xdg-open"), {notAnOption(target)});
    opener->start();
    if (!opener->waitForStarted(5000)) {
        delete opener;
        return LAUNCH_NO_HANDLER;
    }
    if (!waitForEnd(*opener, kRefusalWait, {})) {
        leaveRunning(opener);
        return LAUNCH_OK;
    }
    const int result = openerResult(*opener);
    delete opener;
    return result;
}

int Platform::PlaySound(const QString& file, const std::function<bool()>& whilePlaying) {
    if (!QFileInfo(file).isFile()) return LAUNCH_NOT_FOUND;
    QProcess* player = quietProcess(QStringLiteral("aplay"), {QStringLiteral("-q"), QStringLiteral("--"), file});
    if (!whilePlaying) {
        const bool started = player->startDetached();
        delete player;
        return started ? LAUNCH_OK : LAUNCH_NO_HANDLER;
    }
    player->start();
    if (!player->waitForStarted(5000)) {
        delete player;
        return LAUNCH_NO_HANDLER;
    }
    if (!waitForEnd(*player, -1, whilePlaying)) {
        leaveRunning(player);
        return LAUNCH_OK;
    }
    const int result =
        player->exitStatus() == QProcess::NormalExit && player->exitCode() == 0 ? LAUNCH_OK : LAUNCH_FAILED;
    delete player;
    return result;
}

}  // namespace platform
