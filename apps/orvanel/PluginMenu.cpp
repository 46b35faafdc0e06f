#include "apps/orvanel/PluginMenu.h"

#include "core/Unit1.h"
#include "tools/Unit19.h"

#include <QAction>
#include <QMenu>

void AddPluginMenu(TForm1& form) {
    QAction* item = form.MenuOutils->addAction(QStringLiteral("Gestion des plug-ins"));
    item->setObjectName(QStringLiteral("Gestiondesnouvellecommandes1"));
    QObject::connect(item, &QAction::triggered, item, &Gestiondesnouvellecommandes1Click);
}

// The options dialog as its own menu entry opens it, then its plug-ins tab
// (the tab's change handler follows the change).
void Gestiondesnouvellecommandes1Click() {
    if (auto* options = Form1.made() ? Form1->findChild<QAction*>(QStringLiteral("Options1")) : nullptr)
        options->trigger();
    else
        Form19->show();
    Form19->PageControl1->setCurrentWidget(Form19->TabSheet9);
    Form19->raise();
}
