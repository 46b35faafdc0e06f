// Run-time handlers of "Outil Ecran" (screen captures), "Outil Affichage"
// (display mode and refresh rate) and "Outil Alimentation" (power).
#include "core/Display.h"
#include "core/FileDialog.h"
#include "core/RunState.h"
#include "core/Unit1.h"
#include "engine/Handlers.h"
#include "engine/JpegFile.h"
#include "engine/Runner.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

using namespace platform;

namespace {

void fail(const QString& message) { Runner->RaiseExecError(message, 0); }

// The value of a field as an integer; false after the error.
bool integer(const QString& field, const QString& what, int& value) {
    const QString text = mdlfnct::GetVarValue(field);
    value = mdlfnct::StrToIntOrZero(text);
    if (mdlfnct::IsInteger(text)) return true;
    fail(what + QStringLiteral(" invalide (") + text + QStringLiteral(")."));
    return false;
}

}  // namespace

// The whole screen: every monitor the display spans.
void ExecScreenTool(const QString& params) {
    QCoreApplication::processEvents();  // the editor repainted first
    const TParamFields f = mdlfnct::SplitParams(params);
    const QString target = mdlfnct::GetVarValue(f[2]);
    if (!mdlfnct::IsValidFileName(target)) return;
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("Impossible de créer le répertoire (") + folder + QStringLiteral(")."));
    Platform& desk = desktop();
    const QImage screen =
        desk.CaptureScreen(QRect(0, 0, desk.GetSystemMetrics(SM_CXSCREEN), desk.GetSystemMetrics(SM_CYSCREEN)));
    const bool saved = f[1] == QLatin1String("Copier vers jpg") ? SaveJpeg(screen, target) : screen.save(target, "BMP");
    if (!saved) fail(QStringLiteral("Impossible d'enregistrer la capture d'écran dans le fichier ") + target + u'.');
}

void ExecDisplayTool(const QString& params) {
    const TParamFields f = mdlfnct::SplitParams(params);
    if (f[1] == QStringLiteral("Résolution")) {
        static const QRegularExpression leadingDigits(QStringLiteral("^[0-9]*"));
        const QString bits = leadingDigits.match(mdlfnct::GetVarValue(f[4])).captured();
        int width, height;
        if (mdlfnct::IsInteger(bits) && integer(f[2], QStringLiteral("Largeur d'écran"), width) &&
            integer(f[3], QStringLiteral("Hauteur d'écran"), height))
            ChangeResolEcran(width, height, true, mdlfnct::StrToIntOrZero(bits));
    } else if (f[1] == QStringLiteral("Fréquence")) {
        int hertz;
        if (integer(f[2], QStringLiteral("Fréquence"), hertz)) ChangeFreqEcran(hertz, true);
    }
}

// The macro is saved first when it can be without asking for a name in an
// unattended run (where no one would answer).
void ExecPowerTool(const QString& params) {
    const TParamFields f = mdlfnct::SplitParams(params);
    const QString& action = f[1];
    if (action == QLatin1String("Mise en veille")) {
        const bool hibernate = f[2] == QLatin1String("Oui");
        if (!mdlfnct::SetPowerState(!hibernate, true))
            fail(hibernate ? QStringLiteral("La mise en veille prolongée a été refusée par le système.")
                           : QStringLiteral("La mise en veille a été refusée par le système."));
        return;
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
        if (!AutoRun || !Form1->SaveDialog1->FileName.isEmpty()) Form1->Enregistrer1Click();
        if (!desktop().ExitWindowsEx(a.flags)) fail(QString::fromUtf16(a.refused));
        return;
    }
}
