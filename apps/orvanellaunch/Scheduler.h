#pragma once
// The scheduler: reads "Launch.dat", starts "orvanel <macro>" at the planned
// times and on the keyboard shortcuts of its records, and reads the file
// again when the editor says it changed.
#include "platform/LaunchFile.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <functional>

class Scheduler : public QObject {
    Q_OBJECT
public:
    // start runs one macro; clock gives the time (both replaceable by tests).
    Scheduler(std::function<void(const QString& macro)> start, std::function<QDateTime()> clock);
    ~Scheduler() override;
    // Reads the file again and takes its shortcuts anew.
    void Reload();
    // Starts the macros whose run came since the last look, and waits for the next one.
    void Tick();

private:
    void releaseShortcuts();
    void shortcutPressed(int id);

    std::function<void(const QString&)> start_;
    std::function<QDateTime()> clock_;
    platform::TLaunchList records_;
    QVector<quint32> shortcuts_;  // registered: id = index + 1
    QDateTime seenUntil_;         // runs before this were handled
    QTimer timer_;
};
