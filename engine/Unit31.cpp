#include "engine/Unit31.h"

#include "core/RunState.h"
#include "core/Unit1.h"
#include "engine/Handlers.h"
#include "engine/ImageSearch.h"
#include "engine/Runner.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

TForm31* Form31 = nullptr;

namespace {
void fail(const QString& message) { Runner->RaiseExecError(QStringLiteral("Trouve image : ") + message, 0); }

// A picture file that ends before its data does, which the picture reader
// would fill up with black: a Windows bitmap shorter than its headers say, a
// JPEG whose last scan has no end marker.
bool cutShort(const QByteArray& bytes) {
    const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
    const qint64 size = bytes.size();
    if (bytes.startsWith("\xFF\xD8"))
        return bytes.lastIndexOf(QByteArrayView("\xFF\xD9")) < bytes.lastIndexOf(QByteArrayView("\xFF\xDA"));
    if (!bytes.startsWith("BM")) return false;
    if (size < 26) return true;
    const qint64 declared = qFromLittleEndian<quint32>(d + 2), offset = qFromLittleEndian<quint32>(d + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(d + 14);
    qint64 width, height, bits, compression = 0;
    if (infoSize == 12) {  // the old header: 16-bit sizes, no compression
        width = qFromLittleEndian<quint16>(d + 18);
        height = qFromLittleEndian<quint16>(d + 20);
        bits = qFromLittleEndian<quint16>(d + 24);
    } else {
        if (size < 34) return true;
        width = qAbs(qint64(qFromLittleEndian<qint32>(d + 18)));
        height = qAbs(qint64(qFromLittleEndian<qint32>(d + 22)));
        bits = qFromLittleEndian<quint16>(d + 28);
        compression = qFromLittleEndian<quint32>(d + 30);
    }
    if (declared > size || offset > size) return true;
    if (compression != 0 && compression != 3 && compression != 6) return false;  // run lengths: no size to know
    const qint64 row = (width * bits + 31) / 32 * 4;
    return row > 0 && height > (size - offset) / row;
}
}  // namespace

TForm31::TForm31(QWidget* parent) : TForm(31, QStringLiteral("Recherche d'image"), parent) { Form31 = this; }

const QImage* TForm31::reference(const QString& fileName) {
    for (const TMemImage& m : std::as_const(MemImages))
        if (m.FileName == fileName) return &m.Picture;
    if (!QFileInfo(fileName).isFile()) {
        fail(QStringLiteral("le fichier image « %1 » est introuvable.").arg(fileName));
        return nullptr;
    }
    QFile file(fileName);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    const QImage picture = reader.read();
    const QString why = file.error() != QFileDevice::NoError ? file.errorString()
                        : picture.isNull()                   ? reader.errorString()
                        : cutShort(bytes)                    ? QStringLiteral("fichier tronqué")
                                                             : QString();
    if (!why.isEmpty()) {
        fail(QStringLiteral("le fichier « %1 » n'est pas une image lisible (%2).").arg(fileName, why));
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
