#include "core/CrashViewer.h"

#include "core/CrashReport.h"
#include "core/MapFile.h"
#include "core/Unit34.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QPlainTextEdit>

#include <csignal>

namespace {

QString signalName(int signal) {
    switch (signal) {
    case SIGSEGV: return QStringLiteral("SIGSEGV");
    case SIGBUS: return QStringLiteral("SIGBUS");
    case SIGILL: return QStringLiteral("SIGILL");
    case SIGFPE: return QStringLiteral("SIGFPE");
    default: return QStringLiteral("Signal %1").arg(signal);
    }
}

quintptr hexValue(const QString& text) { return quintptr(text.toULongLong(nullptr, 16)); }

}  // namespace

QStringList CrashReportLines(const QByteArray& log) {
    QHash<QString, QString> field;  // "Signal : 11" and the like, one a line
    for (const QString& line : QString::fromUtf8(log).split(u'\n')) {
        const qsizetype colon = line.indexOf(QStringLiteral(" : "));
        if (colon > 0) field.insert(line.left(colon), line.mid(colon + 3));
    }
    const int signal = field.value(QStringLiteral("Signal")).toInt();
    const QString name = signalName(signal);
    const quintptr base = hexValue(field.value(QStringLiteral("Base")));
    // Offsets in the map count from the crashed program's code base; an
    // address in no unit of the map (a library's) is named by nothing.
    auto offsetOf = [base](quintptr address) {
        const qint64 offset = address < base + 0x1000 ? -1 : qint64(address - base - 0x1000);
        QString unit;
        uDebugEx::AddressToUnit(offset, unit);
        return unit.isEmpty() ? -1 : offset;
    };
    const quintptr at = hexValue(field.value(QStringLiteral("Instruction")));
    const bool sent = field.value(QStringLiteral("Code")).toInt() <= 0;  // by kill() or raise()
    const QString message =
        sent ? QStringLiteral("%1 (%2) envoyé au programme.").arg(name).arg(signal)
             : QStringLiteral("%1 (%2) à l'adresse 0x%3.")
                   .arg(name)
                   .arg(signal)
                   .arg(ReportAddress(hexValue(field.value(QStringLiteral("Adresse")))));
    QStringList lines{QStringLiteral("Class :") + name};
    lines << ReportHeadLines(QDateTime::fromSecsSinceEpoch(field.value(QStringLiteral("Heure")).toLongLong()), message,
                             at, offsetOf(at), name);
    // "Run : True 5 0 1": the flag, the row, the sub-macro level and its row.
    const QStringList run = field.value(QStringLiteral("Run")).split(u' ');
    const bool running = run.value(0) == u"True";
    const QString position = run.value(2).toInt() > 0 ? QStringLiteral("%1.%2").arg(run.value(1), run.value(3)) : run.value(1);
    lines << QStringLiteral("Run :") + run.value(0) + (running ? QStringLiteral(" (") + position + u')' : QString())
          << QStringLiteral("Edited :") + field.value(QStringLiteral("Edited"))
          << QStringLiteral("Macro :") + field.value(QStringLiteral("Macro")) << QString()
          << QStringLiteral("***** Pile d'appels *****");
    for (const QString& frame : field.value(QStringLiteral("Pile")).split(u' ', Qt::SkipEmptyParts)) {
        const quintptr address = hexValue(frame);
        QString unit, procedure;
        uDebugEx::AddressToUnit(offsetOf(address), unit);
        uDebugEx::AddressToProcedure(offsetOf(address), procedure);
        const QString line = uDebugEx::AddressToUnitLine(offsetOf(address));
        lines << QStringLiteral("0x%1 %2 %3 %4").arg(ReportAddress(address), unit, procedure, line).trimmed();
    }
    return lines;
}

int ShowCrashReport(const QString& logFile) {
    QFile file(logFile);
    if (!file.open(QIODevice::ReadOnly)) return 2;
    uDebugEx::LoadMapFile();
    QStringList lines = CrashReportLines(file.readAll());
    TForm34 window;
    window.Panel1->setText(lines.takeFirst());
    window.Memo1->setPlainText(lines.join(u'\n'));
    window.show();
    window.raise();
    window.activateWindow();
    const int status = QApplication::exec();
    uDebugEx::FreeMapFile();
    return status;
}
