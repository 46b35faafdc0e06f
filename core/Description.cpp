// The description tab of the main window: the command path above the
// description as links, and the description list the tab edits.
#include "core/Description.h"

#include "core/Dialogs.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "platform/Cp1252.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QSaveFile>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

QString LastDescriptionPath;

bool IsDescriptionHeader(const QString& line) {
    return line.size() >= 4 && line.startsWith(QLatin1String(";;")) && line.endsWith(QLatin1String(";;"));
}

namespace {
// A section line of the language file's INI part.
bool isSectionLine(const QString& line) {
    const QString t = line.trimmed();
    return t.startsWith(u'[') && t.endsWith(u']');
}

// The end of the block whose header is at `header`: the next header or
// section line, or the end; a block never holds a section.
qsizetype blockEnd(const QStringList& lines, qsizetype header) {
    qsizetype end = header + 1;
    while (end < lines.size() && !IsDescriptionHeader(lines[end]) && !isSectionLine(lines[end])) ++end;
    return end;
}

// A part of the path above the description: a link to its node of the command tree.
class PathLink : public QLabel {
public:
    PathLink(const QString& text, int tag, QWidget* parent) : QLabel(text, parent) {
        setObjectName(QStringLiteral("DescURLStyle"));
        setProperty("tag", tag);  // the absolute index of its node
        QFont f = font();
        f.setUnderline(true);
        setFont(f);
        QPalette p = palette();
        p.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF));
        setPalette(p);
        setCursor(Qt::PointingHandCursor);  // DescURLStyleOnMouseMove
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && Form1.made())
            Form1->DescURLStyleOnclick(this);
    }
};

int countBelow(const QTreeWidgetItem* item) {
    int n = 1;
    for (int i = 0; i < item->childCount(); ++i) n += countBelow(item->child(i));
    return n;
}
}  // namespace

QStringList DescriptionBlock(const QStringList& lines, const QString& key) {
    const qsizetype header = lines.indexOf(DescriptionHeader(key));
    return header < 0 ? QStringList() : lines.mid(header + 1, blockEnd(lines, header) - header - 1);
}

void ReplaceDescriptionBlock(QStringList& lines, const QString& key, const QStringList& text) {
    const QString header = DescriptionHeader(key);
    for (qsizetype i = lines.indexOf(header); i >= 0; i = lines.indexOf(header, i))
        lines.remove(i, blockEnd(lines, i) - i);
    if (!text.isEmpty()) lines << header << text;
}

int AbsoluteIndex(const QTreeWidgetItem* item) {
    if (!item || !item->treeWidget()) return -1;
    int index = 0;
    for (auto* node = const_cast<QTreeWidgetItem*>(item); node;) {
        QTreeWidgetItem* parent = node->parent();
        const QTreeWidget* tree = node->treeWidget();
        const int row = parent ? parent->indexOfChild(node) : tree->indexOfTopLevelItem(node);
        for (int i = 0; i < row; ++i) index += countBelow(parent ? parent->child(i) : tree->topLevelItem(i));
        if (parent) ++index;  // the parent itself comes before its children
        node = parent;
    }
    return index;
}

QTreeWidgetItem* ItemAtAbsoluteIndex(const QTreeWidget* tree, int index) {
    if (index < 0) return nullptr;
    int seen = 0;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it)
        if (seen++ == index) return *it;
    return nullptr;
}

QString LanguageFilePath() { return platform::programFile(settings().Language + QStringLiteral(".lng")); }

void LoadDescriptionLines() {
    QFile lng(LanguageFilePath());
    DescriptionLines = lng.open(QIODevice::ReadOnly) ? platform::cp1252Lines(lng.readAll()) : QStringList();
}

bool SaveDescriptionLines() {
    const QString path = LanguageFilePath();
    QFile old(path);
    if (!old.open(QIODevice::ReadOnly)) {
        MessageDlg(QStringLiteral("Le fichier de langue « %1 » est introuvable : les descriptions ne sont pas "
                                  "enregistrées.")
                       .arg(path),
                   MsgType::Warning, mbOK);
        return false;
    }
    const bool unixLines = !old.read(64 * 1024).contains("\r\n");
    old.close();
    const QString eol = unixLines ? QStringLiteral("\n") : QStringLiteral("\r\n");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(platform::toCp1252(DescriptionLines.join(eol) + eol)) < 0 ||
        !file.commit()) {
        MessageDlg(QStringLiteral("Impossible d'écrire le fichier de langue « %1 » : %2").arg(path, file.errorString()),
                   MsgType::Error, mbOK);
        return false;
    }
    return true;
}

void TForm1::buildDescriptionUi() {
    TabSheet3 = new QWidget(PageControl1);
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    auto* layout = new QVBoxLayout(TabSheet3);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel9 = new QWidget(TabSheet3);
    Panel9->setObjectName(QStringLiteral("Panel9"));
    Panel9->setFixedHeight(22);
    layout->addWidget(Panel9);
    RichEdit2 = new QTextEdit(TabSheet3);
    RichEdit2->setObjectName(QStringLiteral("RichEdit2"));
    RichEdit2->setAcceptRichText(false);
    layout->addWidget(RichEdit2, 1);
    PageControl1->addTab(TabSheet3, QStringLiteral("Description"));
}

void TForm1::buildDetailPanel() {
    Panel3 = new QWidget(Splitter2);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    auto* layout = new QVBoxLayout(Panel3);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    auto* head = new QHBoxLayout;
    Panel4 = new QLabel(QStringLiteral("Détail Commandes, appuiez sur F1 pour une aide contextuelle."), Panel3);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setWordWrap(true);
    head->addWidget(Panel4, 1);
    SpeedButton20 = new QToolButton(Panel3);
    SpeedButton20->setObjectName(QStringLiteral("SpeedButton20"));
    SpeedButton20->setText(QStringLiteral("×"));
    SpeedButton20->setToolTip(QStringLiteral("Fermer"));
    SpeedButton20->setAutoRaise(true);
    head->addWidget(SpeedButton20, 0, Qt::AlignTop);
    layout->addLayout(head);
    TreeView1 = new QTreeWidget(Panel3);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    layout->addWidget(TreeView1, 1);

    Dtailcommandes1 = new QAction(QStringLiteral("Détail commandes"), this);
    Dtailcommandes1->setObjectName(QStringLiteral("Dtailcommandes1"));
    Dtailcommandes1->setCheckable(true);
    Dtailcommandes1->setChecked(true);
    connect(Dtailcommandes1, &QAction::triggered, this, &TForm1::Dtailcommandes1Click);
    connect(SpeedButton20, &QToolButton::clicked, Dtailcommandes1, &QAction::trigger);
}

// The item is checkable: a click has already turned its check to the state to show.
void TForm1::Dtailcommandes1Click() {
    const bool show = Dtailcommandes1->isChecked();
    Panel3->setVisible(show);
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet3), show);
}

void TForm1::ChangeDescription(const QString& name) {
    if (name.isEmpty()) return;
    const QString text = RichEdit2->toPlainText();
    ReplaceDescriptionBlock(DescriptionLines, name, text.isEmpty() ? QStringList() : text.split(u'\n'));
}

void TForm1::GetDescURLStyle(const QString& path) {
    qDeleteAll(Panel9->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    const TParamFields parts = GetParam(path);
    const int count = parts.Count - 1;
    int x = 6;
    auto place = [&](QLabel* label) {
        QFont f = label->font();
        f.setPointSize(8);
        label->setFont(f);
        label->adjustSize();
        label->move(x, 4);
        label->show();
        x += label->width();
    };
    place(new QLabel(QStringLiteral("Description de : "), Panel9));
    const QTreeWidgetItem* node = TreeView1 ? TreeView1->currentItem() : nullptr;
    for (int i = 1; i <= count; ++i) {
        if (i > 1) place(new QLabel(QStringLiteral(" > "), Panel9));
        // Part i names the ancestor (count - i) levels above the selected node.
        const QTreeWidgetItem* ancestor = node;
        for (int up = count - i; ancestor && up > 0; --up) ancestor = ancestor->parent();
        place(new PathLink(parts[i], node ? qMax(0, AbsoluteIndex(ancestor)) : 0, Panel9));
    }
}

void TForm1::DescURLStyleOnclick(QLabel* link) {
    const QString caption = link->text();
    if (QTreeWidgetItem* item = TreeView1 ? ItemAtAbsoluteIndex(TreeView1, link->property("tag").toInt()) : nullptr) {
        TreeView1->setCurrentItem(item);
        // A plug-in command: its palette page is named after its category, the node's parent.
        QTreeWidgetItem* top = item;
        while (top->parent()) top = top->parent();
        if (top->text(0) == u"Plugin" && item->text(0) == caption && item->parent())
            ShowPalettePage(item->parent()->text(0));
    }
    ShowPalettePage(caption);
}

void TForm1::ShowPalettePage(const QString& caption) {
    for (int i = 0; i < PageControl2->count(); ++i)
        if (PageControl2->tabText(i) == caption) PageControl2->setCurrentIndex(i);
}
