#include "engine/VisualEffect.h"

#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramMessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

using namespace platform;

namespace {

// How long a program just started has to show its window.
constexpr int kStartMs = 2000;

// The program file: in the program folder, else beside the main program.
QString programPath() {
    for (const QString& folder : {programFolder(), QCoreApplication::applicationDirPath()}) {
        const QString path = QDir(folder).filePath(kVisualEffectProgram);
        if (QFileInfo(path).isExecutable()) return path;
    }
    return QString();
}

HWND effectWindow(bool start) {
    Platform& d = desktop();
    HWND w = d.FindProgramWindow(kVisualEffectClass);
    if (w || !start) return w;
    const QString program = programPath();
    if (program.isEmpty() || d.StartProgram(program, {}) != LAUNCH_OK) return 0;
    QElapsedTimer waited;
    waited.start();
    while (!(w = d.FindProgramWindow(kVisualEffectClass)) && waited.elapsed() < kStartMs) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    return w;
}

void send(HWND w, uint32_t message, qint64 wParam = 0, qint64 lParam = 0, const QString& text = QString()) {
    desktop().SendProgramMessage(w, {message, wParam, lParam, text});
}

}  // namespace

namespace VisualEffect {

void ShowVisualEffect(const QString& picture, int x, int y) {
    const HWND w = effectWindow(true);
    if (!w) return;
    send(w, VE_PICTURE, 0, 0, picture);
    send(w, VE_POSITION, x, y);
    send(w, VE_START);
}

void SetVisualEffectText(const QString& text) {
    if (const HWND w = effectWindow(true)) send(w, VE_TEXT, 0, 0, text);
}

void CloseVisualEffect() {
    if (const HWND w = effectWindow(false)) send(w, VE_STOP);
}

}  // namespace VisualEffect
