// The system-variable table and the live values behind it.
#include "engine/SysVars.h"

#include "core/CplBrd.h"
#include "core/Debug.h"
#include "core/Form.h"
#include "core/MacroFile.h"
#include "core/Settings.h"
#include "core/Unit29.h"
#include "core/Variables.h"
#include "engine/EngineServices.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"
#include "platform/SystemStatus.h"
#include "platform/VirtualKeys.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QProgressBar>

#include <iterator>

QVector<TSysVar> TListOfSysVar;

namespace {

const char* const kDescriptions[] = {
    "Valeur possible: Windows NT 3.51, Windows 95 SP 1, Windows 95 SP 2, Windows NT 4.0, Windows 98 SP 1, "
    "Windows 98 SP 2, Windows ME, Windows 2000, Windows XP, Inconnue",
    "Valeur en pourcentage de la progression de l'exécution de la macro. Vous devez incrémenter la valeur "
    "vous-même.",
    "Valeur du presse-papier.",
    "Permet de savoir si la touche de verrouillage du pavé numerique est activée. Valeur retournée 0 ou 1 si "
    "elle est activée.",
    "Permet de savoir si la touche de verrouillage des majuscules est activée. Valeur retournée 0 ou 1 si elle "
    "est activée.",
    "Position courante de la souris abscisse (mesure en pixel).",
    "Position courante de la souris ordonnée (mesure en pixel).",
    "Longueur de la resolution de l'écran (mesure en pixel).",
    "Largeur de la resolution de l'écran (mesure en pixel).",
    "Répertoire personnel.",
    "Répertoire Program Files.",
    "Répertoire temporaire.",
    "Répertoire windows.",
    "Répertoire de la macro courante.",
    "Répertoire de la macro convertie en exécutable.",
    "Répertoire courant.",
    "Permet de changer le temps de pause entre chaque commande en milli-seconde.",
    "Puisque la touche Entrée n'est pas un caractère imprimable, cette variable posséde le code ASCII 13.",
    "Permet d'obtenir le handle de la fenêtre en avant plan placée sur le bureau.",
    "Permet d'obtenir le handle de la fenêtre active.",
    "Permet d'obtenir le handle de la fenêtre d'édition de Orvanel.",
    "Email de l'auteur de la macro.",
    "Choisir EXEC ou EDIT.",
    "Variable permettant de cacher sa valeur.",
    "Source d'alimentation de votre PC. Valeurs possibles:Batterie,Secteur,Unknow.",
    "Pourcentage de charge restant de votre batterie, si votre PC ne posséde pas de batterie la valeur retournée "
    "est -1.",
    "Taux d'occupation du processeur.",
    "Récupère le dernier message d'erreur.(Si pas d'erreur cette valeur est vide)",
    "Comportement à adopter lors d'une erreur. Valeurs possibles:  1 (Arrêt de la macro), 2 (Reprise de la macro "
    "avec tentative de réexécution de la commande incriminée), 3 (Reprise de la macro en ignorant la commande "
    "incriminée)4 (Reprise de la macro sans confirmation)",
    "Temps d'attente de recherche d'un objet, pour une recherche infinie placez 0 dans la valeur "
    "d'initialisation.",
    "Status de l'activation de la surveillance d'événement.",
    "Bouton de la souris concerné par l'événement.",
    "Touche du clavier concernée par l'événement.",
};

// The folders backed by environment variables, with the Linux default of each.
struct EnvFolder {
    const char* name;
    const char* variable;
    QString (*fallback)();
};
const EnvFolder kEnvFolders[] = {
    {"[SYSDIR.HOME]", "HOME", [] { return QDir::homePath(); }},
    {"[SYSDIR.PROGRAMFILES]", "ProgramFiles", [] { return QStringLiteral("/usr/bin"); }},
    {"[SYSDIR.TEMP]", "TMPDIR", [] { return QStringLiteral("/tmp"); }},
    {"[SYSDIR.WINDOWS]", "WINDIR", [] { return QStringLiteral("/usr"); }},
};

const EnvFolder* envFolder(const QString& name) {
    for (const EnvFolder& f : kEnvFolders)
        if (name == QLatin1String(f.name)) return &f;
    return nullptr;
}

// Keep the last value written; the store holds it.
bool isStored(const QString& name) {
    static const QStringList stored = {"[ERROR.ADAPTATOR]", "[OBJECT.TIMEOUT]", "[ERROR]",       "[PASSWORD]",
                                       "[EVENT.ACTIVATE]",  "[EVENT.KEY]",      "[EVENT.BUTTON]", "[MACRO.MAIL]",
                                       "[MACRO.OPENMODE]"};
    return stored.contains(name);
}

QString folderOf(const QString& path) {
    if (!path.contains(u'/')) return QString();
    return QFileInfo(path).path();
}

QString currentMacroFolder() { return folderOf(engineServices().MacroPath()); }

QString exeMacroFolder() { return OpenMacroFile().aliasExe.isEmpty() ? currentMacroFolder() : folderOf(OpenMacroFile().aliasExe); }

QString envFolderValue(const EnvFolder& f) {
    const QString v = GetEnvVarValue(QLatin1String(f.variable));
    return v.isEmpty() ? f.fallback() : v;
}

QString handleText(quint64 handle) { return QString::number(handle); }

QString delayText() { return settings().GeneralTime; }

QString powerPercent() { return QString::number(platform::BatteryPercent()); }

QString powerSource() {
    switch (platform::PowerLineStatus()) {
    case 0: return QStringLiteral("Batterie");
    case 1: return QStringLiteral("Secteur");
    case 255: return QStringLiteral("Unknow");
    default: return QString();
    }
}

QString processorPercent() { return QString::asprintf("%5.2f%%", platform::ProcessorLoad()); }

// The value of a variable computed afresh on each read; null for the others.
QString liveValue(const QString& name) {
    platform::Platform& desk = platform::desktop();
    if (const EnvFolder* f = envFolder(name)) return envFolderValue(*f);
    if (name == u"[POWER.PERCENT]") return powerPercent();
    if (name == u"[PROCESSOR.PERCENT]") return processorPercent();
    if (name == u"[CLIPBOARD]") return CplBrd::GetClipboardText();
    if (name == u"[NUMLOCK]") return desk.IsKeyToggled(platform::VK_NUMLOCK) ? "1" : "0";
    if (name == u"[CAPITAL]") return desk.IsKeyToggled(platform::VK_CAPITAL) ? "1" : "0";
    if (name == u"[MOUSE.X]") return QString::number(desk.GetCursorPos().x);
    if (name == u"[MOUSE.Y]") return QString::number(desk.GetCursorPos().y);
    if (name == u"[SCREEN.X]") return QString::number(desk.GetSystemMetrics(platform::SM_CXSCREEN));
    if (name == u"[SCREEN.Y]") return QString::number(desk.GetSystemMetrics(platform::SM_CYSCREEN));
    if (name == u"[HANDLE.FOREGROUNDWINDOW]") return handleText(desk.GetForegroundWindow());
    if (name == u"[HANDLE.ACTIVEWINDOW]") {
        QWidget* active = QApplication::activeWindow();
        return handleText(active ? active->winId() : 0);
    }
    if (name == u"[HANDLE.ORVANELWINDOW]") return handleText(engineServices().MainWindow());
    if (name == u"[SYSDIR.CURRENTMACRO]") return currentMacroFolder();
    if (name == u"[SYSDIR.EXEMACRO]") return exeMacroFolder();
    if (name == u"[SYSDIR.CURRENT]") return QDir::currentPath();
    if (name == u"[DELAY]") return delayText();
    return QString();
}

bool isLive(const QString& name) {
    static const QStringList live = {
        "[CLIPBOARD]",      "[NUMLOCK]",           "[CAPITAL]",        "[MOUSE.X]",
        "[MOUSE.Y]",        "[SCREEN.X]",          "[SCREEN.Y]",       "[SYSDIR.HOME]",
        "[SYSDIR.PROGRAMFILES]", "[SYSDIR.TEMP]",  "[SYSDIR.WINDOWS]", "[SYSDIR.CURRENTMACRO]",
        "[SYSDIR.EXEMACRO]", "[SYSDIR.CURRENT]",   "[DELAY]",          "[HANDLE.FOREGROUNDWINDOW]",
        "[HANDLE.ACTIVEWINDOW]", "[HANDLE.ORVANELWINDOW]", "[POWER.PERCENT]", "[PROCESSOR.PERCENT]"};
    return live.contains(name);
}

// The progress window follows "[PROGRESS]"; a value out of 0..100 is 0.
void showProgress(TSysVar& row, int n) {
    TForm29* window = Form29;
    if (!window) return;
    if (n < 0) {
        if (window->isVisible()) window->close();
    } else {
        window->ShowProgress(false);
    }
    row.Value = QString::number(n < 0 || n > 100 ? 0 : n);
    window->Label1->setText(QStringLiteral("Progression à ") + row.Value + u'%');
    const QString key = QKeySequence::fromString(settings().PauseHotKey, QKeySequence::PortableText).toString();
    window->Label2->setText(QStringLiteral("Appuiez sur la touche ") + key + QStringLiteral(" pour interrompre la progression."));
    window->ProgressBar1->setRange(0, 100);
    window->ProgressBar1->setValue(row.Value.toInt());
    QApplication::processEvents();
}

}  // namespace

int AddSystemVariable(const QString& name, bool isAlpha, bool writable) {
    TListOfSysVar.append({name, isAlpha, writable, QString(), QString()});
    return int(TListOfSysVar.size()) - 1;
}

int SystemVariableIndex(const QString& name) {
    for (int i = 0; i < TListOfSysVar.size(); ++i)
        if (TListOfSysVar[i].Name == name) return i;
    return -1;
}

QString GetEnvVarValue(const QString& name) { return qEnvironmentVariable(name.toLocal8Bit().constData()); }

void BuildSystemVariableList() {
    struct Row {
        const char* name;
        bool alpha, writable;
    };
    static const Row rows[] = {
        {"[WINVER]", true, false},           {"[PROGRESS]", false, true},
        {"[CLIPBOARD]", true, true},         {"[NUMLOCK]", false, false},
        {"[CAPITAL]", false, false},         {"[MOUSE.X]", false, false},
        {"[MOUSE.Y]", false, false},         {"[SCREEN.X]", false, false},
        {"[SCREEN.Y]", false, false},        {"[SYSDIR.HOME]", true, true},
        {"[SYSDIR.PROGRAMFILES]", true, true}, {"[SYSDIR.TEMP]", true, true},
        {"[SYSDIR.WINDOWS]", true, true},    {"[SYSDIR.CURRENTMACRO]", true, false},
        {"[SYSDIR.EXEMACRO]", true, false},  {"[SYSDIR.CURRENT]", true, true},
        {"[DELAY]", false, true},            {"[VK_ENTER]", true, false},
        {"[HANDLE.FOREGROUNDWINDOW]", false, false}, {"[HANDLE.ACTIVEWINDOW]", false, false},
        {"[HANDLE.ORVANELWINDOW]", false, false}, {"[MACRO.MAIL]", true, true},
        {"[MACRO.OPENMODE]", true, true},    {"[PASSWORD]", true, true},
        {"[POWER.SOURCE]", true, false},     {"[POWER.PERCENT]", false, false},
        {"[PROCESSOR.PERCENT]", false, false}, {"[ERROR]", true, true},
        {"[ERROR.ADAPTATOR]", false, true},  {"[OBJECT.TIMEOUT]", false, true},
        {"[EVENT.ACTIVATE]", false, true},   {"[EVENT.BUTTON]", true, true},
        {"[EVENT.KEY]", true, true},
    };
    static_assert(std::size(rows) == std::size(kDescriptions));
    TListOfSysVar.clear();
    for (size_t i = 0; i < std::size(rows); ++i) {
        const QString name = QLatin1String(rows[i].name);
        TSysVar& v = TListOfSysVar[AddSystemVariable(name, rows[i].alpha, rows[i].writable)];
        v.Description = QString::fromUtf8(kDescriptions[i]);
        // The clipboard belongs to another program, which may take seconds to
        // answer (or none while it waits itself): it is read when asked for.
        if (isLive(name) && name != u"[CLIPBOARD]") v.Value = liveValue(name);
    }
    auto set = [](const char* name, const QString& value) { TListOfSysVar[SystemVariableIndex(name)].Value = value; };
    set("[WINVER]", platform::WindowsVersionName());
    set("[PROGRESS]", QStringLiteral("0"));
    if (currentMacroFolder().isEmpty()) set("[SYSDIR.CURRENTMACRO]", QStringLiteral("/"));
    set("[DELAY]", settings().GeneralActive ? delayText() : QStringLiteral("0"));
    set("[VK_ENTER]", QStringLiteral("\r"));
    set("[MACRO.MAIL]", QStringLiteral("Inconnu"));
    set("[MACRO.OPENMODE]", QStringLiteral("EXEC"));
    set("[POWER.SOURCE]", powerSource());
    set("[ERROR.ADAPTATOR]", QStringLiteral("1"));
    set("[OBJECT.TIMEOUT]", QStringLiteral("0"));
    set("[EVENT.ACTIVATE]", QStringLiteral("0"));
}

void ReadSystemVariable(const QString& name, QString& value) {
    value.clear();
    const int i = SystemVariableIndex(name);
    if (i < 0) return;
    value = TListOfSysVar[i].Value;
    if (isLive(name)) {
        value = liveValue(name);
    } else if (isStored(name)) {  // the last value written lives in the store
        for (const TVar& v : Variables().Entries())
            if (v.Name == name) value = v.Value;
    }
}

bool WriteSystemVariable(const QString& name, const QString& value) {
    const int i = SystemVariableIndex(name);
    if (i < 0 || !TListOfSysVar[i].Writable) return false;
    TSysVar& row = TListOfSysVar[i];
    if (name == u"[PROGRESS]") {
        if (!mdlfnct::IsInteger(value)) return true;
        showProgress(row, mdlfnct::StrToIntOrZero(value));
    } else if (name == u"[CLIPBOARD]") {
        CplBrd::SetClipboardText(value);
        QApplication::processEvents();
    } else if (const EnvFolder* f = envFolder(name)) {
        qputenv(f->variable, value.toLocal8Bit());
    } else if (name == u"[SYSDIR.CURRENT]") {
        QDir::setCurrent(value);
    } else if (name == u"[DELAY]") {
        settings().GeneralTime = value;
    } else if (name == u"[EVENT.ACTIVATE]") {
        SwitchEventMonitoring(value == u"1");
    }
    return true;
}
