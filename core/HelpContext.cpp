#include "core/HelpContext.h"

#include "core/Dialogs.h"
#include "core/Startup.h"
#include "platform/ProgramFolder.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QShortcut>
#include <QWidget>

namespace {
HelpViewer& viewer() {
    static HelpViewer v;
    return v;
}

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
    int context = HelpContext(control);
    if (context == 0) context = HelpContext(control->parentWidget());
    if (context == 0) return;
    if (!viewer()) {
        OpenHelp(context);  // reports a missing help file itself
    } else if (!viewer()(platform::programFile(kHelpFileName), context)) {
        MessageDlg(QStringLiteral("Erreur: Vérifiez la présence du fichier .chm dans le dossier de Orvanel."),
                   MsgType::Error, mbOK);
    }
}

void setHelpViewer(HelpViewer v) { viewer() = std::move(v); }

void InstallFormHelp(QWidget* form) {
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), form);
    f1->setContext(Qt::WindowShortcut);
    QObject::connect(f1, &QShortcut::activated, form, [form] { FormHelpRequest(form); });
}
