#include "platform/WindowMessages.h"

#include <QCoreApplication>
#include <QHash>


namespace platform {

namespace {

QHash<HWND, MessageHandler>& handlers() {
    static QHash<HWND, MessageHandler> h;
    return h;
}

// A copy: the handler may remove itself while it runs.
MessageHandler handlerOf(HWND window) { return handlers().value(window); }

bool post(HWND window, const WindowMessage& m, std::shared_ptr<const void> keep = {}) {
    auto* app = QCoreApplication::instance();
    if (!app) return false;
    return QMetaObject::invokeMethod(
        app, [window, m, keep = std::move(keep)] {
            if (const MessageHandler h = handlerOf(window)) h(m);
        },
        Qt::QueuedConnection);
}

}  // namespace

void SetMessageHandler(HWND window, MessageHandler handler) {
    if (handler)
        handlers().insert(window, std::move(handler));
    else
        handlers().remove(window);
}

LRESULT SendMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) {
    if (const MessageHandler h = handlerOf(window)) return h({message, wParam, lParam, false});
    desktop().PostClientMessage(window, message, wParam, lParam);
    return 0;
}

bool PostMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) {
    return PostMessage(window, message, wParam, lParam, nullptr);
}

bool PostMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam, std::shared_ptr<const void> keep) {
    if (handlers().contains(window)) return post(window, {message, wParam, lParam, false}, std::move(keep));
    return desktop().PostClientMessage(window, message, wParam, lParam);
}

void PostRemoteMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) {
    if (handlers().contains(window)) post(window, {message, wParam, lParam, true});
}

}  // namespace platform
