#include "core/ActionIcons.h"

#include "core/DrawnIcons.h"
#include "core/MacroList.h"
#include "core/WatchList.h"

#include <QAbstractButton>
#include <QAction>
#include <QHash>
#include <QMenu>
#include <QToolBar>
#include <QWidget>
#include <cstring>

namespace {

// The items that show a picture, by object name, with the picture's name.
constexpr std::pair<const char*, const char*> kItemIcons[] = {
    {"Nouveau1", "new"},          {"Ouvrir1", "open"},
    {"Enregistrer1", "save"},     {"Enregistersous1", "save-as"},
    {"Imprimer1", "print"},       {"Options1", "options"},
    {"Couper1", "cut"},           {"Couper2", "cut"},
    {"SpeedButton106", "cut"},    {"Copier1", "copy"},
    {"Copier2", "copy"},          {"SpeedButton107", "copy"},
    {"Coller1", "paste"},         {"Coller2", "paste"},
    {"SpeedButton108", "paste"},  {"Supprimer1", "delete"},
    {"Supprimer2", "delete"},     {"SpeedButton109", "delete"},
    {"Dfaire1", "undo"},          {"SpeedButton25", "undo"},
    {"Refaire1", "redo"},         {"SpeedButton23", "redo"},
    {"Rechercher2", "find"},      {"Remplacer1", "replace"},
    {"Execute1", "run"},          {"SpeedButton103", "run"},
    {"Paspas1", "step"},          {"SpeedButton29", "pause"},
    {"Stop1", "stop"},            {"SpeedButton105", "stop"},
    {"Pointdarrt1", "breakpoint"}, {"SpeedButton111", "breakpoint"},
    {"valuer1", "evaluate"},      {"valuer2", "evaluate"},
    {"SpeedButton110", "evaluate"}, {"Spy1", "spy"},
    {"RechercherObjet1", "window-list"}, {"Enregistrerunesequence1", "recorder"},
    {"Gestiondesnouvellecommandes1", "plugins"}, {"Apropos1", "about"},
    {"Apropos2", "about"},        {"Consulter1", "help"},
};

}  // namespace

QIcon ActionIcon(const char* name) {
    if (std::strcmp(name, "breakpoint") == 0) return CommandIcons::icon(kBreakpointIcon);
    if (std::strcmp(name, "evaluate") == 0) return CommandIcons::icon(kWatchIcon);
    static QHash<QByteArray, QIcon> drawn;
    auto it = drawn.find(name);
    if (it == drawn.end()) it = drawn.insert(name, DrawnIcon(QStringLiteral(":/actionicons/") + QLatin1String(name)));
    return *it;
}

void ShowActionIcons(QWidget& window) {
    for (const auto& [item, picture] : kItemIcons) {
        const QString name = QLatin1String(item);
        if (auto* menu = window.findChild<QMenu*>(name)) menu->setIcon(ActionIcon(picture));
        else if (auto* action = window.findChild<QAction*>(name)) action->setIcon(ActionIcon(picture));
        else if (auto* button = window.findChild<QAbstractButton*>(name)) {
            button->setIcon(ActionIcon(picture));
            // A tool bar's button shows its picture at the tool bar's size.
            if (auto* bar = qobject_cast<QToolBar*>(button->parentWidget())) button->setIconSize(bar->iconSize());
        }
    }
}
