#include "look/XPMenuManager.h"

#include "look/XPMenu.h"
#include "look/XPStyle.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

void TXPMenuManager::Attach(TXPMenu*) {
    if (!instance_) {
        instance_ = new TXPMenuManager;
        TXPStyle::Install();
    }
    ++instance_->stylers_;
}

void TXPMenuManager::Detach(TXPMenu* styler) {
    if (!instance_) return;
    instance_->Remove(styler);
    if (--instance_->stylers_ > 0) return;
    delete instance_;
    instance_ = nullptr;
}

void TXPMenuManager::RepaintAll() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    for (QWidget* w : QApplication::allWidgets()) {
        QEvent change(QEvent::StyleChange);
        QCoreApplication::sendEvent(w, &change);
        w->update();
    }
}

void TXPMenuManager::Add(TXPMenu* styler) {
    XPMenus.append(styler);
    if (!ActiveXPMenu && !Suspended && styler->Active() && !styler->DisableSubclassing) ActiveXPMenu = styler;
}

void TXPMenuManager::Remove(TXPMenu* styler) {
    XPMenus.removeAll(styler);
    if (ActiveXPMenu == styler) ActiveXPMenu = FindOther(styler);
}

TXPMenu* TXPMenuManager::FindOther(const TXPMenu* s) const {
    if (Suspended) return nullptr;
    for (TXPMenu* m : XPMenus)
        if (m != s && m->Active() && !m->DisableSubclassing) return m;
    return nullptr;
}
