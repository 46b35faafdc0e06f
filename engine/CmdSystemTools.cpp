// Run-time handlers of "Outil Ecran" (screen captures), "Outil Affichage"
// (display mode and refresh rate) and "Outil Alimentation" (power).
#include "core/Display.h"
#include "core/RunState.h"
#include "engine/EngineServices.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/JpegFile.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

using namespace platform;

namespace {

CommandResult fail(const QString& message) { return RunError(message); }

// The value of field n as an integer: resolved, though the declaration takes no variable there.
CommandResult integer(const CommandCall& c, int n, const QString& what, int& value) {
    const QString text = c.Value(c.param.text(n));
    value = mdlfnct::StrToIntOrZero(text);
    if (mdlfnct::IsInteger(text)) return Done();
    return fail(what + QStringLiteral(" invalide (") + text + QStringLiteral(")."));
}

}  // namespace

// The whole screen: every monitor the display spans.
CommandResult ExecScreenTool(CommandCall& c) {
    QCoreApplication::processEvents();  // the editor repainted first
    const QString target = c.param.value(2);
    if (!mdlfnct::IsValidFileName(target)) return Done();
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("Impossible de créer le répertoire (") + folder + QStringLiteral(")."));
    Platform& desk = desktop();
    const QImage screen =
        desk.CaptureScreen(QRect(0, 0, desk.GetSystemMetrics(SM_CXSCREEN), desk.GetSystemMetrics(SM_CYSCREEN)));
    const bool saved = c.param.text(1) == QLatin1String("Copier vers jpg") ? SaveJpeg(screen, target) : screen.save(target, "BMP");
    if (!saved) return fail(QStringLiteral("Impossible d'enregistrer la capture d'écran dans le fichier ") + target + u'.');
    return Done();
}

CommandResult ExecDisplayTool(CommandCall& c) {
    const QString action = c.param.text(1);
    if (action == QStringLiteral("Résolution")) {
        static const QRegularExpression leadingDigits(QStringLiteral("^[0-9]*"));
        const QString bits = leadingDigits.match(c.Value(c.param.text(4))).captured();
        if (!mdlfnct::IsInteger(bits)) return Done();
        int width, height;
        if (const CommandResult r = integer(c, 2, QStringLiteral("Largeur d'écran"), width); r.failed()) return r;
        if (const CommandResult r = integer(c, 3, QStringLiteral("Hauteur d'écran"), height); r.failed()) return r;
        ChangeResolEcran(width, height, true, mdlfnct::StrToIntOrZero(bits));
    } else if (action == QStringLiteral("Fréquence")) {
        int hertz;
        if (const CommandResult r = integer(c, 2, QStringLiteral("Fréquence"), hertz); r.failed()) return r;
        ChangeFreqEcran(hertz, true);
    }
    return Done();
}

// The macro is saved first when it can be without asking for a name in an
// unattended run (where no one would answer).
CommandResult ExecPowerTool(CommandCall& c) {
    const QString action = c.param.text(1);
    if (action == QLatin1String("Mise en veille")) {
        const bool hibernate = c.param.text(2) == QLatin1String("Oui");
        if (!mdlfnct::SetPowerState(!hibernate, true))
            return fail(hibernate ? QStringLiteral("La mise en veille prolongée a été refusée par le système.")
                                  : QStringLiteral("La mise en veille a été refusée par le système."));
        return Done();
    }
    const struct {
        const char16_t* action;
        unsigned flags;
        const char16_t* refused;
    } kActions[] = {
        {u"Eteindre", EWX_SHUTDOWN, u"L'arrêt de l'ordinateur a été refusé par le système."},
        {u"Redémarrer", EWX_REBOOT, u"Le redémarrage de l'ordinateur a été refusé par le système."},
        {u"Fermer la session", EWX_LOGOFF, u"La fermeture de la session a été refusée par le système."},
    };
    for (const auto& a : kActions) {
        if (action != QStringView(a.action)) continue;
        engineServices().SaveMacro();
        if (!desktop().ExitWindowsEx(a.flags)) return fail(QString::fromUtf16(a.refused));
        return Done();
    }
    return Done();
}
