#include "core/Windows.h"

#include <QPointer>
#include <array>

namespace {

constexpr int kMaxWindow = 64;

struct Registry {
    std::array<WindowMaker, kMaxWindow> makers{};
    std::array<bool, kMaxWindow> making{};
    QList<WindowPreparer> preparers;
    QList<std::pair<int, QPointer<QWidget>>> made;  // in the order made
    bool destroying = false;
};

Registry& registry() {
    static Registry r;
    return r;
}

bool valid(int number) { return number > 0 && number < kMaxWindow; }

// Clears the mark of a window being made, whether its maker returns or throws.
struct MakingMark {
    explicit MakingMark(int number) : number(number) { registry().making[size_t(number)] = true; }
    ~MakingMark() { registry().making[size_t(number)] = false; }
    int number;
};

}  // namespace

void RegisterWindow(int number, WindowMaker make) {
    if (valid(number)) registry().makers[size_t(number)] = make;
}

void OnWindowMade(WindowPreparer prepare) {
    if (!registry().preparers.contains(prepare)) registry().preparers << prepare;
}

QWidget* MadeWindow(int number) {
    for (const auto& [n, w] : std::as_const(registry().made))
        if (n == number && w) return w;
    return nullptr;
}

QWidget* Window(int number) {
    if (QWidget* w = MadeWindow(number)) return w;
    Registry& r = registry();
    if (!valid(number) || !r.makers[size_t(number)] || r.destroying) return nullptr;
    if (r.making[size_t(number)]) return nullptr;  // its maker failed and asks again, or loops
    QWidget* window = nullptr;
    {
        const MakingMark mark(number);
        window = r.makers[size_t(number)]();
    }
    if (!window) return nullptr;
    if (!MadeWindow(number)) AdoptWindow(number, window);
    for (WindowPreparer prepare : std::as_const(r.preparers)) prepare(*window);
    return window;
}

QList<QWidget*> MadeWindows() {
    QList<QWidget*> out;
    for (const auto& [n, w] : std::as_const(registry().made))
        if (w) out << w;
    return out;
}

QList<int> RegisteredWindows() {
    QList<int> out;
    for (int n = 1; n < kMaxWindow; ++n)
        if (registry().makers[size_t(n)]) out << n;
    return out;
}

void DestroyWindows() {
    Registry& r = registry();
    r.destroying = true;
    while (!r.made.isEmpty()) delete r.made.takeLast().second.data();
    r.destroying = false;
}

void AdoptWindow(int number, QWidget* window) {
    auto& made = registry().made;
    made.removeIf([number](const auto& entry) { return entry.first == number || !entry.second; });
    made.append({number, window});
}
