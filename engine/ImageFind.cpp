// Run-time handler of "Trouve image": the n-th occurrence of a reference
// picture in a zone of the screen. The pictures are read once a run, into
// the run context's image cache.
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/ImageSearch.h"
#include "engine/mdlfnct.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

CommandResult fail(const QString& message) { return RunError(QStringLiteral("Trouve image : ") + message); }

// The picture of that file, read at its first use in the run.
CommandResult reference(TImageCache& cache, const QString& fileName, const QImage*& picture) {
    picture = cache.Find(fileName);
    if (picture) return Done();
    if (!QFileInfo(fileName).isFile()) return fail(QStringLiteral("le fichier image « %1 » est introuvable.").arg(fileName));
    QFile file(fileName);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QImage read;
    const QString why = file.error() != QFileDevice::NoError ? file.errorString() : ReadReferencePicture(bytes, read);
    if (!why.isEmpty()) return fail(QStringLiteral("le fichier « %1 » n'est pas une image lisible (%2).").arg(fileName, why));
    picture = &cache.Add(fileName, read);
    return Done();
}

}  // namespace

// Parameters: reference file; left; top; right; bottom of the zone; four
// values of the dialog; variable of X; variable of Y; occurrence n. Writes
// where the n-th occurrence lies (its top-left pixel plus one), or -1 in both
// variables; a stopped run leaves them as they were.
CommandResult ExecFindGraphic(CommandCall& c) {
    const ParamView& p = c.param;
    int zone[4];  // left, top, right, bottom
    for (int i = 0; i < 4; ++i) {
        const std::optional<qint64> coordinate = p.integer(2 + i);
        if (!coordinate)
            return fail(QStringLiteral("la coordonnée « %1 » de la zone de recherche n'est pas un nombre entier.")
                            .arg(p.text(2 + i)));
        zone[i] = int(*coordinate);
    }
    platform::Platform& desk = c.ctx.Desktop();
    const QRect screen(0, 0, desk.GetSystemMetrics(platform::SM_CXSCREEN), desk.GetSystemMetrics(platform::SM_CYSCREEN));
    const auto [left, top, right, bottom] = zone;
    if (left < 0 || top < 0 || right < left || bottom < top || right > screen.width() || bottom > screen.height())
        return fail(QStringLiteral("la zone (%1, %2, %3, %4) n'est pas une zone de l'écran (%5 x %6).")
                        .arg(left).arg(top).arg(right).arg(bottom).arg(screen.width()).arg(screen.height()));
    // The twelfth field alone, though the declaration reads the rest of the string there.
    const QString occurrence = c.Value(p.textAt(12));
    if (!mdlfnct::IsInteger(occurrence) || mdlfnct::StrToIntOrZero(occurrence) < 1)
        return fail(QStringLiteral("l'occurrence cherchée « %1 » n'est pas un nombre entier positif.").arg(occurrence));
    const QImage* picture = nullptr;
    if (const CommandResult r = reference(c.ctx.Images, p.value(1), picture); r.failed()) return r;

    const QImage capture = desk.CaptureScreen(QRect(left, top, right - left, bottom - top));
    const TRunContext& ctx = c.ctx;
    const TImageMatcher::Result found =
        TImageMatcher(*picture).Find(capture, mdlfnct::StrToIntOrZero(occurrence), [&ctx] {
            QCoreApplication::processEvents();
            return ctx.Running();
        });
    if (found.outcome == TImageMatcher::Outcome::Stopped) return Done();
    const bool absent = found.outcome == TImageMatcher::Outcome::Absent;
    c.Write(p.text(10), absent ? QStringLiteral("-1") : QString::number(left + found.at.x() + 1));
    c.Write(p.text(11), absent ? QStringLiteral("-1") : QString::number(top + found.at.y() + 1));
    return Done();
}
