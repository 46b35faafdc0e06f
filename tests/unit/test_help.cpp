// The texts the program ships in each language: a description of every node
// of the command tree and of every command, and the help pages built from
// them, one section per help context, opened by F1 in the chosen language.
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"

#include "core/CommandNames.h"
#include "core/CommandTree.h"
#include "core/Description.h"
#include "core/Form.h"
#include "core/HelpContext.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "editors/CommandDialog.h"
#include "editors/CommandTree.h"
#include "editors/Unit8.h"
#include "editors/PluginPalette.h"
#include "engine/GestionCommande.h"
#include "platform/ProgramFolder.h"
#include "tools/ModuleSup.h"

#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QStringList kLanguages = {u"Français"_s, u"English"_s};

// Where each command is described: its node of the tree (built-in path), or,
// for a command no node stands for, the block under its keyword.
struct CommandPlace {
    const char16_t* keyword;
    const char16_t* node;  // null: no node
};
constexpr CommandPlace kCommandPlaces[] = {
    {u"Goto", u"Label & Goto > Goto"},
    {u"Procedure", u"Procédure"},
    {u"Label", u"Label & Goto > Label"},
    {u"Examine", u"Examine"},
    {u"Variable", u"Variable"},
    {u"ScriptEval", u"Script"},
    {u"Move Mouse", u"Souris > Déplacement"},
    {u"Click", u"Souris > Clique"},
    {u"Trouve image", u"Trouve Image > Trouve Image"},
    {u"Lire", u"Lire et Ecrire > Lire"},
    {u"Ecrire", u"Lire et Ecrire > Ecrire"},
    {u"Calcul", u"Calcul"},
    {u"Calcul évolué", u"Calcul > Évolué"},
    {u"Fonction", u"Fonction"},
    {u"Commentaire", u"Commentaire > Commentaire"},
    {u"Champs", u"Champs > Champs"},
    {u"Type", u"Clavier > Tape de Texte"},
    {u"Execute", u"Exécute"},
    {u"Parcours souris", nullptr},
    {u"Type Special", u"Clavier > Combinaison de touche"},
    {u"Objet", u"Objet > Objet"},
    {u"Question", u"Fenêtre > Question"},
    {u"Manipulation", u"Manipulation sur objet"},
    {u"Pause", u"Pause > Pause"},
    {u"Outil Fichier", u"Outils divers > Fichier"},
    {u"Outil Ecran", u"Outils divers > Ecran"},
    {u"Outil Affichage", u"Outils divers > Affichage"},
    {u"Outil Alimentation", u"Outils divers > Alimentation"},
    {u"Outil Répertoire", u"Outils divers > Répertoire"},
    {u"Quitter", u"Quitter > Quitter"},
    {u"Inclusion", nullptr},
    {u"Message", u"Fenêtre > Message"},
};
static_assert(std::size(kCommandPlaces) == kCommandCount, "kCommandPlaces: one line per command");

QString shipped(const QString& name) { return QStringLiteral(SHIPPED_TEXTS "/") + name; }

QString helpFileOf(const QString& language) {
    return language == u"Français" ? kHelpFileName : u"aide-"_s + language + u".html"_s;
}

// The heading that carries the anchor, as plain text; empty when there is none.
QString headingAt(const QString& page, const QString& anchor) {
    static const QRegularExpression tags(u"<[^>]*>"_s);
    const QRegularExpression heading(u"<h[1-6] id=\"%1\">(.*?)</h[1-6]>"_s.arg(QRegularExpression::escape(anchor)));
    const QRegularExpressionMatch m = heading.match(page);
    if (!m.hasMatch()) return {};
    return QString(m.captured(1)).remove(tags).replace(u"&gt;"_s, u">"_s).replace(u"&amp;"_s, u"&"_s);
}

// Path a lies on the way to path b (or is b).
bool onTheWay(const QString& a, const QString& b) { return b == a || b.startsWith(a + u" > "_s); }

class HelpTest : public MainWindowTest {
protected:
    // The shipped language file and help pages beside the program, and that language chosen.
    void choose(const QString& language) {
        for (const QString& name : {language + u".lng"_s, helpFileOf(language)}) {
            QFile::remove(platform::programFile(name));
            ASSERT_TRUE(QFile::copy(shipped(name), platform::programFile(name))) << name.toStdString();
        }
        settings().Language = language;
        LoadLanguageFile(language);
    }
    // Selects the node of that built-in path.
    QTreeWidgetItem* select(const QString& path) {
        for (QTreeWidgetItemIterator it(form->TreeView1); *it; ++it) {
            form->TreeView1->setCurrentItem(*it);
            if (GetTreeViewFullText(form->TreeView1, true) == path) return *it;
        }
        return nullptr;
    }
    QWidget* visibleDialog() const {
        for (int n = 2; n <= 37; ++n)
            if (QWidget* w = MadeWindow(n); w && w->isVisible()) return w;
        return nullptr;
    }
    void closeDialogs() {
        for (int n = 2; n <= 37; ++n)
            if (QWidget* w = MadeWindow(n); w && w->isVisible()) w->close();
    }
    // Every help context a window takes: those set on its controls, and
    // those its tabs and option buttons give it.
    QSet<int> helpContexts() {
        QSet<int> contexts;
        auto collect = [&](QWidget* window) {
            QList<QWidget*> widgets = window->findChildren<QWidget*>();
            widgets << window;
            for (QWidget* w : std::as_const(widgets))
                if (const int c = HelpContext(w)) contexts << c;
        };
        for (int n = 1; n <= 37; ++n) {
            QWidget* window = n == 1 ? static_cast<QWidget*>(form) : Window(n);
            if (!window) continue;
            collect(window);
            for (QTabWidget* tabs : window->findChildren<QTabWidget*>())
                for (int i = 1; i <= tabs->count(); ++i) {  // the first one last: it is the current one
                    tabs->setCurrentIndex(i % tabs->count());
                    collect(window);
                }
            if (qobject_cast<TCommandDialog*>(window))
                for (QRadioButton* option : window->findChildren<QRadioButton*>()) {
                    option->click();
                    collect(window);
                }
        }
        form->ListView1Click();
        collect(form);
        closeDialogs();
        return contexts;
    }
};

TEST_F(HelpTest, EveryNodeAndEveryCommandIsDescribedInBothLanguages) {
    // A plug-in command under its category, in the branch start-up adds.
    struct Restore {
        QVector<TDynamiqueOrder> plugins = DynamiqueOrders;
        ~Restore() { DynamiqueOrders = plugins; }
    } restore;
    DynamiqueOrders.append({.Name = u"Sonde"_s, .Rubrique = u"Essais"_s, .Description = u"Une sonde."_s});
    AddPluginNodes(form->TreeView1);
    FillCommandNames();
    QHash<QString, QStringList> described;  // language -> description of each node
    for (const QString& language : kLanguages) {
        choose(language);
        for (QTreeWidgetItemIterator it(form->TreeView1); *it; ++it) {
            form->TreeView1->setCurrentItem(*it);
            TreeView1Click();
            const QString text = form->RichEdit2->toPlainText();
            EXPECT_FALSE(text.trimmed().isEmpty()) << language.toStdString() << ": "
                                                   << GetTreeViewFullText(form->TreeView1, false).toStdString();
            EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet3);
            described[language] << text;
        }
        for (const CommandPlace& c : kCommandPlaces) {
            const QString keyword = QString::fromUtf16(c.keyword);
            QString text = DescriptionBlock(DescriptionLines, keyword).join(u'\n');
            if (c.node) {
                ASSERT_TRUE(select(QString::fromUtf16(c.node))) << keyword.toStdString();
                TreeView1Click();
                text = form->RichEdit2->toPlainText();
            }
            EXPECT_TRUE(text.contains(keyword)) << language.toStdString() << ", " << keyword.toStdString() << ": "
                                                << text.toStdString();
        }
    }
    // The English descriptions are no copies of the French ones.
    ASSERT_EQ(described[u"Français"_s].size(), described[u"English"_s].size());
    for (qsizetype i = 0; i < BuiltInCommandNodes(); ++i)
        EXPECT_NE(described[u"Français"_s][i], described[u"English"_s][i]) << "node " << i;
}

TEST_F(HelpTest, EveryHelpContextOfTheWindowsHasItsSectionInBothHelpFiles) {
    const QSet<int> contexts = helpContexts();
    for (int expected : {1, 12, 1107, 1139, 1174, 1192})
        EXPECT_TRUE(contexts.contains(expected)) << expected;  // the walk reaches them
    for (const QString& language : kLanguages) {
        const QString page = QString::fromUtf8(ReadBytes(shipped(helpFileOf(language))));
        ASSERT_FALSE(page.isEmpty()) << language.toStdString();
        for (int context : contexts)
            EXPECT_FALSE(headingAt(page, QString::number(context)).isEmpty())
                << language.toStdString() << ": no section for the help context " << context;
    }
}

TEST_F(HelpTest, TheDialogEachNodeOpensLeadsToTheHelpSectionOfThatNode) {
    form->show();
    for (const QString& language : kLanguages) {
        choose(language);
        const QString page = QString::fromUtf8(ReadBytes(shipped(helpFileOf(language))));
        int dialogs = 0;
        for (QTreeWidgetItemIterator it(form->TreeView1); *it; ++it) {
            form->TreeView1->setCurrentItem(*it);
            const QString path = GetTreeViewFullText(form->TreeView1, true);
            const QString shown = GetTreeViewFullText(form->TreeView1, false);
            TreeView1DblClick();
            QWidget* dialog = visibleDialog();
            if (!dialog) continue;
            ++dialogs;
            const QString heading = headingAt(page, QString::number(HelpContext(dialog)));
            EXPECT_TRUE(onTheWay(heading, shown) || onTheWay(shown, heading))
                << language.toStdString() << ": " << path.toStdString() << " opens " << dialog->objectName().toStdString()
                << " whose help context " << HelpContext(dialog) << " leads to \"" << heading.toStdString() << '"';
            closeDialogs();
            QCoreApplication::processEvents();
        }
        EXPECT_GT(dialogs, 100) << language.toStdString();
    }
}

TEST_F(HelpTest, F1InTheVariableDialogOpensTheVariableSectionInTheChosenLanguage) {
    form->show();
    QStringList opened;
    testServices().onOpenDocument = [&](const QString& path, const QString& fragment) {
        opened << path + u'#' + fragment;
        return true;
    };
    for (const QString& language : kLanguages) {
        choose(language);
        opened.clear();
        form->PaletteButton(9)->click();
        ASSERT_TRUE(Form8->isVisible());
        Form8->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form8));
        Form8->Edit2->setFocus();
        QTest::keyClick(Form8->Edit2, Qt::Key_F1);
        ASSERT_EQ(opened, QStringList(platform::programFile(helpFileOf(language)) + u"#1139"_s))
            << language.toStdString();
        Form8->close();

        const QString page = QString::fromUtf8(ReadBytes(platform::programFile(helpFileOf(language))));
        EXPECT_EQ(headingAt(page, u"1139"_s), u"Variable");
        const QString section = page.mid(page.indexOf(u"id=\"1139\""_s));
        const QString first = DescriptionBlock(DescriptionLines, u"Variable"_s).value(0);
        ASSERT_FALSE(first.isEmpty());
        EXPECT_TRUE(section.left(section.indexOf(u"<h2"_s, 1)).contains(first.toHtmlEscaped())) << first.toStdString();
    }
    EXPECT_TRUE(messages.shown.isEmpty());

    // A language without its own help opens the French one.
    QFile::remove(platform::programFile(helpFileOf(u"English"_s)));
    EXPECT_EQ(HelpFilePath(), platform::programFile(kHelpFileName));
}

}  // namespace
