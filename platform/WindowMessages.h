#pragma once
// Messages to windows, as plug-ins and other programs send them. A window of
// this program that has a message handler gets SendMessage at once and
// PostMessage at the next event pumped; a message to any other window goes to
// it as an X client message (Platform::PostClientMessage), and client messages
// that reach our windows are posted to their handlers marked remote.
//
// Plug-ins' messages come here from their host programs
// (engine/PluginHost.h), texts copied into this program.
#include "platform/Platform.h"

#include <functional>
#include <memory>

namespace platform {

using LRESULT = qintptr;

struct WindowMessage {
    unsigned message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    // From another program: the parameters are 32-bit numbers, never
    // pointers into this program.
    bool remote = false;
};
using MessageHandler = std::function<LRESULT(const WindowMessage&)>;

// The handler of a window of this program; an empty one removes it.
void SetMessageHandler(HWND window, MessageHandler handler);
// The handler's answer; 0 for a window of another program (the message is posted).
LRESULT SendMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam);
// False when the message could not be queued or sent.
bool PostMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam);
// The same with parameters that point into keep, which the queued message
// holds until its handler has run.
bool PostMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam, std::shared_ptr<const void> keep);
// A client message that reached a window of ours (from the X11 platform).
void PostRemoteMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
