#include "core/RunState.h"

#include "core/MacroFile.h"
#include "core/RunControl.h"
#include "core/Services.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

void TRunState::SetExecState(int state) {
    ExecState = state;
    emit ExecStateChanged(state);
}

TRunState& RunState() { return Services().Run().State(); }

QString ReportBasePath() {
    QString path = settings().ReportFileName;
    if (path.isEmpty()) path = settings().ReportFile.trimmed();
    if (path.isEmpty()) return platform::programFile(QStringLiteral("rapport.doc"));
    return QFileInfo(path).isRelative() ? platform::programFile(path) : path;
}

QString NumberedReportPath(const QString& number) {
    const QString base = ReportBasePath();
    const QFileInfo info(base);
    const QString suffix = info.suffix();
    const QString stem = suffix.isEmpty() ? base : base.left(base.size() - suffix.size() - 1);
    return stem + number + (suffix.isEmpty() ? QString() : u'.' + suffix);
}

QString ContextFolder() { return platform::programFile(QStringLiteral("Sauvegarde context d'exécution")); }

bool Unattended() { return RunState().AutoRun || StartMode().commandLineRun; }

void ReportUnattended(const QString& text) {
    std::fprintf(stderr, "Orvanel : %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

void EndUnattendedRun() {
    if (Form1.made()) Form1->close();
}
