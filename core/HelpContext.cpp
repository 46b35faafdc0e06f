#include "core/HelpContext.h"

#include "core/Startup.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QShortcut>
#include <QWidget>

namespace {
// The control the user sees as active: the inner editor of a combo or spin box is the box itself.
QWidget* activeControl(QWidget* form) {
    QWidget* w = form->focusWidget();
    if (w && w->parentWidget() &&
        (qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractSpinBox*>(w->parentWidget())))
        w = w->parentWidget();
    return w;
}
}  // namespace

void SetHelpContext(QWidget* w, int context) { w->setProperty("HelpContext", context); }

int HelpContext(const QWidget* w) { return w ? w->property("HelpContext").toInt() : 0; }

void FormHelpRequest(QWidget* form) {
    QWidget* control = activeControl(form);
    if (!control) return;
    // The first of the control and its holders up to the form that has a context.
    int context = 0;
    for (QWidget* w = control; w && context == 0; w = w == form ? nullptr : w->parentWidget())
        context = HelpContext(w);
    if (context != 0) OpenHelp(context);  // reports a help file that cannot be shown
}

void InstallFormHelp(QWidget* form) {
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), form);
    f1->setContext(Qt::WindowShortcut);
    QObject::connect(f1, &QShortcut::activated, form, [form] { FormHelpRequest(form); });
}
