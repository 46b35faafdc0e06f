// Run-time handlers of "Outil Fichier" (copy, move, rename, delete and
// search files) and "Outil Répertoire" (create, delete and rename folders).
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/ListFile.h"
#include "engine/mdlfnct.h"
#include "platform/Trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

CommandResult fail(const QString& message, int code = 0) { return RunError(message, code); }

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

bool sameFile(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// A relative name is taken in the folder of the item it renames.
QString besides(const QString& item, const QString& name) {
    return QDir::isAbsolutePath(name) ? name : QFileInfo(item).dir().filePath(name);
}

// Where "Copier" and "Déplacer" put a file: into the destination folder
// under its own name; a destination with an extension that is no folder is
// the target file itself.
QString targetOf(const QString& source, const QString& destination) {
    const QFileInfo d(destination);
    if (!d.isDir() && !d.suffix().isEmpty()) return destination;
    return QDir(destination).filePath(QFileInfo(source).fileName());
}

// The copy replaces the target only once it is whole.
bool copyFile(const QString& source, const QString& target, QString& why) {
    auto failed = [&](const QFileDevice& d) {
        why = d.errorString();
        return false;
    };
    QFile in(source);
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!in.open(QIODevice::ReadOnly)) return failed(in);
    if (!out.open(QIODevice::WriteOnly)) return failed(out);
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) return failed(in);
        if (out.write(chunk) != chunk.size()) return failed(out);
    }
    if (!out.commit()) return failed(out);
    QFile::setPermissions(target, QFile::permissions(source));
    return true;
}

// Over an existing target; across file systems by a copy, then the source goes.
bool moveFile(const QString& source, const QString& target, QString& why) {
    if (std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0) return true;
    if (errno != EXDEV) {
        why = systemError();
        return false;
    }
    if (!copyFile(source, target, why)) return false;
    if (QFile::remove(source)) return true;
    why = QStringLiteral("la source n'a pas pu être retirée");
    return false;
}

// A rename never replaces a file.
bool renameFile(const QString& source, const QString& target, QString& why) {
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) {
        why = QStringLiteral("la destination existe déjà");
        return false;
    }
    QFile file(source);
    if (file.rename(target)) return true;
    why = file.errorString();
    return false;
}

CommandResult copyMoveOrRename(const QString& action, const QString& source, const QString& destination) {
    if (!QFileInfo(source).isFile() || destination.isEmpty()) return Done();
    const bool rename = action == QLatin1String("Renommer");
    const QString target = rename ? besides(source, destination) : targetOf(source, destination);
    if (sameFile(source, target)) return Done();  // onto itself: nothing to do, and nothing lost
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("Impossible de créer le répertoire (") + folder + QStringLiteral(")."));
    QString why;
    const bool done = action == QLatin1String("Copier") ? copyFile(source, target, why)
                      : rename                          ? renameFile(source, target, why)
                                                        : moveFile(source, target, why);
    if (!done) return fail(QStringLiteral("%1 « %2 » vers « %3 » impossible : %4").arg(action, source, target, why));
    return Done();
}

// Into the trash unless `toTrash` is false; folders with all they hold.
CommandResult erase(const QString& source, bool toTrash) {
    CloseListFile(source);
    const QFileInfo item(source);
    if (!item.exists() && !item.isSymLink()) return Done();
    if (item.absoluteFilePath() == QLatin1String("/"))
        return fail(QStringLiteral("Fichier ou répertoire impossible à effacer"));
    const bool done = toTrash                             ? platform::MoveToTrash(source)
                      : item.isDir() && !item.isSymLink() ? QDir(source).removeRecursively()
                                                          : QFile::remove(source);
    if (!done && (QFileInfo::exists(source) || QFileInfo(source).isSymLink()))
        return fail(QStringLiteral("Fichier ou répertoire impossible à effacer"));
    return Done();
}

CommandResult search(const QString& folder, const QString& masks, const QString& result) {
    if (!mdlfnct::IsValidFileName(result)) return fail(QStringLiteral("Nom de fichier invalide. (") + result + u')', 1);
    QFile file(result);  // created empty when missing, with its folders; what it holds stays
    if (!QDir().mkpath(QFileInfo(result).absolutePath()) || !file.open(QIODevice::WriteOnly | QIODevice::Append))
        return fail(QStringLiteral("Impossible d'écrire dans le fichier nommé ") + result + u'.');
    file.close();
    mdlfnct::FindFilesRecursive(0, folder, masks, result, true, 63);
    return Done();
}

}  // namespace

CommandResult ExecFileTool(CommandCall& c) {
    const QString action = c.param.text(1);
    const QString source = c.param.value(2);
    // Resolved whatever the action: "Effacer" declares a word there.
    const QString destination = c.Value(c.param.text(3));
    if (action == QLatin1String("Copier") || action == QStringLiteral("Déplacer") ||
        action == QLatin1String("Renommer"))
        return copyMoveOrRename(action, source, destination);
    if (action == QLatin1String("Effacer")) return erase(source, destination != QLatin1String("Non"));
    if (action == QLatin1String("Rechercher")) return search(source, destination, c.param.value(4));
    return Done();
}

CommandResult ExecFolderTool(CommandCall& c) {
    const QString action = c.param.text(1);
    const QString folder = c.param.value(2);
    if (action == QStringLiteral("Créer")) {
        if (!QFileInfo(folder).isDir() && (folder.isEmpty() || !QDir().mkpath(folder)))
            return fail(QStringLiteral("Impossible de créer le répertoire (") + folder + QStringLiteral(")."));
    } else if (action == QLatin1String("Supprimer")) {
        if (QFileInfo(folder).isDir()) return erase(folder, true);  // as "Outil Fichier" "Effacer" with "Oui"
    } else if (action == QLatin1String("Renommer")) {
        const QString newName = c.param.value(3);
        const QString target = besides(QDir::cleanPath(folder), newName);
        const bool done =
            QFileInfo(folder).isDir() && !QFileInfo::exists(target) &&
            std::rename(QFile::encodeName(folder).constData(), QFile::encodeName(target).constData()) == 0;
        if (!done)
            return fail(QStringLiteral("Renommage du répertoire echoué [") + folder + u',' + newName +
                            QStringLiteral("]."),
                        3);
    }
    return Done();
}
