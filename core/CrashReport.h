#pragma once
// The program-wide crash handler: an exception that nothing else catches is
// shown in the internal-error window (TForm34) with its class, message,
// address and the unit, procedure and line the map file gives for it.
#include <QApplication>
#include <QDateTime>
#include <QString>

class TForm1;

// Reads the map file and installs the handlers (exceptions escaping an event
// handler, std::terminate) and keeps the open macro's path ready for the
// fatal signals' handler (core/FatalSignal.h). Called once by the main window.
void InstallCrashHandler(TForm1* form);

// The internal-error window in its plain form: the message and the run's
// position; the run stops (TForm1::ShowInternalError).
void ShowInternalError(const QString& message);
// The first lines of a report: date and time, version, module, message, the
// code address, the class, and the unit, procedure and line the map file
// gives for the code's offset in it.
QStringList ReportHeadLines(const QDateTime& when, const QString& message, quintptr address, qint64 offset,
                            const QString& className);
// An address as the reports write it, upper-case hexadecimal, 8 digits at least.
QString ReportAddress(quintptr address);

// Fills and shows the crash report (non-modal; the window counts down).
void BuildErrorReport(const QString& className, const QString& message, quintptr address);

// The program's application object: catches what escapes an event handler.
class OrvanelApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

// The code address the last exception was thrown from (0 when unknown).
quintptr LastThrowAddress();
