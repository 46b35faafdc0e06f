// "Objet" at run time: finds the window a row describes, waits for it when
// the row asks, lets the user pick one when several match, and writes the
// handle found into the row and into every row that named the old one.
#include "core/Settings.h"
#include "engine/EngineServices.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/ObjectSearch.h"
#include "engine/VisualEffect.h"
#include "engine/mdlfnct.h"
#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {

// Seconds: 0 (or not a number) for no limit.
int objectTimeout(TRunContext& ctx) {
    const QString value = ctx.Vars.Read(QStringLiteral("[OBJECT.TIMEOUT]"), QStringLiteral("0"));
    return mdlfnct::IsInteger(value) ? mdlfnct::StrToIntOrZero(value) : 0;
}

// What the animation says while the run waits: one line per criterion on.
QString waitText(const TCmObjet& o) {
    QString text = QStringLiteral("Macro en attente de recherche d'objet :  ");
    const std::pair<bool, QString> lines[] = {
        {o.UseApplication, QStringLiteral("Application :") + o.Application},
        {o.UseParent, QStringLiteral("Handle Parent :") + QString::number(o.ParentHandle)},
        {o.UseClass, QStringLiteral("Classe :") + o.ClassName},
        {o.UseText, QStringLiteral("Texte :") + o.Text},
        {o.UseWidth, QStringLiteral("Longueur :") + QString::number(o.Width)},
        {o.UseHeight, QStringLiteral("Largeur :") + QString::number(o.Height)},
    };
    for (const auto& [on, line] : lines)
        if (on) text += u'\r' + line;
    return text;
}

bool runGoesOn(const TRunContext& ctx) { return ctx.Running() && !QCoreApplication::closingDown(); }

// Searches every 800 ms until a window meets the criteria, the run stops or
// the timeout passes (then reported); after a second the animation shows.
CommandResult waitForObject(TRunContext& ctx, const TCmObjet& o, int timeout) {
    const QString text = waitText(o);
    QElapsedTimer clock;
    clock.start();
    bool shown = false, expired = false;
    while (ObjectCandidates.isEmpty() && runGoesOn(ctx) && ctx.State.ExecState != 0) {
        if (!shown && clock.elapsed() >= 1000) {
            VisualEffect::ShowVisualEffect(platform::programFile(QStringLiteral("searchObject.gif")),
                                           settings().ObjectPosX, settings().ObjectPosY);
            VisualEffect::SetVisualEffectText(text);
            shown = true;
        }
        ctx.Wait(800);
        if (!runGoesOn(ctx)) break;
        FindObjectWindow(o);
        if (ObjectCandidates.isEmpty() && timeout > 0 && clock.elapsed() >= qint64(timeout) * 1000) {
            expired = true;
            break;
        }
    }
    if (shown) VisualEffect::CloseVisualEffect();
    if (expired) return RunError(text + QStringLiteral("\r[OBJECT.TIMEOUT] a expiré.\r"), 2);
    return Done();
}

// The row now names window w: its field 1, and the rows that named the old
// handle. A row without a handle yet (0) renames nothing else.
void takeWindow(TMacroDocument* list, int row, quint64 w, QChar separator) {
    const qint64 old = ObjectFromParams(list->params(row), separator).Handle;
    list->ChangeField(row, 1, QString::number(w));
    if (old != 0 && old != qint64(w)) list->ReplaceHandle(int(old), int(w));
}

// The window list: the user picks one; Stop, Esc and the list's "Annuler" end the wait.
void letUserChoose(TRunContext& ctx, TMacroDocument* list, int row) {
    EngineServices& s = engineServices();
    s.ShowObjectChoice(ObjectCandidates);
    while (!s.ObjectChoiceDone()) {
        if (!runGoesOn(ctx)) {
            s.CloseObjectChoice();
            return;
        }
        ctx.Wait(200);
    }
    if (const quint64 w = s.ChosenObject(); w && runGoesOn(ctx)) takeWindow(list, row, w, ctx.Separator());
}

}  // namespace

CommandResult ExecObject(CommandCall& c) {
    TMacroDocument* list = c.list;
    const int row = c.index;
    if (!list || !list->hasRow(row)) return Done();
    bool flagsInRange = true;
    // The row as it stands now: an attempt made again reads the handle the last one took.
    TCmObjet o = ObjectFromParams(list->params(row), c.ctx.Separator(), &flagsInRange);
    if (!flagsInRange) return RunError(QStringLiteral("Objet : le paramètre 12 (critères) doit être un nombre de 0 à 65535."), 1);
    o.Choice = c.Value(o.Choice);
    const int timeout = objectTimeout(c.ctx);

    FindObjectWindow(o);
    CommandResult waited;
    if (ObjectCandidates.isEmpty() && o.NotFoundAction == 1) waited = waitForObject(c.ctx, o, timeout);
    if (!o.CountVariable.isEmpty() && c.Kind(o.CountVariable) != QLatin1String("No_Type"))
        c.Write(o.CountVariable, QString::number(ObjectCandidates.size()));
    if (waited.failed() || !runGoesOn(c.ctx)) return waited;

    const int found = int(ObjectCandidates.size());
    if (found == 0) return Done();
    if (found == 1) {
        takeWindow(list, row, ObjectCandidates.first(), c.ctx.Separator());
        if (timeout > 0) c.ctx.Wait(unsigned(timeout) * 100);
        return Done();
    }
    switch (o.SeveralAction) {
    case 1:
        if (ObjectCandidates.contains(quint64(o.Handle))) return Done();
        break;
    case 2: return Done();
    case 3:
        if (mdlfnct::IsInteger(o.Choice)) {  // 1 takes the last window listed
            const int n = mdlfnct::StrToIntOrZero(o.Choice);
            if (n >= 1 && n <= found) takeWindow(list, row, ObjectCandidates[found - n], c.ctx.Separator());
            return Done();
        }
        break;
    default: break;
    }
    letUserChoose(c.ctx, list, row);
    return Done();
}
