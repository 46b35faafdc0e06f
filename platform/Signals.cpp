#include "platform/Signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {
int wakePipe[2] = {-1, -1};

// Only what is safe in a signal handler: one byte into the pipe.
void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
}
}  // namespace

void OnTerminationSignal(std::function<void()> handler) {
    if (wakePipe[0] < 0) {
        if (::pipe(wakePipe) != 0) return;
        for (int fd : wakePipe) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    auto* notifier = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [handler = std::move(handler)] {
        char bytes[16];
        while (::read(wakePipe[0], bytes, sizeof bytes) > 0) {
        }
        handler();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

}  // namespace platform
