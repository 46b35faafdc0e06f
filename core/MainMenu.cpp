// The main menu and the command list's pop-up menu: every item in its place,
// what each menu prepares when it opens, and the small handlers of the items
// that open windows.
#include "core/ActionIcons.h"
#include "core/CplBrd.h"
#include "core/Form.h"
#include "core/Services.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramMessages.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

namespace {

constexpr const char* kSeparator = nullptr;

// The items of each menu in their order: an item is named by its action or
// its sub-menu; items a topic has not built yet are left out. The order of
// the named items is the order of the language files' menu keys.
struct MenuPlan {
    const char* menu;  // the menu's object name; null: the menu bar
    std::initializer_list<const char*> items;
};
const MenuPlan kMenuPlans[] = {
    {nullptr, {"Macro1", "Edition1", "Executer1", "Outils1", "Aide1"}},
    {"Macro1",
     {"Nouveau1", "Ouvrir1", "Enregistrer1", "Enregistersous1", kSeparator, "Recents1", kSeparator, "Options1",
      kSeparator, "Imprimer1", "Crypter1", kSeparator, "Quitter1", kSeparator, "Aperuavantimpression1",
      "Exporterversexecutable1", "ExporterversOtherLangage1"}},
    {"Edition1",
     {"Dfaire1", "Refaire1", "Modificattion1", kSeparator, "Editer1", "Mode1", kSeparator, "Couper2", "Copier2",
      "Copierauformat1", "Coller2", "Collerapartirduntextesimple1", "Supprimer1", kSeparator, "Rechercher2",
      "Occurencesuivante1", "Remplacer1", kSeparator, "Inclusion1", kSeparator, "N2"}},
    {"Executer1",
     {"Execute1", "Paspas1", "Stop1", kSeparator, "Pointdarrt1", "Reprendrelexcution1", kSeparator,
      "Sauvegardeducontextedexcution1"}},
    {"Outils1",
     {"Dtailcommandes1", kSeparator, "Enregistrerunesequence1", "Spy1", "RechercherObjet1", kSeparator, "mesoutils1",
      "Gestionnairedetche1", "Gestiondesnouvellecommandes1", kSeparator, "valuer2"}},
    {"Aide1", {"Consulter1", "Rechercher3", kSeparator, "Apropos1"}},
    {"PopupMenu1",
     {"Monterdunniveau1", "Descendredunniveau1", kSeparator, "Couper1", "Copier1", "Coller1", "Supprimer2", kSeparator,
      "Insereruncommentaire1", "MiseenForme1", "Miseencommentaireprovisoirement1", kSeparator, "valuer1",
      "Rechercherladclaration1"}},
    {"PopupMenu2",
     {"Rafr1", "Enregister1", "Imprimer2", "Rechercher1", kSeparator, "Copier4", "Slctionnertout2", kSeparator,
      "Ignorercetteavertissement1", "Restituerlesavertissementsignors1"}},
};

QAction* newItem(QObject* owner, const char* name, const QString& text, const QKeySequence& key = {}) {
    auto* a = new QAction(text, owner);
    a->setObjectName(QLatin1String(name));
    a->setShortcut(key);
    return a;
}

QMenu* newSubMenu(QWidget* owner, const char* name, const QString& title) {
    auto* m = new QMenu(title, owner);
    m->setObjectName(QLatin1String(name));
    return m;
}

bool programHas(const QString& file) { return QFileInfo::exists(platform::programFile(file)); }

// Items with a shortcut work while their menu is closed: what a menu turned
// off for the time it was open is turned on again when it closes.
void prepareWhenOpen(QMenu* menu, const std::function<void()>& prepare) {
    auto* disabled = new QList<QPointer<QAction>>;
    QObject::connect(menu, &QObject::destroyed, menu, [disabled] { delete disabled; });
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, prepare, disabled] {
        QList<QAction*> enabled;
        for (QAction* a : menu->actions())
            if (a->isEnabled() && !a->shortcut().isEmpty()) enabled << a;
        prepare();
        disabled->clear();
        for (QAction* a : enabled)
            if (!a->isEnabled()) *disabled << a;
    });
    QObject::connect(menu, &QMenu::aboutToHide, menu, [disabled] {
        for (const QPointer<QAction>& a : *disabled)
            if (a) a->setEnabled(true);
        disabled->clear();
    });
}

// The options dialog, on one of its pages; null when it was not created.
QWidget* showOptions(QAction* options, const char* page) {
    options->trigger();
    QWidget* dialog = Window(19);
    if (!dialog) return nullptr;
    auto* pages = dialog->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    QWidget* sheet = dialog->findChild<QWidget*>(QLatin1String(page));
    if (pages && sheet && pages->indexOf(sheet) >= 0) {
        if (pages->currentWidget() == sheet) emit pages->currentChanged(pages->currentIndex());  // its handler runs
        else pages->setCurrentWidget(sheet);
    }
    return dialog;
}

void showWindow(QWidget* w) {
    if (!w) return;
    PlaceNear(*w, Form1);
    w->show();
    w->raise();
    w->activateWindow();
}

}  // namespace

void TForm1::buildMenus() {
    auto menu = [this](QMenu*& m, const char* name, const QString& title) {
        m = menuBar()->addMenu(title);
        m->setObjectName(QLatin1String(name));
    };
    menu(MenuFichier, "Macro1", QStringLiteral("&Macro"));
    menu(MenuEdition, "Edition1", QStringLiteral("&Edition"));
    MenuMode = newSubMenu(this, "Mode1", QStringLiteral("Mode"));
    menu(MenuExecuter, "Executer1", QStringLiteral("E&xecuter"));
    menu(MenuOutils, "Outils1", QStringLiteral("&Outils"));
    menu(MenuAide, "Aide1", QStringLiteral("&Aide"));

    Nouveau1 = newItem(MenuFichier, "Nouveau1", QStringLiteral("Nouveau"), QKeySequence(Qt::CTRL | Qt::Key_N));
    Options1 = newItem(MenuFichier, "Options1", QStringLiteral("Options"));
    Imprimer1 = newItem(MenuFichier, "Imprimer1", QStringLiteral("Imprimer"), QKeySequence(Qt::CTRL | Qt::Key_P));
    Quitter1 = newItem(MenuFichier, "Quitter1", QStringLiteral("Quitter"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    Aperuavantimpression1 = newItem(MenuFichier, "Aperuavantimpression1", QStringLiteral("Aperçu avant impression"));
    MenuFichier->addActions({Nouveau1, Options1, Imprimer1, Quitter1, Aperuavantimpression1});

    Editer1 = newItem(MenuEdition, "Editer1", QStringLiteral("Editer"), QKeySequence(Qt::Key_F2));
    Supprimer1 = newItem(MenuEdition, "Supprimer1", QStringLiteral("Supprimer"), QKeySequence(Qt::Key_Delete));
    QMenu* copyAs = newSubMenu(MenuEdition, "Copierauformat1", QStringLiteral("Copier au format..."));
    phpBB1 = copyAs->addAction(QStringLiteral("phpBB"));
    phpBB1->setObjectName(QStringLiteral("phpBB1"));
    HTML1 = copyAs->addAction(QStringLiteral("HTML"));
    HTML1->setObjectName(QStringLiteral("HTML1"));
    N2 = newItem(MenuEdition, "N2", QStringLiteral("Tout sélectionner"), QKeySequence(Qt::CTRL | Qt::Key_A));
    MenuEdition->addActions({Editer1, Supprimer1, N2});

    Edition2 = MenuMode->addAction(QStringLiteral("Edition"));
    Edition2->setObjectName(QStringLiteral("Edition2"));
    Insertion1 = MenuMode->addAction(QStringLiteral("Insertion"));
    Insertion1->setObjectName(QStringLiteral("Insertion1"));
    Edition2->setCheckable(true);
    Insertion1->setCheckable(true);
    Insertion1->setChecked(true);

    // The spy's entries are wired by the spy (InstallSpyMenus).
    Spy1 = newItem(MenuOutils, "Spy1", QStringLiteral("Spy (capture d'objet)"));
    RechercherObjet1 = newItem(MenuOutils, "RechercherObjet1", QStringLiteral("Rechercher Objets"));
    Gestionnairedetche1 = newItem(MenuOutils, "Gestionnairedetche1", QStringLiteral("Gestionnaire de tâche"));
    MenuOutils->addActions({Spy1, RechercherObjet1, Gestionnairedetche1});

    Consulter1 = newItem(MenuAide, "Consulter1", QStringLiteral("Consulter"));
    Apropos1 = newItem(MenuAide, "Apropos1", QStringLiteral("A propos..."));
    MenuAide->addActions({Consulter1, Apropos1});

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Monterdunniveau1 = newItem(PopupMenu1, "Monterdunniveau1", QStringLiteral("Monter d'un niveau"),
                               QKeySequence(Qt::CTRL | Qt::Key_Up));
    Descendredunniveau1 = newItem(PopupMenu1, "Descendredunniveau1", QStringLiteral("Descendre d'un niveau"),
                                  QKeySequence(Qt::CTRL | Qt::Key_Down));
    Insereruncommentaire1 = newItem(PopupMenu1, "Insereruncommentaire1", QStringLiteral("Inserer un commentaire"));
    MiseenForme1 = newItem(PopupMenu1, "MiseenForme1", QStringLiteral("Mise en Forme ( *** texte *** )"));
    QMenu* comment = newSubMenu(PopupMenu1, "Miseencommentaireprovisoirement1",
                                QStringLiteral("Mise en commentaire provisoirement"));
    Activer1 = comment->addAction(QStringLiteral("Activer"));
    Activer1->setObjectName(QStringLiteral("Activer1"));
    Dsactiver1 = comment->addAction(QStringLiteral("Désactiver"));
    Dsactiver1->setObjectName(QStringLiteral("Dsactiver1"));
    PopupMenu1->addActions({Monterdunniveau1, Descendredunniveau1, Insereruncommentaire1, MiseenForme1});
    PopupMenu1->addMenu(comment);
    addActions({Monterdunniveau1, Descendredunniveau1, N2});  // shortcuts work without the pop-up open

    connect(Nouveau1, &QAction::triggered, this, &TForm1::Nouveau1Click);
    connect(Options1, &QAction::triggered, this, &TForm1::Options1Click);
    connect(Imprimer1, &QAction::triggered, this, &TForm1::Imprimer1Click);
    connect(Quitter1, &QAction::triggered, this, &QWidget::close);
    connect(Aperuavantimpression1, &QAction::triggered, this, &TForm1::Aperuavantimpression1Click);
    connect(Editer1, &QAction::triggered, this, &TForm1::Editer1Click);
    connect(Supprimer1, &QAction::triggered, this, &TForm1::Supprimer1Click);
    connect(phpBB1, &QAction::triggered, this, &TForm1::phpBB1Click);
    connect(HTML1, &QAction::triggered, this, &TForm1::HTML1Click);
    connect(N2, &QAction::triggered, this, &TForm1::N2Click);
    connect(Edition2, &QAction::triggered, this, &TForm1::Edition2Click);
    connect(Insertion1, &QAction::triggered, this, &TForm1::Insertion1Click);
    connect(Gestionnairedetche1, &QAction::triggered, this, &TForm1::Gestionnairedetche1Click);
    connect(Consulter1, &QAction::triggered, this, &TForm1::Consulter1Click);
    connect(Apropos1, &QAction::triggered, this, &TForm1::Apropos1Click);
    connect(Monterdunniveau1, &QAction::triggered, this, &TForm1::Monterdunniveau1Click);
    connect(Descendredunniveau1, &QAction::triggered, this, &TForm1::Descendredunniveau1Click);
    connect(Insereruncommentaire1, &QAction::triggered, this, &TForm1::Insereruncommentaire1Click);
    connect(MiseenForme1, &QAction::triggered, this, &TForm1::MiseenForme1Click);
    connect(Activer1, &QAction::triggered, this, &TForm1::Activer1Click);
    connect(Dsactiver1, &QAction::triggered, this, &TForm1::Dsactiver1Click);
    prepareWhenOpen(MenuFichier, [this] { Macro1Click(); });
    prepareWhenOpen(MenuEdition, [this] { Edition1Click(); });
    prepareWhenOpen(MenuOutils, [this] { Outils1Click(); });
    prepareWhenOpen(PopupMenu1, [this] { PopupMenu1Popup(); });
}

void TForm1::ArrangeMainMenu() {
    auto container = [this](const char* name) -> QWidget* {
        return name ? findChild<QMenu*>(QLatin1String(name)) : static_cast<QWidget*>(menuBar());
    };
    auto item = [this](const char* name) -> QAction* {
        if (auto* m = findChild<QMenu*>(QLatin1String(name))) return m->menuAction();
        return findChild<QAction*>(QLatin1String(name));
    };
    // Every item leaves the menus; each goes to its planned place, the others
    // back to the end of the menu they were in.
    QSet<QAction*> planned;
    for (const MenuPlan& plan : kMenuPlans)
        for (const char* name : plan.items)
            if (QAction* a = name ? item(name) : nullptr) planned << a;
    QHash<QWidget*, QList<QAction*>> before;
    for (const MenuPlan& plan : kMenuPlans) {
        QWidget* menu = container(plan.menu);
        if (!menu) continue;
        for (QAction* a : menu->actions()) {
            menu->removeAction(a);
            if (a->isSeparator() && a->parent() == menu) delete a;
            else if (!planned.contains(a)) before[menu] << a;
        }
    }
    for (const MenuPlan& plan : kMenuPlans) {
        QWidget* menu = container(plan.menu);
        if (!menu) continue;
        auto* asMenu = qobject_cast<QMenu*>(menu);
        bool separate = false;
        auto add = [&](QAction* a) {
            if (separate && asMenu && !menu->actions().isEmpty()) asMenu->addSeparator();
            separate = false;
            menu->addAction(a);
        };
        for (const char* name : plan.items) {
            if (!name) separate = true;
            else if (QAction* a = item(name)) add(a);
        }
        separate = true;
        for (QAction* a : before.value(menu)) add(a);
    }
    ShowActionIcons(*this);
}

void TForm1::ArrangeViews() {
    ArrangeMainMenu();
    if (Enregistrerunesequence1)
        connect(Enregistrerunesequence1, &QAction::triggered, this, &TForm1::Enregistrerunesequence1Click,
                Qt::UniqueConnection);
    // The lower tabs in the order of their names (TabSheet1, TabSheet2...).
    QTabBar* tabs = PageControl1->tabBar();
    auto number = [this](int i) { return PageControl1->widget(i)->objectName().mid(8).toInt(); };
    for (int i = 1; i < PageControl1->count(); ++i)
        for (int j = i; j > 0 && number(j) < number(j - 1); --j) tabs->moveTab(j, j - 1);
    // The pop-up of the bottom panel opens on its tabs and on the report.
    auto* popup = findChild<QMenu*>(QStringLiteral("PopupMenu2"));
    for (QWidget* w : {static_cast<QWidget*>(tabs), static_cast<QWidget*>(RichEdit1)}) {
        if (!w || w->contextMenuPolicy() == Qt::CustomContextMenu) continue;
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, popup, [w, popup](const QPoint& p) { popup->popup(w->mapToGlobal(p)); });
    }
}

void TForm1::Macro1Click() {
    const bool hasFile = QFileInfo(StatusPanel[0]->text()).isFile();
    if (Crypter1) Crypter1->setEnabled(hasFile);
    if (auto* exporter = findChild<QAction*>(QStringLiteral("Exporterversexecutable1")))
        exporter->setEnabled(hasFile && programHas(QStringLiteral("DivOV.exe")));
}

void TForm1::Edition1Click() {
    Collerapartirduntextesimple1->setEnabled(!CplBrd::GetClipboardText().isEmpty());
    Dfaire1->setEnabled(SpeedButton25->isEnabled());
    Refaire1->setEnabled(SpeedButton23->isEnabled());
    Modificattion1->setEnabled(!PageControl1->isTabVisible(PageControl1->indexOf(TabSheet5)));
    Coller2->setEnabled(QFileInfo::exists(CplBrd::ClipboardFileName()));
}

void TForm1::Outils1Click() {
    valuer2->setChecked(PageControl1->isTabVisible(PageControl1->indexOf(TabSheet4)));
    Gestionnairedetche1->setEnabled(QFileInfo(StatusPanel[0]->text()).isFile());
    Gestionnairedetche1->setVisible(programHas(platform::kLaunchProgram));
}

void TForm1::PopupMenu1Popup() {
    const QList<int> rows = ListView1->selectedRows();
    const int row = rows.isEmpty() ? -1 : rows.first();
    const bool selected = row >= 0;
    for (QAction* a : {Supprimer2, Couper1, Copier1, Monterdunniveau1, Descendredunniveau1, Activer1, Dsactiver1})
        a->setEnabled(selected);
    MiseenForme1->setVisible(selected && ListView1->keyword(row) == u"Commentaire");
    Rechercherladclaration1->setVisible(selected && ListView1->keyword(row) == u"Procedure" &&
                                        ListView1->params(row).startsWith(QLatin1String("CALL")));
    Coller1->setEnabled(QFileInfo::exists(CplBrd::ClipboardFileName()));
    valuer1->setVisible(
        std::any_of(rows.begin(), rows.end(), [this](int r) { return ListView1->keyword(r) == u"Variable"; }));
}

void TForm1::N2Click() {
    QWidget* field = CplBrd::GetActiveDialogEdit();
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit()) return combo->lineEdit()->selectAll();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) return edit->selectAll();
    if (auto* memo = qobject_cast<QTextEdit*>(field)) return memo->selectAll();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(field)) return memo->selectAll();
    if (!ListView1->isVisible()) return;
    ListView1->setFocus();
    ListView1->selectAll();
}

void TForm1::Options1Click() {
    QWidget* options = Window(19);
    if (!options) return;
    if (auto* save = options->findChild<QPushButton*>(QStringLiteral("Button6")))
        save->setEnabled(StatusPanel[0]->text() != u"Nouvelle macro");
    showWindow(options);
}

void TForm1::Gestionnairedetche1Click() { showOptions(Options1, "TabSheet7"); }

void TForm1::Apropos1Click() { showWindow(Window(23)); }

void TForm1::Consulter1Click() { OpenHelp(0); }

void TForm1::Insereruncommentaire1Click() { Services().OpenAddDialog(QStringLiteral("Commentaire")); }

void TForm1::Enregistrerunesequence1Click() { Services().ShowRecorder(); }

QWidget* TForm1::ShowOptionsPage(const char* page) { return showOptions(Options1, page); }
