#pragma once
// What our programs say to each other (Platform::SendProgramMessage): the
// window class each listens on and the numbers of its messages.
#include <QString>
#include <cstdint>

namespace platform {

// The main program itself, editor or run of a macro from the command line
// (the class of its windows). The first of our programs to start holds the
// pause and stop keys; when it has no run going on, it passes their presses
// to the others, one message to each, and those that run a macro act on them.
inline const QString kOrvanelClass = QStringLiteral("Orvanel");
enum OrvanelMessage : uint32_t {
    WM_PAUSEKEY = 3031,  // the pause key was pressed
    WM_STOPKEY = 3032,   // the stop key was pressed
};

// The visual-effect program "VisualEffect", beside the main program: a
// search animation shown over every window, which the mouse goes through.
inline const QString kVisualEffectClass = QStringLiteral("TVisualEffectforOrvanel");
inline const QString kVisualEffectProgram = QStringLiteral("VisualEffect");
enum VisualEffectMessage : uint32_t {
    VE_PICTURE = 9025,   // text: the path of the picture to show
    VE_TEXT = 9026,      // text: the text shown with it
    VE_START = 9027,     // start showing
    VE_STOP = 9029,      // stop: the program ends
    VE_POSITION = 9031,  // wParam, lParam: the screen position
};

// The scheduler "OrvanelLaunch", beside the main program: it starts macros
// at the times and on the shortcuts of "Launch.dat" (platform/LaunchFile.h).
inline const QString kLaunchClass = QStringLiteral("TLaunchForm");
inline const QString kLaunchProgram = QStringLiteral("OrvanelLaunch");
enum LaunchMessage : uint32_t {
    WM_LAUNCHCHANGED = 3025,  // "Launch.dat" changed: read it again
};

}  // namespace platform
