// "Fonction" categories read from the desktop, the disks and the program:
// clipboard, cursor, window handles, screen, disks, files, system folders
// and the command line. Linux stands in for the folders of the original
// system: "Rep Windows" is /usr, "Rep Fichier prog" /usr/bin, the temporary
// folder $TMPDIR (else /tmp), "Rep Maison" the home folder; a disk is named
// by a folder on it.
#include "core/MacroFile.h"
#include "core/Startup.h"
#include "engine/EngineServices.h"
#include "engine/Fonction.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace mdlfnct;

namespace {

QString number(qint64 n) { return QString::number(n); }
QString yesNo(bool yes) { return yes ? QStringLiteral("oui") : QStringLiteral("non"); }

// The folder part of a path with its trailing "/"; "" when it has none.
QString folderWithSlash(const QString& path) { return path.left(path.lastIndexOf(u'/') + 1); }
QString withSlash(const QString& folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }

// Lines of a text file, as a line reader counts them: a last line without
// its line end counts too.
std::optional<qint64> lineCount(QFile& file) {
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    qint64 lines = 0;
    char last = '\n';
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(1 << 16);
        if (chunk.isEmpty()) break;
        lines += chunk.count('\n');
        last = chunk.back();
    }
    return lines + (last != '\n' ? 1 : 0);
}

// A file date for a variable: the date text (without a midnight time) for
// an "Alpha" variable, else the date-time number. No file gives the date 0.
QString fileDate(const QDateTime& when, const QString& variable) {
    const double value = DateTimeToNumber(when);
    if (GetVarType(variable) != QLatin1String("Alpha")) return QString::number(value, 'g', 15);
    const QDateTime local = when.isValid() ? when.toLocalTime() : QDateTime(QDate(1899, 12, 30), QTime(0, 0));
    const QTime time = local.time();
    return local.toString(time.hour() || time.minute() || time.second() ? QStringLiteral("dd/MM/yyyy hh:mm:ss")
                                                                        : QStringLiteral("dd/MM/yyyy"));
}

// A file system that does not keep the birth time gives the last write.
QDateTime creationTime(const QFileInfo& f) { return f.birthTime().isValid() ? f.birthTime() : f.lastModified(); }

// The attribute questions: read-only (no write permission for its owner),
// hidden (a dot name), system (neither file nor folder: devices, pipes,
// sockets), volume label (never), folder, archive (a plain file).
struct AttributeQuestion {
    const char16_t* function;
    bool (*test)(const QFileInfo&);
};
constexpr AttributeQuestion kAttributes[] = {
    {u"en lecture seule?", [](const QFileInfo& f) { return !(f.permissions() & QFile::WriteOwner); }},
    {u"caché?", [](const QFileInfo& f) { return f.fileName().startsWith(u'.'); }},
    {u"système?", [](const QFileInfo& f) { return !f.isFile() && !f.isDir(); }},
    {u"d'identification de volume?", [](const QFileInfo&) { return false; }},
    {u"répertoire?", [](const QFileInfo& f) { return f.isDir(); }},
    {u"archive?", [](const QFileInfo& f) { return f.isFile(); }},
};

}  // namespace

FonctionResult ClipboardFunction(const FonctionCall& c) {
    if (c.function() == u"Texte") return platform::desktop().GetClipboardText();
    return std::nullopt;
}

FonctionResult CursorFunction(const FonctionCall& c) {
    const platform::POINT p = platform::desktop().GetCursorPos();
    if (c.function() == u"Position X") return number(p.x);
    if (c.function() == u"Position Y") return number(p.y);
    return std::nullopt;
}

// A handle must name a window that exists.
FonctionResult HandleFunction(const FonctionCall& c) {
    platform::Platform& desk = platform::desktop();
    const int handle = StrToIntOrZero(c.v);
    if (!IsInteger(c.v) || handle <= 0 || !desk.IsWindow(platform::HWND(handle)))
        return FonctionError(QStringLiteral("Numéro de handle invalide."));
    const platform::HWND w = platform::HWND(handle);
    QRect r;
    desk.GetWindowRect(w, r);
    const QString fn = c.function();
    if (fn == u"Texte") return GetWindowCaption(w);
    if (fn == u"Longueur") return number(r.width());
    if (fn == u"Largeur") return number(r.height());
    if (fn == u"Position X") return number(r.left());
    if (fn == u"Position Y") return number(r.top());
    if (fn == u"Etat") {
        if (!desk.IsWindowVisible(w)) return QStringLiteral("Indéterminé");
        switch (desk.GetWindowShowCmd(w)) {
        case platform::SW_SHOWNORMAL: return QStringLiteral("Normal");
        case platform::SW_SHOWMINIMIZED: return QStringLiteral("Réduit");
        case platform::SW_SHOWMAXIMIZED: return QStringLiteral("Agrandi");
        default: return QString();
        }
    }
    return std::nullopt;
}

FonctionResult DiskFunction(const FonctionCall& c) {
    const QString fn = c.function();
    const int mode = fn == u"Type de disque" ? 0 : fn == u"Taille Totale" ? 1 : fn == u"Taille Disponible" ? 2 : -1;
    if (mode < 0) return QString();
    const QString info = DiskInfo(c.v, mode);  // reports a disk that is no folder: nothing is written
    return c.v.startsWith(u'/') ? FonctionResult(info) : std::nullopt;
}

FonctionResult FileFunction(const FonctionCall& c) {
    const QString fn = c.function();
    if (fn == u"Nombre d'enregistrement") {
        QFile file(c.v);
        if (!file.exists()) return QStringLiteral("0");
        const std::optional<qint64> lines = lineCount(file);
        if (!lines) return FonctionError(QStringLiteral("Impossible d'accéder au fichier nommé ") + c.v + u'.');
        return number(*lines);
    }
    if (fn == u"Existe") return yesNo(QFileInfo(c.v).isFile());
    if (fn == u"Taille octets") {
        const QFileInfo f = FirstFileMatch(c.v);
        return number(f.isFile() ? f.size() : 0);
    }
    if (fn == u"Extrait nom de fichier") return c.v.mid(c.v.lastIndexOf(u'/') + 1);
    if (fn == QStringLiteral("Extrait répertoire")) {
        const QString folder = folderWithSlash(c.v);
        return folder.size() > 1 ? folder.chopped(1) : folder;  // the root keeps its "/"
    }
    if (fn == u"Extrait extension") {
        const QString name = c.v.mid(c.v.lastIndexOf(u'/') + 1);
        return name.lastIndexOf(u'.') < 0 ? QString() : name.mid(name.lastIndexOf(u'.'));
    }
    const bool created = fn == QStringLiteral("Date Création Fichier");
    const bool modified = fn == u"Date Modification Fichier";
    if (created || modified || fn == QStringLiteral("Date Accès Fichier")) {
        const QFileInfo f = FirstFileMatch(c.v);
        if (!f.exists()) return fileDate(QDateTime(), c.p.text(1));
        return fileDate(created ? creationTime(f) : modified ? f.lastModified() : f.lastRead(), c.p.text(1));
    }
    for (const AttributeQuestion& a : kAttributes) {
        if (fn != QStringView(a.function)) continue;
        const QFileInfo f(c.v);
        return yesNo(f.exists() && a.test(f));
    }
    return QString();
}

FonctionResult FolderFunction(const FonctionCall& c) {
    const QString fn = c.function();
    if (fn == u"Rep Maison") return QDir::homePath();
    if (fn == u"Rep Fichier prog") return QStringLiteral("/usr/bin");
    if (fn == u"Rep Temporaire") return QDir::tempPath();
    if (fn == u"Rep Windows") return QStringLiteral("/usr");
    if (fn == u"Rep Orvanel") return withSlash(platform::programFolder());
    if (fn == u"Rep Fichier Macro")
        return folderWithSlash(OpenMacroFile().aliasExe.isEmpty() ? engineServices().MacroPath() : OpenMacroFile().aliasExe);
    return std::nullopt;
}

FonctionResult ScreenFunction(const FonctionCall& c) {
    if (c.function() == u"Longueur") return number(platform::desktop().GetSystemMetrics(platform::SM_CXSCREEN));
    if (c.function() == u"Largeur") return number(platform::desktop().GetSystemMetrics(platform::SM_CYSCREEN));
    return QString();
}

// Parameter 0 is the program's own path.
FonctionResult RunParameterFunction(const FonctionCall& c) {
    const QStringList arguments = ProgramArguments();
    if (c.function() == QStringLiteral("Paramètre n°")) {
        if (!IsInteger(c.v)) return FonctionError(QStringLiteral("Numéro du paramètre d'exécution invalide."));
        const int n = StrToIntOrZero(c.v);
        return n == 0 ? QCoreApplication::applicationFilePath() : arguments.value(n);
    }
    if (c.function() == QStringLiteral("Nombre de paramètre")) return number(qMax<qsizetype>(0, arguments.size() - 1));
    return std::nullopt;
}
