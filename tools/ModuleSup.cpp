#include "tools/ModuleSup.h"

#include "core/BuildInfo.h"
#include "core/CommandTree.h"
#include "core/CommandTreeNodes.h"
#include "core/Description.h"
#include "core/Dialogs.h"
#include "core/Form.h"
#include "core/MacroList.h"
#include "core/MessageTexts.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "platform/IniFile.h"
#include "platform/Mail.h"
#include "platform/ProgramFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

// The menu items of a menu section, key prefix + (position + 1); null: no such key.
struct MenuKeys {
    const char* section;
    const char* prefix;
    std::initializer_list<const char*> items;
};
const MenuKeys kMenuKeys[] = {
    {"Menu1", "Macro",
     {"Macro1", "Nouveau1", "Ouvrir1", "Enregistrer1", "Enregistersous1", "Recents1", "Options1", "Imprimer1",
      "Crypter1", "Quitter1", "Aperuavantimpression1", "Exporterversexecutable1"}},
    {"Menu1", "Edit",
     {"Edition1", "Dfaire1", "Editer1", "Mode1", "Edition2", "Insertion1", "Couper2", "Copier2", "Coller2",
      "Supprimer1", "Rechercher2", "Danslescommandes1", "Danslesparamtres1", "Danslescommandesetparamtres1",
      "Remplacer1", "N2"}},
    {"Menu1", "Exec",
     {"Executer1", "Execute1", "Paspas1", "Stop1", "Pointdarrt1", "Reprendrelexcution1", nullptr, nullptr,
      "Sauvegardeducontextedexcution1"}},
    {"Menu1", "Tool",
     {"Outils1", "Dtailcommandes1", "Enregistrerunesequence1", "Spy1", "RechercherObjet1", "mesoutils1", nullptr,
      "Gestiondesnouvellecommandes1", "valuer2"}},
    {"Menu1", "Help", {"Aide1", "Consulter1", "Apropos1"}},
    {"Menu2", "Chx",
     {"Monterdunniveau1", "Descendredunniveau1", "Couper1", "Copier1", "Coller1", "Supprimer2",
      "Insereruncommentaire1"}},
    {"Menu3", "Chx", {"Rafr1", "Enregister1", "Imprimer2", "Rechercher1"}},
    {"Menu4", "Chx", {"Quitter2"}},
    {"Menu5", "Chx",
     {"Annuler1", "Couper3", "Copier3", "Coller3", "Supprimer3", "SlctionnerTout1", "Enregistrer2",
      "Envoyeralauteur1"}},
    {"Menu6", "Chx", {"Ajouter1", "Modifier1", "Supprimer4", "Reinitialiertouteslesvariable1",
                      "Supprimertouteslesvariables1"}},
};

// The tool-bar buttons whose hints are the captions of menu items.
const std::pair<const char*, const char*> kToolBarHints[] = {
    {"SpeedButton100", "Nouveau1"}, {"SpeedButton101", "Ouvrir1"},   {"SpeedButton102", "Enregistrer1"},
    {"SpeedButton103", "Execute1"}, {"SpeedButton104", "Paspas1"},   {"SpeedButton105", "Stop1"},
    {"SpeedButton106", "Couper2"},  {"SpeedButton107", "Copier2"},   {"SpeedButton108", "Coller2"},
    {"SpeedButton109", "Supprimer1"}, {"SpeedButton110", "valuer1"}, {"SpeedButton111", "Pointdarrt1"},
};

// A palette button and a dialog named after a node of the command tree.
struct CommandNameText {
    int button;
    int form;  // 0: none
    const char16_t* node;
};
const CommandNameText kCommandNameTexts[] = {
    {1, 2, u"Clavier > Tape de Texte"},     {2, 4, u"Clavier > Combinaison de touche"},
    {5, 26, u"Exécute"},                    {10, 9, u"Fenêtre > Question"},
    {11, 11, u"Examine"},                   {12, 12, u"Calcul"},
    {15, 15, u"Lire et Ecrire"},            {18, 30, u"Champs > Champs"},
    {22, 24, u"Calcul > Évolué"},           {3, 6, u"Souris > Clique"},
    {4, 5, u"Souris > Déplacement"},        {8, 7, u"Pause > Pause"},
    {9, 8, u"Variable"},                    {13, 13, u"Fonction"},
    {14, 0, u"Quitter > Quitter"},          {16, 18, u"Manipulation sur objet"},
    {17, 27, u"Outils divers"},             {19, 22, u"Trouve Image > Trouve Image"},
};

QString plain(const QString& caption) { return QString(caption).remove(u'&'); }

// The tab widget a page belongs to, or null.
QTabWidget* tabsOf(QWidget* page) {
    QWidget* stack = page ? page->parentWidget() : nullptr;
    return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

// Notes what of a component a language file has set: "text", "hint",
// "caption", "item<n>", "column<n>".
void noteSet(QObject* o, const QString& aspect) {
    QStringList set = o->property("languageSet").toStringList();
    if (set.contains(aspect)) return;
    set << aspect;
    o->setProperty("languageSet", set);
}

// The text a language file sets on a component: caption, text or title.
void setText(QObject* o, const QString& value) {
    if (auto* a = qobject_cast<QAction*>(o)) a->setText(value);
    else if (auto* m = qobject_cast<QMenu*>(o)) m->setTitle(value);
    else if (auto* b = qobject_cast<QAbstractButton*>(o)) b->setText(value);
    else if (auto* l = qobject_cast<QLabel*>(o)) l->setText(value);
    else if (auto* e = qobject_cast<QLineEdit*>(o)) e->setText(value);
    else if (auto* g = qobject_cast<QGroupBox*>(o)) g->setTitle(value);
    else if (auto* t = qobject_cast<QToolBar*>(o)) t->setWindowTitle(value);
    else if (auto* c = qobject_cast<QComboBox*>(o); c && c->isEditable()) c->setEditText(value);
    else if (auto* w = qobject_cast<QWidget*>(o); w && tabsOf(w)) tabsOf(w)->setTabText(tabsOf(w)->indexOf(w), value);
    else if (w && w->isWindow()) w->setWindowTitle(value);
}

// The values of a language file lose the blanks around them: a label or a
// button keeps those its text had (they place it beside its neighbours).
QString withBlanksOf(const QObject* o, const QString& value) {
    QString text;
    if (auto* l = qobject_cast<const QLabel*>(o)) text = l->text();
    else if (auto* b = qobject_cast<const QAbstractButton*>(o)) text = b->text();
    else if (auto* g = qobject_cast<const QGroupBox*>(o)) text = g->title();
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return value;
    const qsizetype lead = text.indexOf(trimmed);
    return text.left(lead) + value + text.mid(lead + trimmed.size());
}

void setHint(QObject* o, const QString& value) {
    noteSet(o, u"hint"_s);
    if (auto* a = qobject_cast<QAction*>(o)) a->setToolTip(value);
    else if (auto* w = qobject_cast<QWidget*>(o)) w->setToolTip(value);
}

void setCaption(QWidget* window, const QString& value) {
    noteSet(window, u"caption"_s);
    window->setWindowTitle(value);
}

// Item n of a radio group (a group box of option buttons) or of a list.
bool setItem(QObject* o, int n, const QString& value) {
    if (auto* combo = qobject_cast<QComboBox*>(o); combo && n >= 1 && n <= combo->count()) {
        combo->setItemText(n - 1, value);
    } else if (auto* group = qobject_cast<QGroupBox*>(o)) {
        const QList<QRadioButton*> items = group->findChildren<QRadioButton*>();
        if (n < 1 || n > items.size()) return false;
        items[n - 1]->setText(value);
    } else {
        return false;
    }
    noteSet(o, u"item%1"_s.arg(n));
    return true;
}

// Column n of a list's header.
bool setColumn(QObject* o, int n, const QString& value) {
    auto* view = qobject_cast<QAbstractItemView*>(o);
    if (!view || !view->model() || n < 1 || n > view->model()->columnCount()) return false;
    if (auto* tree = qobject_cast<QTreeWidget*>(view)) tree->headerItem()->setText(n - 1, value);
    else view->model()->setHeaderData(n - 1, Qt::Horizontal, value);
    noteSet(o, u"column%1"_s.arg(n));
    return true;
}

// The component of that name in a window, the nearest first, outside the
// dialogs the window owns (their components are named after the dialog).
QObject* componentOf(QObject* window, const QString& name) {
    QList<QObject*> level = window->children();
    while (!level.isEmpty()) {
        for (QObject* o : std::as_const(level))
            if (o->objectName() == name) return o;
        QList<QObject*> next;
        for (QObject* o : std::as_const(level)) {
            const auto* w = qobject_cast<QWidget*>(o);
            if (!w || !w->isWindow() || qobject_cast<const QMenu*>(w)) next += o->children();
        }
        level = next;
    }
    return nullptr;
}

// One key of a window's section: "Caption" (the window's title), or the
// path of a component (its name, after the names of the windows it lies in,
// joined by "."): its text; the path followed by ".Hint": its hint; the path
// with "Ch" and n after the name: item n of a radio group or a list, with
// "Col" and n: column n of a list.
void applyKey(QWidget* window, const QString& key, const QString& value) {
    if (key == u"Caption") return setCaption(window, value);
    QStringList path = key.split(u'.');
    const bool hint = path.size() > 1 && path.last() == u"Hint";
    if (hint) path.removeLast();
    QObject* scope = window;
    for (qsizetype i = 0; scope && i + 1 < path.size(); ++i) scope = componentOf(scope, path[i]);
    if (!scope) return;
    if (QObject* target = componentOf(scope, path.last())) {
        if (hint) return setHint(target, value);
        noteSet(target, u"text"_s);
        return setText(target, withBlanksOf(target, value));
    }
    static const QRegularExpression partKey(u"^(.+)(Ch|Col)(\\d+)$"_s);
    const QRegularExpressionMatch m = partKey.match(path.last());
    QObject* target = m.hasMatch() && !hint ? componentOf(scope, m.captured(1)) : nullptr;
    if (!target) return;
    if (m.captured(2) == u"Ch") setItem(target, m.captured(3).toInt(), value);
    else setColumn(target, m.captured(3).toInt(), value);
}

// A label built of a translated text and something after it: the text
// replaces the base kept from the previous load, never what follows.
void setLabelWithTail(QLabel* label, const platform::IniFile& ini, const QString& section, const QString& tail) {
    if (!label) return;
    QString base = label->property("languageBase").toString();
    if (!label->property("languageBase").isValid()) {
        base = label->text();
        if (base.endsWith(u' ' + tail)) base.chop(tail.size() + 1);
    }
    if (ini.ValueExists(section, label->objectName())) noteSet(label, u"text"_s);
    base = ini.ReadString(section, label->objectName(), base);
    label->setProperty("languageBase", base);
    label->setText(base + u' ' + tail);
}

QObject* formItem(const QString& name) {
    if (auto* m = Form1->findChild<QMenu*>(name)) return m;
    return Form1->findChild<QAction*>(name);
}

QString itemText(const QObject* o) {
    if (auto* m = qobject_cast<const QMenu*>(o)) return m->title();
    if (auto* a = qobject_cast<const QAction*>(o)) return a->text();
    return {};
}

void applyMenus(const platform::IniFile& ini) {
    for (const MenuKeys& keys : kMenuKeys) {
        const QString section = QLatin1String(keys.section);
        int n = 0;
        for (const char* name : keys.items) {
            const QString key = QLatin1String(keys.prefix) + QString::number(++n);
            QObject* item = name ? formItem(QLatin1String(name)) : nullptr;
            if (item && ini.ValueExists(section, key)) noteSet(item, u"text"_s);
            if (section == u"Menu1" && key.startsWith(u"Exec"_s) && !MessageText(section, key).isEmpty()) {
                SetMessageText(section, key, ini.ReadString(section, key, MessageText(section, key)));
                if (item) setText(item, MessageText(section, key));
                if (key == u"Exec9")
                    for (const char* message : {"Error_with_edit", "Error_without_edit"})
                        SetMessageText(u"Form1"_s, QLatin1String(message),
                                       ini.ReadString(u"Form1"_s, QLatin1String(message),
                                                      MessageText(u"Form1"_s, QLatin1String(message))));
                continue;
            }
            if (item && ini.ValueExists(section, key)) setText(item, ini.ReadString(section, key, QString()));
            if (key == u"Tool2" && item) {
                Form1->Panel4->setText(plain(itemText(item)));
                if (ini.ValueExists(section, key)) noteSet(Form1->Panel4, u"text"_s);
            }
        }
    }
}

// A property of a palette button or a dialog follows the name of the node
// it stands for; a node the language leaves untranslated gives its built-in
// text back.
void followCommandName(const CommandNameText& t, QObject* o, const char* property) {
    if (!o) return;
    for (int i = 0; i < TAllDetailOrder.size(); ++i) {
        QTreeWidgetItem* node = ItemAtAbsoluteIndex(Form1->TreeView1, i);
        QStringList path;
        for (int level = 0; node && level < 3; ++level, node = node->parent())
            path.prepend(TAllDetailOrder.value(AbsoluteIndex(node)).BaseName);
        if (path.join(u" > "_s) != QString::fromUtf16(t.node)) continue;
        const QString display = TAllDetailOrder[i].DisplayName, base = TAllDetailOrder[i].BaseName;
        const QByteArray builtIn = QByteArray("builtIn_") + property;
        if (!o->property(builtIn).isValid()) o->setProperty(builtIn, o->property(property));
        o->setProperty(property, display == base ? o->property(builtIn) : QVariant(display));
        noteSet(o, qstrcmp(property, "toolTip") == 0 ? u"hint"_s : u"caption"_s);
        return;
    }
}

// The captions a window takes from the names of commands and menu items.
void applyNamedCaption(QWidget& window) {
    for (const CommandNameText& t : kCommandNameTexts)
        if (t.form && MadeWindow(t.form) == &window) followCommandName(t, &window, "windowTitle");
    if (&window == MadeWindow(23) && Form1->Apropos1) setCaption(&window, plain(Form1->Apropos1->text()));
}

// Palette hints and dialog captions follow the names of their nodes.
void applyCommandNames() {
    for (const CommandNameText& t : kCommandNameTexts) followCommandName(t, Form1->PaletteButton(t.button), "toolTip");
    for (const auto& [number, keyword] : {std::pair{6, u"Label"_s}, {7, u"Goto"_s}})  // keywords in every language
        if (auto* b = Form1->PaletteButton(number)) {
            b->setToolTip(keyword);
            noteSet(b, u"hint"_s);
        }
    for (QWidget* window : MadeWindows()) applyNamedCaption(*window);
}

void applyMainWindow(const platform::IniFile& ini) {
    const QString section = u"Form1"_s;
    for (int i = 1; i <= 7; ++i)
        if (QWidget* page = Form1->findChild<QWidget*>(u"TabSheet%1"_s.arg(i)); page && tabsOf(page)) {
            QTabWidget* tabs = tabsOf(page);
            if (ini.ValueExists(section, page->objectName())) noteSet(page, u"text"_s);
            tabs->setTabText(tabs->indexOf(page),
                             ini.ReadString(section, page->objectName(), tabs->tabText(tabs->indexOf(page))));
        }
    for (int i = 1; i <= kNamedCommandNodes; ++i) {
        QTreeWidgetItem* node = ItemAtAbsoluteIndex(Form1->TreeView1, i - 1);
        SetCommandDisplayName(ini.ReadString(section, u"Item%1"_s.arg(i), node ? node->text(0) : QString()), i - 1);
    }
    for (const auto& [button, item] : kToolBarHints) {
        auto* b = Form1->findChild<QAbstractButton*>(QLatin1String(button));
        if (auto* a = Form1->findChild<QAction*>(QLatin1String(item)); a && b) {
            b->setToolTip(plain(a->text()));
            if (a->property("languageSet").isValid()) noteSet(b, u"hint"_s);
        }
    }
    applyCommandNames();
    for (const char* name : {"SpeedButton19", "SpeedButton20", "SpeedButton21", "SpeedButton22", "SpeedButton23",
                             "SpeedButton24", "SpeedButton25", "SpeedButton28", "CheckBox1", "CheckBox3"}) {
        const QString key = QLatin1String(name);
        if (!ini.ValueExists(section, key)) continue;
        if (auto* b = Form1->findChild<QAbstractButton*>(key)) b->setText(ini.ReadString(section, key, b->text()));
    }
    const QString order = ini.ReadString(section, u"Order"_s, QString());
    const QString parameter = ini.ReadString(section, u"Parameter"_s, QString());
    for (const auto& [column, key, text] : {std::tuple{0, u"Order"_s, order}, {1, u"Parameter"_s, parameter}}) {
        if (!ini.ValueExists(section, key)) continue;
        setColumn(Form1->ListView1, column + 1, text);
        if (auto* history = Form1->findChild<QTreeWidget*>(u"ListView4"_s)) setColumn(history, column + 3, text);
    }
}

// The language file applied last, which windows made later get too; kept
// by the main window, whose windows it speaks to.
const char* const kLanguageInUse = "languageFile";

}  // namespace

void ApplyLanguageSection(const platform::IniFile& ini, const QString& section, QWidget* window) {
    for (const QString& key : ini.ReadSection(section))
        if (!MessageText(section, key).isEmpty()) SetMessageText(section, key, ini.ReadString(section, key, QString()));
    if (!window) return;
    QLabel* label36 = window->findChild<QLabel*>(u"Label36"_s);
    for (const QString& key : ini.ReadSection(section)) {
        const QString value = ini.ReadString(section, key, QString());
        if (!MessageText(section, key).isEmpty()) continue;
        if (section == u"Form19" && key.compare(u"Label30", Qt::CaseInsensitive) == 0) continue;
        if (section == u"Form19" && key.compare(u"Label35", Qt::CaseInsensitive) == 0) continue;
        applyKey(window, key, value);
    }
    if (section == u"Form19") {
        // The last screen mode is "Pas de changement".
        if (auto* modes = window->findChild<QComboBox*>(u"ComboBox1"_s); modes && modes->count() > 0) {
            modes->setItemText(modes->count() - 1, MessageText(section, u"Lgn_No_Change"_s));
            if (ini.ValueExists(section, u"Lgn_No_Change"_s)) noteSet(modes, u"item%1"_s.arg(modes->count()));
        }
        setLabelWithTail(window->findChild<QLabel*>(u"Label30"_s), ini, section, ProgramBuildDate());
        if (label36) setLabelWithTail(window->findChild<QLabel*>(u"Label35"_s), ini, section, label36->text());
    }
}

void LoadLanguageFile(const QString& name) {
    LoadDescriptionLines();
    const QString path = platform::programFile(name + u".lng"_s);
    if (!Form1.made() || !QFileInfo(path).isFile()) return;
    UseQtTranslation(name);
    const platform::IniFile ini(path);
    applyMenus(ini);
    applyMainWindow(ini);
    for (int n = 1; n <= kLastWindow; ++n) ApplyLanguageSection(ini, u"Form%1"_s.arg(n), MadeWindow(n));
    Form1->setProperty(kLanguageInUse, path);
    for (const QString& key : ini.ReadSection(u"Debug"_s))
        SetMessageText(u"Debug"_s, key, ini.ReadString(u"Debug"_s, key, QString()));
    Form1->UpdateStatusPanels();
    if (Form1->StatusPanel[0]->text() == u"Nouvelle macro") QApplication::setApplicationName(NewMacroCaption());
    Form1->setWindowTitle(Form1->GetStateCaption());
}

void ApplyLanguageToWindow(QWidget& window) {
    const QString path = Form1.made() ? Form1.made()->property(kLanguageInUse).toString() : QString();
    if (path.isEmpty() || &window == Form1.made()) return;
    const platform::IniFile ini(path);
    applyNamedCaption(window);
    ApplyLanguageSection(ini, window.objectName(), &window);
}

QStringList LanguageTextsSet(const QObject* component) { return component->property("languageSet").toStringList(); }

void UseQtTranslation(const QString& language) {
    static QTranslator* installed = nullptr;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        if (locale.nativeLanguageName().compare(language, Qt::CaseInsensitive) != 0 &&
            QLocale::languageToString(locale.language()).compare(language, Qt::CaseInsensitive) != 0)
            continue;
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QLocale(locale.language()), u"qtbase"_s, u"_"_s,
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(translator);
            installed = translator;
        } else {
            delete translator;
        }
        return;
    }
}

int SendMailMapi(const QStringList& lines) {
    auto value = [&lines](const QString& name) {
        for (const QString& line : lines)
            if (line.section(u'=', 0, 0) == name) return line.section(u'=', 1);
        return QString();
    };
    platform::MailMessage mail{value(u"to"_s), value(u"subject"_s), value(u"body"_s), {}};
    for (int n = 0;; ++n) {
        const QString file = value(u"attachment%1"_s.arg(n));
        if (file.isEmpty()) break;
        mail.attachments << file;
    }
    const int result = platform::ComposeMail(mail);
    if (result != 0) MessageDlg(u"Error while trying to send email"_s, MsgType::Error, mbOK, u"Error"_s);
    return result;
}
