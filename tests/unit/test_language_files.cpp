// The shipped language files name every text a user sees on every window:
// loaded one after the other, each sets every caption, text, hint, list item
// and column of every window, and the French file gives the built-in texts
// back exactly.
#include "core/Dialogs.h"
#include "core/Windows.h"
#include "core/KeyBoard.h"
#include "core/MessageTexts.h"
#include "core/Unit1.h"
#include "editors/Unit4.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"
#include "tests/support/TestSupport.h"
#include "tools/ModuleSup.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

// One text of a window: the component, what of it ("text", "hint",
// "caption", "item<n>", "column<n>") and the text it shows.
struct ShownText {
    QObject* component;
    QString aspect;
    QString text;
};

bool hasLetters(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetter(); });
}

// Texts the program writes itself (paths, figures, states...),
// "Form<n>/<component>/<aspect>": no language file names them.
const QStringList kFilledByTheProgram = {
    u"Form1/StatusPanel0/text"_s,    // the macro file
    u"Form1/StatusPanel1/hint"_s,    // whether it is protected
    u"Form1/StatusPanel2/text"_s,    // the language's badge
    u"Form1/StatusPanel2/hint"_s,
    u"Form1/StatusPanel3/text"_s,    // the line
    u"Form1/SpeedButton29/hint"_s,   // "Pause (" and the pause hotkey
    u"Form1/SpeedButton105/hint"_s,  // "Stop (" and the stop hotkey
    u"Form13/Label6/text"_s,         // what the chosen parameter takes
    u"Form19/Label22/text"_s,        // the settings file in use
    u"Form19/Label36/text"_s,        // the date of the last update check
    u"Form21/Label1/text"_s,         // the information shown
    u"Form22/Label1/text"_s,         // the markers' positions
    u"Form22/Label2/text"_s,
    u"Form22/Label3/text"_s,
    u"Form22/Label4/text"_s,
    u"Form23/Label5/text"_s,         // the system
    u"Form23/Label6/text"_s,         // the kernel
    u"Form35/Label2/text"_s,         // whom to contact
};

// Lists whose items are words of the interface (other lists hold values).
const QStringList kListsOfWords = {
    u"Form19/ComboBox2"_s, u"Form19/ComboBox4"_s, u"Form19/ComboBox5"_s, u"Form19/ComboBox6"_s, u"Form23/ComboBox1"_s,
};

// Inside these, the children are the toolkit's own.
bool toolkitPart(const QObject* o, const QWidget* window) {
    for (const QObject* p = o->parent(); p && p != window; p = p->parent())
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
            qobject_cast<const QKeySequenceEdit*>(p) || qobject_cast<const QTabBar*>(p) ||
            qobject_cast<const QAbstractItemView*>(p) || qobject_cast<const QLineEdit*>(p))
            return true;
    return o->objectName().startsWith(u"qt_"_s);
}

QTabWidget* tabsOf(QWidget* page) {
    QWidget* stack = page ? page->parentWidget() : nullptr;
    return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

QVector<ShownText> shownTexts(QWidget* window) {
    QVector<ShownText> out;
    const QString form = window->objectName() + u'/';
    auto add = [&](QObject* o, const QString& aspect, const QString& text) {
        if (!hasLetters(text) || kFilledByTheProgram.contains(form + o->objectName() + u'/' + aspect)) return;
        if (window == Form4.made() && o->objectName().startsWith(u"SpeedButton"_s) &&
            text == KeyName(o->objectName().mid(11).toInt()))
            return;  // a key of the keyboard, named by the layout
        out.append({o, aspect, text});
    };
    if (window != Form1.made()) add(window, u"caption"_s, window->windowTitle());
    for (QObject* o : window->findChildren<QObject*>()) {
        if (toolkitPart(o, window)) continue;
        if (auto* l = qobject_cast<QLabel*>(o)) add(o, u"text"_s, l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(o)) add(o, u"text"_s, b->text());
        if (auto* g = qobject_cast<QGroupBox*>(o)) add(o, u"text"_s, g->title());
        if (auto* w = qobject_cast<QWidget*>(o); w && tabsOf(w)) add(o, u"text"_s, tabsOf(w)->tabText(tabsOf(w)->indexOf(w)));
        if (auto* w = qobject_cast<QWidget*>(o); w && !qobject_cast<QMenu*>(o)) add(o, u"hint"_s, w->toolTip());
        if (auto* m = qobject_cast<QMenu*>(o)) add(o, u"text"_s, m->title());
        if (auto* t = qobject_cast<QToolBar*>(o)) add(o, u"text"_s, t->windowTitle());
        if (auto* w = qobject_cast<QWidget*>(o); w && w->isWindow() && !qobject_cast<QMenu*>(o))
            add(o, u"text"_s, w->windowTitle());  // a dialog of the window
        auto* bar = qobject_cast<QToolBar*>(o->parent());
        if (auto* a = qobject_cast<QAction*>(o); a && !a->isSeparator() && !a->menu() && !(bar && bar->toggleViewAction() == a))
            add(o, u"text"_s, a->text());
        if (auto* c = qobject_cast<QComboBox*>(o); c && kListsOfWords.contains(form + o->objectName()))
            for (int i = 0; i < c->count(); ++i) add(o, u"item%1"_s.arg(i + 1), c->itemText(i));
        if (auto* v = qobject_cast<QAbstractItemView*>(o); v && v->model())
            if (auto* tree = qobject_cast<QTreeView*>(v); !tree || !tree->isHeaderHidden())
                for (int i = 0; i < v->model()->columnCount(); ++i)
                    add(o, u"column%1"_s.arg(i + 1), v->model()->headerData(i, Qt::Horizontal).toString());
    }
    return out;
}

// Every window, each made by the registry as on its first use.
QVector<QWidget*> everyWindow() {
    QVector<QWidget*> windows = {Form1};
    for (int n : RegisteredWindows()) windows << Window(n);
    return windows;
}

// The key a language file gives the text under its window's section.
QString keyOf(QWidget* window, const ShownText& t) {
    if (t.aspect == u"caption" && t.component == window) return u"Caption"_s;
    QString path = t.component->objectName();
    for (QObject* p = t.component->parent(); p && p != window; p = p->parent())
        if (p->isWidgetType() && static_cast<QWidget*>(p)->isWindow() && !qobject_cast<QMenu*>(p))
            path.prepend(p->objectName() + u'.');
    if (t.aspect == u"hint") return path + u".Hint"_s;
    if (t.aspect.startsWith(u"item"_s)) return path + u"Ch"_s + t.aspect.mid(4);
    if (t.aspect.startsWith(u"column"_s)) return path + u"Col"_s + t.aspect.mid(6);
    return path;
}

QString describe(QWidget* window, const ShownText& t) {
    if (t.component->objectName().isEmpty())
        return u"(sans nom) "_s + t.component->metaObject()->className() + u" « "_s + t.text + u" »"_s;
    return u"["_s + window->objectName() + u"] "_s + keyOf(window, t) + u"="_s + t.text;
}

class ShippedLanguageFiles : public MainWindowTest, public ::testing::WithParamInterface<const char*> {
protected:
    void load(const QString& language) {
        const QString file = language + u".lng"_s;
        QFile::remove(platform::programFile(file));
        ASSERT_TRUE(QFile::copy(QStringLiteral(LANGUAGE_FILES "/") + file, platform::programFile(file))) << file.toStdString();
        LoadLanguageFile(language);
    }
    void TearDown() override {
        ResetMessageTexts();
        MainWindowTest::TearDown();
    }
};

// The texts of those windows that no language file loaded so far has set.
QStringList untranslated(const QVector<QWidget*>& windows) {
    QStringList missing;
    for (QWidget* window : windows)
        for (const ShownText& t : shownTexts(window))
            if (!LanguageTextsSet(t.component).contains(t.aspect)) missing << describe(window, t);
    return missing;
}

TEST_P(ShippedLanguageFiles, NameEveryTextOfEveryWindow) {
    const QVector<QWidget*> windows = everyWindow();
    load(QString::fromUtf8(GetParam()));
    const QStringList missing = untranslated(windows);
    EXPECT_TRUE(missing.isEmpty()) << missing.size() << " textes sans traduction :\n"
                                   << missing.join(u'\n').toStdString();
}

// A window made after the load, on its first use, speaks the language too.
TEST_P(ShippedLanguageFiles, WindowsMadeAfterTheLoadSpeakItToo) {
    load(QString::fromUtf8(GetParam()));
    const QStringList missing = untranslated(everyWindow());
    EXPECT_TRUE(missing.isEmpty()) << missing.size() << " textes sans traduction :\n"
                                   << missing.join(u'\n').toStdString();
}

// The texts that are no property of a control: each file names every one,
// with the placeholders of the built-in text.
TEST_P(ShippedLanguageFiles, NameEveryMessageText) {
    const QString language = QString::fromUtf8(GetParam());
    load(language);
    const platform::IniFile file(platform::programFile(language + u".lng"_s));
    QStringList missing;
    for (const auto& [section, key] : MessageTextKeys())
        if (!file.ValueExists(section, key) || MessageText(section, key) != file.ReadString(section, key, QString()))
            missing << u"["_s + section + u"] "_s + key;
    EXPECT_TRUE(missing.isEmpty()) << missing.join(u'\n').toStdString();
}

// The main window's title and the save question of a new macro, in English
// and back in French.
TEST_F(ShippedLanguageFiles, TheTitleAndTheSaveQuestionSpeakTheLanguage) {
    setRows({{u"Pause"_s, u"1;Sec;"_s}});
    struct Case {
        const char* language;
        const char* title;
        const char* question;
        const char* caption;
    } const cases[] = {
        {"English", "New macro - Orvanel", "Do you want to save before quitting?", "New macro"},
        {"Français", "Nouvelle macro - Orvanel", "Voulez-vous sauvegarder avant de quitter?", "Nouvelle macro"},
    };
    for (const Case& c : cases) {
        load(QString::fromUtf8(c.language));
        EXPECT_EQ(form->windowTitle(), QString::fromUtf8(c.title));
        messages.shown.clear();
        messages.answer = mrCancel;
        EXPECT_FALSE(form->SaveBeforeExit());
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].text, QString::fromUtf8(c.question));
        EXPECT_EQ(messages.shown[0].caption, QString::fromUtf8(c.caption));
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedLanguageFiles, ::testing::Values("English", "Français"));

// Texts every load derives from others: the detail panel's title and the
// tool-bar hints are the captions of menu items, the About box's caption
// that of "A propos...".
const QStringList kDerivedTexts = {u"[Form1] Panel4"_s, u"[Form1] SpeedButton110.Hint"_s,
                                   u"[Form1] SpeedButton111.Hint"_s, u"[Form23] Caption"_s};

// English and back to French: every text is the built-in one again (but for
// the blanks around it, which no language file keeps).
TEST_F(ShippedLanguageFiles, TheFrenchFileGivesTheBuiltInTextsBack) {
    const QVector<QWidget*> windows = everyWindow();
    QHash<QString, QString> builtIn;
    auto key = [](QWidget* window, const ShownText& t) { return u"["_s + window->objectName() + u"] "_s + keyOf(window, t); };
    for (QWidget* window : windows)
        for (const ShownText& t : shownTexts(window)) builtIn.insert(key(window, t), t.text);
    load(u"English"_s);
    load(u"Français"_s);
    QStringList changed;
    for (QWidget* window : windows)
        for (const ShownText& t : shownTexts(window))
            if (builtIn.contains(key(window, t)) && builtIn.value(key(window, t)).trimmed() != t.text.trimmed() &&
                !kDerivedTexts.contains(key(window, t)))
                changed << describe(window, t) + u" au lieu de « "_s + builtIn.value(key(window, t)) + u" »"_s;
    EXPECT_TRUE(changed.isEmpty()) << changed.join(u'\n').toStdString();
}

}  // namespace
