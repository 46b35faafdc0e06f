#pragma once
// The program's windows, each known by its number (its name is "Form<n>"),
// made the first time it is asked for and owned here until DestroyWindows.
// The program body registers how each window is made (the layers above the
// core hold their classes) and what every window gets once made: the texts
// of the language in use, its saved place, the look... A window counts as
// made from its constructor on, so that what it calls may already reach it.
#include <QList>
#include <QWidget>

// The highest window number.
constexpr int kLastWindow = 37;

using WindowMaker = QWidget* (*)();
using WindowPreparer = void (*)(QWidget& window);

// How window number is made (a later registration replaces it).
void RegisterWindow(int number, WindowMaker make);
// Done to every window made from now on, after its constructor, in the order
// registered. A second registration of the same function is ignored.
void OnWindowMade(WindowPreparer prepare);
// The window, made when it was not; null when nothing makes it, and while
// it is being made before its constructor adopted it (a report of its
// maker's failure must not make it again).
QWidget* Window(int number);
// The window if it was made, never making it.
QWidget* MadeWindow(int number);
// The windows made, in the order they were made.
QList<QWidget*> MadeWindows();
// The numbers of the windows that can be made.
QList<int> RegisteredWindows();
// Deletes every window made, the last made first. Nothing is made meanwhile;
// what was registered stays.
void DestroyWindows();
// Called by a window's constructor: the registry holds it from then on.
void AdoptWindow(int number, QWidget* window);

// Stands for one window in the code that uses it: "Form5->Edit1" makes the
// window on first use; made() asks whether it exists without making it.
template <class T>
class WindowRef {
public:
    constexpr explicit WindowRef(int number) : number_(number) {}
    T* operator->() const { return get(); }
    T& operator*() const { return *get(); }
    operator T*() const { return get(); }
    // "if (Form5)" would make the window: ask made() instead.
    explicit operator bool() const = delete;
    T* made() const { return static_cast<T*>(MadeWindow(number_)); }
    int number() const { return number_; }

private:
    T* get() const { return static_cast<T*>(Window(number_)); }
    int number_;
};
