// Run-time handler of "Execute": programs, documents, addresses, sounds,
// entries of the "Mes Outils" menu and macro files. Programs get their
// arguments as a list: no shell ever reads a target.
#include "core/Settings.h"
#include "engine/EngineServices.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

using namespace mdlfnct;

namespace {

bool isFile(const QString& name) { return !name.isEmpty() && QFileInfo(name).isFile(); }

// One leading and one trailing double quote are dropped.
QString unquoted(QString text) {
    text = text.trimmed();
    if (text.startsWith(u'"')) text.remove(0, 1);
    if (text.endsWith(u'"')) text.chop(1);
    return text;
}

// A target that names no file but begins with one, as "/usr/bin/prog -a b":
// the file is the target, what follows it one character further the
// arguments (in place of the row's).
void splitOwnArguments(QString& target, QString& arguments) {
    if (isFile(target)) return;
    QString candidate;
    for (qsizetype i = 0; i < target.size(); ++i) {
        if (target[i] != u'"') candidate += target[i];
        if (isFile(candidate)) {
            arguments = target.mid(i + 2);
            target = candidate;
            return;
        }
    }
}

// From the last ".", compared exactly (".WAV" is no sound).
QString extensionOf(const QString& target) {
    const qsizetype dot = target.lastIndexOf(u'.');
    return dot < 0 ? QString() : target.mid(dot);
}

bool beginsWith(const QString& text, const char* prefix) {
    return text.startsWith(QLatin1String(prefix), Qt::CaseInsensitive);
}

// "https://...", "ftp://...": an address for the desktop's handler.
bool isAddress(const QString& target) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(target).hasMatch() && !QFileInfo::exists(target);
}

// A start that failed stops the run.
CommandResult reportLaunch(int result, const QString& target) {
    if (result == platform::LAUNCH_OK) return Done();
    return RunError(platform::LaunchErrorText(result) + QStringLiteral(" (") + target + u')', 1);
}

// Waits for the sound when the options ask for it ("WaitSnd"); only a
// missing file is reported (a machine without sound plays nothing).
CommandResult playSound(const TRunContext& ctx, const QString& file) {
    std::function<bool()> whilePlaying;
    if (settings().WaitSnd)
        whilePlaying = [&ctx] {
            QCoreApplication::processEvents();
            return ctx.Running();
        };
    if (platform::desktop().PlaySound(file, whilePlaying) == platform::LAUNCH_NOT_FOUND)
        return RunError(QStringLiteral("Fichier introuvable (") + file + QStringLiteral(")."));
    return Done();
}

// Entry n (from 1) of the "Mes Outils" menu.
CommandResult clickTool(int n) {
    if (engineServices().TriggerTool(n)) return Done();
    return RunError(QStringLiteral("N° de raccourci introuvable [%1] dans le menu \"Mes Outils\".").arg(n));
}

// A program runs with the arguments; a document, a folder or an address
// opens with the desktop's handler, which takes no arguments.
CommandResult start(const QString& target, const QString& arguments) {
    platform::Platform& desk = platform::desktop();
    const QFileInfo file(target);
    if (isAddress(target) || (file.exists() && !(file.isFile() && file.isExecutable())))
        return reportLaunch(desk.OpenWithDesktop(target), target);
    return reportLaunch(
            desk.StartProgram(file.exists() ? file.absoluteFilePath() : target, QProcess::splitCommand(arguments)),
            target);
}

}  // namespace

CommandResult ExecExecute(CommandCall& c) {
    QString target = unquoted(c.param.value(1));
    QString arguments = c.param.value(2);
    splitOwnArguments(target, arguments);
    const QString extension = extensionOf(target);
    if (beginsWith(target, "http://") || beginsWith(target, "mailto:"))
        return reportLaunch(platform::desktop().OpenWithDesktop(target), target);
    if (extension == u".wav" && arguments.isEmpty()) return playSound(c.ctx, target);
    if (IsInteger(target)) return clickTool(StrToIntOrZero(target));
    if (extension == u".mcr" && arguments.isEmpty()) return RunSubMacro(c, target);
    if (extension == u".mcr")  // a second Orvanel runs it; this run goes on
        return reportLaunch(platform::desktop().StartProgram(QCoreApplication::applicationFilePath(),
                                                             QStringList{target} + QProcess::splitCommand(arguments)),
                            target);
    return start(target, arguments);
}
