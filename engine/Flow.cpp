// Flow commands: label lookup and the timed pause that every wait of the
// engine uses. (The other flow handlers are filled by the flow topic.)
#include "core/Unit1.h"
#include "engine/Handlers.h"
#include "engine/Runner.h"
#include "engine/mdlfnct.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

int FindLabelRow(TListView* list, const QString& name) {
    const QString label = TForm1::GetParam(name)[1];
    int found = -1;
    for (int r = 0; r < list->count(); ++r)
        if (list->keyword(r) == QLatin1String("Label") && list->params(r) == label) found = r;
    QCoreApplication::processEvents();
    return found;
}

namespace {
qint64 pauseDuration(const QString& params) {
    const TParamFields f = TForm1::GetParam(mdlfnct::GetVarValue(params));
    const QString amountText = mdlfnct::GetVarValue(f[1]);
    const QString& unit = f[2];
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
}  // namespace

void TRunner::FnctPause(const QString& params) {
    const qint64 duration = pauseDuration(params);
    const bool countdown = duration >= 3000;
    const QString title = QApplication::applicationName();
    QElapsedTimer elapsed;
    elapsed.start();
    qint64 shown = -1;
    for (qint64 done; (done = elapsed.elapsed()) < duration;) {
        QThread::msleep(ulong(qMin<qint64>(20, duration - done)));
        QCoreApplication::processEvents();
        if (!MacroRunning) break;
        const qint64 left = (duration - elapsed.elapsed()) / 1000;
        if (countdown && left != shown) {
            shown = left;
            QApplication::setApplicationName(QStringLiteral("Pause %1:%2:%3 - ")
                                                 .arg(left / 3600, 2, 10, QChar(u'0'))
                                                 .arg(left / 60 % 60, 2, 10, QChar(u'0'))
                                                 .arg(left % 60, 2, 10, QChar(u'0')) +
                                             form_.StatusPanel[0]->text());
        }
    }
    QApplication::setApplicationName(title);
    QCoreApplication::processEvents();
}
