#include "core/RunState.h"

#include "core/MacroFile.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

int ExecState = 0;
int CurrentOrderIndex = 0;
bool MacroRunning = false;
TActiveOrder ActiveOrder;
bool BreakpointWait = false;
bool AutoRun = false;
bool RunEndedInError = false;
int ExecutedCount = 0;
QString RunStartTime;
QString RunEndTime;
int SavedWindowState = 0;
quint64 SavedForegroundWindow = 0;
QVector<int> ProcReturnStack;
bool QuestionAnswered = false;
QIcon RunIcon;
TListView* SubMacroList = nullptr;
int SubMacroRow = 0;
int SubMacroLevel = 0;
bool SubMacroJump = false;

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

bool Unattended() { return AutoRun || CommandLineRun; }

void ReportUnattended(const QString& text) {
    std::fprintf(stderr, "Orvanel : %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

void EndUnattendedRun() {
    if (Form1) Form1->close();
}
