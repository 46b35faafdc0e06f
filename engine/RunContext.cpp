#include "engine/RunContext.h"

#include "core/CommandParams.h"
#include "core/Helpers.h"
#include "engine/EngineServices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

const QImage* TImageCache::Find(const QString& fileName) const {
    for (const Entry& e : entries_)
        if (e.FileName == fileName) return &e.Picture;
    return nullptr;
}

const QImage& TImageCache::Add(const QString& fileName, const QImage& picture) {
    entries_.append({fileName, picture.convertToFormat(QImage::Format_RGB32)});
    return entries_.last().Picture;
}

void TRunContext::Wait(unsigned milliseconds) const {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < qint64(milliseconds)) {
        QCoreApplication::processEvents();
        if (!State.MacroRunning || QCoreApplication::closingDown()) return;
        // The events may have used up the time left: never a negative sleep (a huge unsigned one).
        const qint64 left = qint64(milliseconds) - elapsed.elapsed();
        if (left > 0) QThread::msleep(ulong(std::min<qint64>(left, 10)));
    }
    QCoreApplication::processEvents();
}

qint64 PauseDuration(const QString& amountText, const QString& unit) {
    if (unit.isEmpty()) {  // "hh:mm:ss"
        if (!mdlfnct::TimeValide(amountText)) return 0;
        const qint64 seconds = qint64(mdlfnct::StrToIntOrZero(amountText.mid(0, 2))) * 3600 +
                               mdlfnct::StrToIntOrZero(amountText.mid(3, 2)) * 60 +
                               mdlfnct::StrToIntOrZero(amountText.mid(6, 2));
        return qMax<qint64>(0, seconds * 1000);
    }
    const qint64 amount = qMax(0, mdlfnct::StrToIntOrZero(amountText));
    if (unit == QLatin1String("Min")) return amount * 60000;
    if (unit == QLatin1String("Sec")) return amount * 1000;
    if (unit == QLatin1String("MilliSec")) return amount;
    return 0;
}

void TRunContext::Pause(const QString& params) {
    const ParamView p(Command::Pause, params, Separator());
    PauseMs(PauseDuration(p.text(1), p.text(2)));
}

void TRunContext::PauseMs(qint64 duration) {
    const bool countdown = duration >= 3000;
    const QString title = QApplication::applicationName();
    QElapsedTimer elapsed;
    elapsed.start();
    qint64 shown = -1;
    for (qint64 done; (done = elapsed.elapsed()) < duration;) {
        QThread::msleep(ulong(qMin<qint64>(20, duration - done)));
        QCoreApplication::processEvents();
        if (!State.MacroRunning) break;
        const qint64 left = (duration - elapsed.elapsed()) / 1000;
        if (countdown && left != shown) {
            shown = left;
            QApplication::setApplicationName(QStringLiteral("Pause %1:%2:%3 - ")
                                                 .arg(left / 3600, 2, 10, QChar(u'0'))
                                                 .arg(left / 60 % 60, 2, 10, QChar(u'0'))
                                                 .arg(left % 60, 2, 10, QChar(u'0')) +
                                             engineServices().MacroPath());
        }
    }
    QApplication::setApplicationName(title);
    QCoreApplication::processEvents();
}

QChar TRunContext::Separator() const { return ParamSeparator(); }
