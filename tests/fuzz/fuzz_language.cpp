// Language files (".lng"): the description list and its blocks, and every
// section applied by component name to a small window holding each kind of
// component a language file reaches (never shown).
#include "core/Description.h"
#include "core/MessageTexts.h"
#include "platform/Cp1252.h"
#include "platform/IniFile.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tools/ModuleSup.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>

#include <cstdlib>
#include <tuple>

namespace {

template <class T>
T* named(QWidget* parent, const char* name) {
    T* o = new T(parent);
    o->setObjectName(QLatin1String(name));
    return o;
}

// Named as the options dialog is, for its own keys, with one component of each kind.
void fillWindow(QWidget& window) {
    window.setObjectName(QStringLiteral("Form19"));
    named<QLabel>(&window, "Label1")->setText(QStringLiteral("  Texte "));
    named<QLabel>(&window, "Label30")->setText(QStringLiteral("Version du 26/06/08"));
    named<QLabel>(&window, "Label35")->setText(QStringLiteral("Dernière vérification"));
    named<QLabel>(&window, "Label36")->setText(QStringLiteral("26/06/08"));
    named<QPushButton>(&window, "Button1");
    named<QLineEdit>(&window, "Edit1");
    named<QComboBox>(&window, "ComboBox1")->addItems({QStringLiteral("640x480"), QStringLiteral("Pas de changement")});
    auto* editable = named<QComboBox>(&window, "ComboBox2");
    editable->setEditable(true);
    auto* group = named<QGroupBox>(&window, "RadioGroup1");
    named<QRadioButton>(group, "RadioButton1");
    named<QRadioButton>(group, "RadioButton2");
    named<QLabel>(group, "Label2");
    named<QTreeWidget>(&window, "ListView1")->setColumnCount(2);
    auto* tabs = named<QTabWidget>(&window, "PageControl1");
    tabs->addTab(named<QWidget>(nullptr, "TabSheet1"), QStringLiteral("Général"));
    auto* menu = named<QMenu>(&window, "Menu1");
    named<QAction>(menu, "Action1");
    named<QToolBar>(&window, "ToolBar1");
    auto* inner = named<QWidget>(&window, "Form2");
    inner->setWindowFlags(Qt::Dialog);
    named<QLabel>(inner, "Label1");
}

QStringList messageTexts() {
    QStringList texts;
    for (const auto& [section, key] : MessageTextKeys()) texts << MessageText(section, key);
    return texts;
}

// The window, made once. Each input is applied to it, then what it changed
// is put back (the texts and titles the language layer reads back, its marks
// on the components, the message texts), so that an input always does the
// same and keeps nothing it allocated, which the fuzzer would take for a leak.
class Window {
public:
    Window() {
        fillWindow(widget_);
        for (QObject* o : widget_.findChildren<QObject*>())
            for (const char* property : {"text", "title"})
                if (o->metaObject()->indexOfProperty(property) >= 0) made_.append({o, property, o->property(property)});
    }
    void apply(const platform::IniFile& ini) {
        for (const QString& section : ini.ReadSections()) ApplyLanguageSection(ini, section, &widget_);
        for (const auto& [o, property, value] : std::as_const(made_)) o->setProperty(property, value);
        QList<QObject*> all = widget_.findChildren<QObject*>();
        all << &widget_;
        for (QObject* o : std::as_const(all))
            for (const char* mark : {"languageSet", "languageBase"}) o->setProperty(mark, QVariant());
        if (messageTexts() != builtInTexts_) ResetMessageTexts();
    }

private:
    QWidget widget_;
    QVector<std::tuple<QObject*, const char*, QVariant>> made_;
    const QStringList builtInTexts_ = messageTexts();
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::start();
    const QByteArray bytes = fuzz::bytes(data, size);
    const QStringList lines = platform::cp1252Lines(bytes);
    int headers = 0;
    for (const QString& line : lines) {
        if (!IsDescriptionHeader(line) || ++headers > 8) continue;
        const QString key = line.mid(2, line.size() - 4);
        QStringList changed = lines;
        ReplaceDescriptionBlock(changed, key, {QStringLiteral("Texte")});
        if (DescriptionBlock(changed, key) != QStringList{QStringLiteral("Texte")}) std::abort();
    }

    const platform::IniFile ini(fuzz::writeFile(QStringLiteral("fuzz.lng"), bytes));
    static Window window;
    window.apply(ini);
    return 0;
}
