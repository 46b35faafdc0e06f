#include "platform/fake/FakePlatform.h"

#include "platform/VirtualKeys.h"

#include <QBuffer>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

namespace platform {

namespace {
QString hex(quint64 v) { return QStringLiteral("0x") + QString::number(v, 16); }

// The generic modifier codes stand for the left key, as the real keyboard does.
uint8_t sided(uint8_t vk) {
    switch (vk) {
    case VK_SHIFT: return VK_LSHIFT;
    case VK_CONTROL: return VK_LCONTROL;
    case VK_MENU: return VK_LMENU;
    default: return vk;
    }
}
}  // namespace

void FakePlatform::moveTo(int x, int y) {
    cursor.x = std::clamp(x, 0, screenSize.width() - 1);
    cursor.y = std::clamp(y, 0, screenSize.height() - 1);
}

bool FakePlatform::SetCursorPos(int x, int y) {
    calls << QStringLiteral("SetCursorPos %1 %2").arg(x).arg(y);
    moveTo(x, y);
    return true;
}

void FakePlatform::mouse_event(uint32_t flags, int dx, int dy, int data) {
    calls << QStringLiteral("mouse_event %1 %2 %3 %4").arg(hex(flags)).arg(dx).arg(dy).arg(data);
    if (flags & MOUSEEVENTF_MOVE) {
        if (flags & MOUSEEVENTF_ABSOLUTE)  // 0..65535 spans the first..last pixel
            moveTo(int(std::lround(dx * (screenSize.width() - 1) / 65535.0)),
                   int(std::lround(dy * (screenSize.height() - 1) / 65535.0)));
        else
            moveTo(cursor.x + dx, cursor.y + dy);
    }
    const struct { uint32_t down, up; uint8_t vk; } buttons[] = {
        {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, VK_LBUTTON},
        {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, VK_RBUTTON},
        {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, VK_MBUTTON},
    };
    for (const auto& b : buttons) {
        if (flags & b.down) keysDown.insert(b.vk);
        if (flags & b.up) keysDown.remove(b.vk);
    }
}

void FakePlatform::keybd_event(uint8_t vk, uint8_t scan, uint32_t flags) {
    calls << QStringLiteral("keybd_event %1 %2 %3").arg(hex(vk)).arg(scan).arg(hex(flags));
    if (keysymForVirtualKey(vk) == 0) return;  // nothing to press, as on the real keyboard
    if (vk == VK_CAPITAL && !(flags & KEYEVENTF_KEYUP) && !keysDown.contains(vk) && !keysToggled.remove(vk))
        keysToggled.insert(vk);
    if (flags & KEYEVENTF_KEYUP)
        keysDown.remove(sided(vk));
    else
        keysDown.insert(sided(vk));
}

bool FakePlatform::IsKeyDown(uint8_t vk) {
    switch (vk) {
    case VK_SHIFT: return keysDown.contains(VK_LSHIFT) || keysDown.contains(VK_RSHIFT);
    case VK_CONTROL: return keysDown.contains(VK_LCONTROL) || keysDown.contains(VK_RCONTROL);
    case VK_MENU: return keysDown.contains(VK_LMENU) || keysDown.contains(VK_RMENU);
    default: return keysDown.contains(vk);
    }
}

const FakeWindow* FakePlatform::find(HWND w) const {
    if (w == 0) return nullptr;
    for (const FakeWindow& f : windows)
        if (f.handle == w) return &f;
    return nullptr;
}

FakeWindow* FakePlatform::find(HWND w) { return const_cast<FakeWindow*>(std::as_const(*this).find(w)); }

QVector<HWND> FakePlatform::EnumWindows() {
    QVector<HWND> out;
    for (const FakeWindow& f : windows)
        if (f.parent == 0) out << f.handle;
    return out;
}

QVector<HWND> FakePlatform::EnumChildWindows(HWND parent) {
    if (parent == 0) return EnumWindows();
    QVector<HWND> out;  // all descendants, depth first
    for (const FakeWindow& f : windows)
        if (f.parent == parent) out << f.handle << EnumChildWindows(f.handle);
    return out;
}

QString FakePlatform::GetClassName(HWND w) {
    const FakeWindow* f = find(w);
    return f ? f->className : QString();
}

QString FakePlatform::GetWindowText(HWND w) {
    const FakeWindow* f = find(w);
    return f ? f->text : QString();
}

bool FakePlatform::GetWindowRect(HWND w, QRect& rect) {
    const FakeWindow* f = find(w);
    if (f) rect = f->rect;
    return f != nullptr;
}

HWND FakePlatform::GetParent(HWND w) {
    const FakeWindow* f = find(w);
    return f ? f->parent : 0;
}

qint64 FakePlatform::GetWindowThreadProcessId(HWND w) {
    for (const FakeWindow* f = find(w); f; f = find(f->parent))
        if (f->pid) return f->pid;
    return 0;
}

bool FakePlatform::SetForegroundWindow(HWND w) {
    calls << QStringLiteral("SetForegroundWindow %1").arg(hex(w));
    const FakeWindow* f = find(w);
    while (f && f->parent) f = find(f->parent);  // the foreground is a top-level window
    if (!f) return false;
    foreground = f->handle;
    return true;
}

bool FakePlatform::IsWindowVisible(HWND w) {
    for (const FakeWindow* f = find(w); f; f = find(f->parent))
        if (!f->visible) return false;
    return find(w) != nullptr;
}

HWND FakePlatform::WindowFromPoint(POINT p) {
    const QPoint at(p.x, p.y);
    auto holding = [&](HWND parent) -> HWND {
        for (const FakeWindow& f : windows)
            if (f.parent == parent && f.visible && f.rect.contains(at)) return f.handle;
        return 0;
    };
    HWND found = holding(0);
    for (HWND child = found; child; child = holding(found)) found = child;
    return found;
}

QVector<HWND> FakePlatform::FindProgramWindows(const QString& className) {
    QVector<HWND> found;
    for (const FakeWindow& f : windows)
        if (f.parent == 0 && f.className == className) found << f.handle;
    return found;
}

bool FakePlatform::SendProgramMessage(HWND w, const ProgramMessage& m, int) {
    calls << QStringLiteral("SendProgramMessage %1 %2 %3 %4 %5")
                 .arg(hex(w)).arg(m.message).arg(m.wParam).arg(m.lParam).arg(m.text);
    return find(w) != nullptr;
}

bool FakePlatform::IsIconic(HWND w) {
    const FakeWindow* f = find(w);
    return f && f->show == SW_SHOWMINIMIZED;
}

bool FakePlatform::IsZoomed(HWND w) {
    const FakeWindow* f = find(w);
    return f && f->show == SW_SHOWMAXIMIZED;
}

bool FakePlatform::ShowWindow(HWND w, int command) {
    calls << QStringLiteral("ShowWindow %1 %2").arg(hex(w)).arg(command);
    FakeWindow* f = find(w);
    if (!f) return false;
    // Maximised, a window covers the screen; shown normal again, it goes back where it was.
    if (command == SW_SHOWMAXIMIZED) {
        if (!f->normalRect.isValid()) f->normalRect = f->rect;
        f->rect = QRect(QPoint(0, 0), screenSize);
    } else if (command == SW_SHOWNORMAL && f->normalRect.isValid()) {
        f->rect = std::exchange(f->normalRect, QRect());
    }
    f->show = command;
    f->visible = true;
    return true;
}

bool FakePlatform::SetWindowPos(HWND w, int x, int y, int cx, int cy, uint32_t flags) {
    calls << QStringLiteral("SetWindowPos %1 %2 %3 %4 %5 %6").arg(hex(w)).arg(x).arg(y).arg(cx).arg(cy).arg(hex(flags));
    FakeWindow* f = find(w);
    if (!f) return false;
    if (!(flags & SWP_NOMOVE)) f->rect.moveTo(x, y);
    if (!(flags & SWP_NOSIZE)) f->rect.setSize(QSize(cx, cy));
    return true;
}

bool FakePlatform::SetWindowText(HWND w, const QString& text) {
    calls << QStringLiteral("SetWindowText %1 %2").arg(hex(w), text);
    FakeWindow* f = find(w);
    if (f) f->text = text;
    return f != nullptr;
}

bool FakePlatform::PostMessage(HWND w, unsigned message) {
    calls << QStringLiteral("PostMessage %1 %2").arg(hex(w), hex(message));
    if (!find(w)) return false;
    if (message == WM_CLOSE || message == WM_QUIT)
        windows.removeIf([w](const FakeWindow& f) { return f.handle == w; });
    return true;
}

int FakePlatform::StartProgram(const QString& program, const QStringList& arguments) {
    calls << QStringLiteral("StartProgram ") + (QStringList{program} + arguments).join(u'|');
    if (onStartProgram && launchResult == LAUNCH_OK) onStartProgram(program);
    return launchResult;
}

int FakePlatform::OpenWithDesktop(const QString& target) {
    calls << QStringLiteral("OpenWithDesktop ") + target;
    return launchResult;
}

int FakePlatform::PlaySound(const QString& file, const std::function<bool()>& whilePlaying) {
    calls << QStringLiteral("PlaySound ") + file + (whilePlaying ? QStringLiteral(" wait") : QString());
    if (whilePlaying) whilePlaying();
    return launchResult;
}

int FakePlatform::GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN: return screenSize.width();
    case SM_CYSCREEN: return screenSize.height();
    default: return 0;
    }
}

QVector<QRect> FakePlatform::GetMonitors() { return monitors.isEmpty() ? Platform::GetMonitors() : monitors; }

QImage FakePlatform::CaptureScreen(const QRect& rect) {
    if (rect.isEmpty()) return QImage();
    QImage image(rect.size(), QImage::Format_RGB32);
    if (screenPicture.isNull()) {
        image.fill(screenColour);
        return image;
    }
    image.fill(Qt::black);
    QPainter(&image).drawImage(QPoint(0, 0), screenPicture, rect);
    return image;
}

int FakePlatform::ChangeDisplaySettings(const DisplayMode& mode, bool test) {
    calls << QStringLiteral("ChangeDisplaySettings %1x%2x%3%4")
                 .arg(mode.width).arg(mode.height).arg(mode.bitsPerPixel)
                 .arg(test ? QStringLiteral(" test") : QString());
    if (!displayModes.contains(mode)) return DISP_CHANGE_BADMODE;
    if (!test) {
        displayMode = mode;
        screenSize = QSize(mode.width, mode.height);
    }
    return DISP_CHANGE_SUCCESSFUL;
}

bool FakePlatform::SetSystemPowerState(bool suspend, bool force) {
    calls << QStringLiteral("SetSystemPowerState %1 %2").arg(int(suspend)).arg(int(force));
    return true;
}

bool FakePlatform::ExitWindowsEx(unsigned flags) {
    calls << QStringLiteral("ExitWindowsEx %1").arg(flags);
    return exitResult;
}

bool FakePlatform::SetClipboardText(const QString& text) {
    calls << QStringLiteral("SetClipboardText ") + text;
    clipboard = text;
    clipboardFormats.clear();
    return true;
}

namespace {
const QString kTextFormat = QStringLiteral("text/plain;charset=utf-8");
}

QVector<ClipboardFormat> FakePlatform::GetClipboardData() {
    QVector<ClipboardFormat> out;
    if (!clipboard.isEmpty()) out << ClipboardFormat{kTextFormat, clipboard.toUtf8()};
    return out + clipboardFormats;
}

bool FakePlatform::SetClipboardData(const QVector<ClipboardFormat>& formats) {
    QStringList types;
    clipboard.clear();
    clipboardFormats.clear();
    for (const ClipboardFormat& f : formats) {
        types << f.mimeType;
        if (f.mimeType == kTextFormat) clipboard = QString::fromUtf8(f.data);
        else clipboardFormats << f;
    }
    calls << (QStringList{QStringLiteral("SetClipboardData")} + types).join(u' ');
    return true;
}

bool FakePlatform::SetClipboardImage(const QImage& image) {
    calls << QStringLiteral("SetClipboardImage %1x%2").arg(image.width()).arg(image.height());
    clipboardImage = image;
    QBuffer png;  // offered as a real clipboard offers a picture
    png.open(QIODevice::WriteOnly);
    image.save(&png, "PNG");
    clipboard.clear();
    clipboardFormats = {{QStringLiteral("image/png"), png.data()}};
    return true;
}

bool FakePlatform::RegisterHotKey(int id, unsigned modifiers, uint8_t vk) {
    hotKeyCalls << QStringLiteral("RegisterHotKey %1 %2").arg(hex(modifiers), hex(vk));
    const HotKey key{modifiers, vk};
    if (heldElsewhere.contains(key) || hotKeys.contains(id) || hotKeys.key(key, -1) >= 0) return false;
    hotKeys.insert(id, key);
    return true;
}

bool FakePlatform::WatchHotKey(int id, unsigned modifiers, uint8_t vk) {
    hotKeyCalls << QStringLiteral("WatchHotKey %1 %2").arg(hex(modifiers), hex(vk));
    const HotKey key{modifiers, vk};
    if (hotKeys.contains(id) || hotKeys.key(key, -1) >= 0) return false;
    hotKeys.insert(id, key);
    return true;
}

bool FakePlatform::UnregisterHotKey(int id) {
    const auto it = hotKeys.constFind(id);
    if (it == hotKeys.cend()) return false;
    hotKeyCalls << QStringLiteral("UnregisterHotKey %1 %2").arg(hex(it->modifiers), hex(it->vk));
    hotKeys.erase(it);
    return true;
}

bool FakePlatform::PressHotKey(unsigned modifiers, uint8_t vk) {
    const int id = hotKeys.key({modifiers, vk}, -1);
    if (id < 0) return false;
    HotKeyPressed(id);
    return true;
}

bool FakePlatform::PostClientMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) {
    calls << QStringLiteral("PostClientMessage %1 %2 %3 %4").arg(hex(window)).arg(message).arg(wParam).arg(lParam);
    return true;
}

}  // namespace platform
