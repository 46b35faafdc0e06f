// Run-time handler of "Manipulation": acts on a window given by its handle.
#include "core/RunState.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

using namespace platform;

namespace {

constexpr int kGiveUpMs = 5000;   // a window manager that has not done it by then will not
constexpr int kAskAgainMs = 500;  // the request is made again this often

CommandResult fail(const QString& message) { return RunError(message); }

// Makes the request again and again, pumping events, until it is done or the
// run is stopped; false when the time ran out.
bool insist(const TRunContext& ctx, const std::function<void()>& request, const std::function<bool()>& done) {
    const bool inRun = ctx.Running();
    QElapsedTimer total;
    total.start();
    while (!(inRun && !ctx.Running())) {
        request();
        QElapsedTimer round;
        round.start();
        do {
            QCoreApplication::processEvents();
            if (done()) return true;
            QThread::msleep(20);
        } while (round.elapsed() < kAskAgainMs);
        if (total.elapsed() >= kGiveUpMs) return false;
    }
    return true;
}

// A maximised window is shown normal first, so that it can be moved or sized.
bool unzoom(const TRunContext& ctx, HWND w) {
    Platform& desk = desktop();
    return !desk.IsZoomed(w) || insist(ctx, [&] { desk.ShowWindow(w, SW_SHOWNORMAL); }, [&] { return !desk.IsZoomed(w); });
}

// The value of field n as a whole number from `low` to `high`.
CommandResult number(const CommandCall& c, int n, int low, int high, const QString& what, int& value) {
    const QString text = c.param.value(n);
    value = mdlfnct::StrToIntOrZero(text);
    if (mdlfnct::IsInteger(text) && value >= low && value <= high) return Done();
    return fail(what + QStringLiteral(" de la fenêtre invalide (") + text + QStringLiteral(")."));
}

}  // namespace

CommandResult ExecManipulation(CommandCall& c) {
    Platform& desk = desktop();
    const QString handle = c.param.value(1);
    const HWND w = HWND(qMax(0, mdlfnct::StrToIntOrZero(handle)));
    if (!mdlfnct::IsInteger(handle) || !desk.IsWindow(w)) return fail(QStringLiteral("Numéro de handle invalide."));
    if (!desk.IsWindowVisible(w)) return Done();
    const QString action = c.param.text(2);
    if (action == QStringLiteral("Déplacement souris")) {
        QRect r;
        if (desk.GetWindowRect(w, r)) desk.SetCursorPos(r.left() + 5, r.top() + 5);
    } else if (action == QLatin1String("Changement texte")) {
        desk.SetWindowText(w, c.param.value(3));
    } else if (action == QStringLiteral("Réduire")) {
        if (!insist(c.ctx, [&] { desk.ShowWindow(w, SW_SHOWMINIMIZED); }, [&] { return desk.IsIconic(w); }))
            return fail(QStringLiteral("La fenêtre n'a pas pu être réduite."));
    } else if (action == QLatin1String("Restaurer")) {
        if (!insist(c.ctx, [&] { desk.ShowWindow(w, SW_SHOWNORMAL); },
                    [&] { return !desk.IsIconic(w) && !desk.IsZoomed(w) && mdlfnct::ForceForegroundWindow(w); }))
            return fail(QStringLiteral("La fenêtre n'a pas pu être restaurée."));
    } else if (action == QLatin1String("Agrandir")) {
        if (!insist(c.ctx, [&] { desk.ShowWindow(w, SW_SHOWMAXIMIZED); },
                    [&] { return desk.IsZoomed(w) && mdlfnct::ForceForegroundWindow(w); }))
            return fail(QStringLiteral("La fenêtre n'a pas pu être agrandie."));
    } else if (action == QLatin1String("Fermer")) {
        desk.PostMessage(w, WM_CLOSE);
    } else if (action == QStringLiteral("Fermeture forcée")) {
        desk.PostMessage(w, WM_QUIT);
    } else if (action == QLatin1String("Taille")) {
        int width, height;
        if (const CommandResult r = number(c, 3, 1, 32767, QStringLiteral("Largeur"), width); r.failed()) return r;
        if (const CommandResult r = number(c, 4, 1, 32767, QStringLiteral("Hauteur"), height); r.failed()) return r;
        if (unzoom(c.ctx, w)) desk.SetWindowPos(w, 0, 0, width, height, SWP_NOMOVE);
    } else if (action == QStringLiteral("Déplacer")) {
        int left, top;
        if (const CommandResult r = number(c, 3, -32768, 32767, QStringLiteral("Position gauche"), left); r.failed())
            return r;
        if (const CommandResult r = number(c, 4, -32768, 32767, QStringLiteral("Position haute"), top); r.failed())
            return r;
        if (unzoom(c.ctx, w)) desk.SetWindowPos(w, left, top, 0, 0, SWP_NOSIZE);
    }
    return Done();
}
