#pragma once
// The one object that ties the stylers of the program together. Created with
// the first styler and freed with the last, it sets the application style
// that paints what the stylers mark (look/XPStyle.h). A styler registers
// only when it is loaded from a form's description; the stylers of this
// program are made in code, so none registers, no styler is active here and
// no form is taken over: a form made later keeps the base look unless a
// caller styles it.
#include <QList>

class TXPMenu;

class TXPMenuManager {
public:
    static TXPMenuManager* Instance() { return instance_; }
    // Called by each styler when it is made and when it goes.
    static void Attach(TXPMenu* styler);
    static void Detach(TXPMenu* styler);
    // Every window repaints (and re-measures its menus) in the look it has now.
    static void RepaintAll();

    void Add(TXPMenu* styler);
    void Remove(TXPMenu* styler);
    // The first registered styler that is Active, may subclass and is not s.
    TXPMenu* FindOther(const TXPMenu* s) const;

    QList<TXPMenu*> XPMenus;
    TXPMenu* ActiveXPMenu = nullptr;
    bool Suspended = false;

private:
    static inline TXPMenuManager* instance_ = nullptr;
    int stylers_ = 0;
};
