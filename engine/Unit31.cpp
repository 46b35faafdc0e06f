#include "engine/Unit31.h"

#include "core/RunState.h"
#include "core/Unit1.h"
#include "engine/Handlers.h"
#include "engine/ImageSearch.h"
#include "engine/Runner.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>

TForm31* Form31 = nullptr;

namespace {
void fail(const QString& message) { Runner->RaiseExecError(QStringLiteral("Trouve image : ") + message, 0); }
}  // namespace

TForm31::TForm31(QWidget* parent) : TForm(31, QStringLiteral("Recherche d'image"), parent) { Form31 = this; }

const QImage* TForm31::reference(const QString& fileName) {
    for (const TMemImage& m : std::as_const(MemImages))
        if (m.FileName == fileName) return &m.Picture;
    if (!QFileInfo(fileName).isFile()) {
        fail(QStringLiteral("le fichier image « %1 » est introuvable.").arg(fileName));
        return nullptr;
    }
    QImageReader reader(fileName);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        fail(QStringLiteral("le fichier « %1 » n'est pas une image lisible (%2).").arg(fileName, reader.errorString()));
        return nullptr;
    }
    MemImages.append({fileName, picture.convertToFormat(QImage::Format_RGB32)});
    return &MemImages.last().Picture;
}

void TForm31::FnctFindGraphic(const QString& params) {
    const TParamFields f = mdlfnct::SplitParams(params);
    int zone[4];  // left, top, right, bottom
    for (int i = 0; i < 4; ++i) {
        if (!mdlfnct::IsInteger(f[2 + i]))
            return fail(QStringLiteral("la coordonnée « %1 » de la zone de recherche n'est pas un nombre entier.")
                            .arg(f[2 + i]));
        zone[i] = mdlfnct::StrToIntOrZero(f[2 + i]);
    }
    const QRect screen(0, 0, platform::desktop().GetSystemMetrics(platform::SM_CXSCREEN),
                       platform::desktop().GetSystemMetrics(platform::SM_CYSCREEN));
    const auto [left, top, right, bottom] = zone;
    if (left < 0 || top < 0 || right < left || bottom < top || right > screen.width() || bottom > screen.height())
        return fail(QStringLiteral("la zone (%1, %2, %3, %4) n'est pas une zone de l'écran (%5 x %6).")
                        .arg(left).arg(top).arg(right).arg(bottom).arg(screen.width()).arg(screen.height()));
    const QString occurrence = mdlfnct::GetVarValue(f[12]);
    if (!mdlfnct::IsInteger(occurrence) || mdlfnct::StrToIntOrZero(occurrence) < 1)
        return fail(QStringLiteral("l'occurrence cherchée « %1 » n'est pas un nombre entier positif.").arg(occurrence));
    const QImage* picture = reference(mdlfnct::GetVarValue(f[1]));
    if (!picture) return;

    const QImage capture = platform::desktop().CaptureScreen(QRect(left, top, right - left, bottom - top));
    const TImageMatcher::Result found =
        TImageMatcher(*picture).Find(capture, mdlfnct::StrToIntOrZero(occurrence), [] {
            QCoreApplication::processEvents();
            return MacroRunning;
        });
    if (found.outcome == TImageMatcher::Outcome::Stopped) return;
    const bool absent = found.outcome == TImageMatcher::Outcome::Absent;
    Form1->WriteVariable(QStringLiteral("VAR"), f[10], absent ? QStringLiteral("-1") : QString::number(left + found.at.x() + 1));
    Form1->WriteVariable(QStringLiteral("VAR"), f[11], absent ? QStringLiteral("-1") : QString::number(top + found.at.y() + 1));
}

void ReleaseImageSearchCache() {
    if (Form31) Form31->MemImages.clear();
}
