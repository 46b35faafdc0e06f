#include "engine/Unit20.h"

#include "engine/SysVars.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Puts text into a named field of a form (a line edit or an editable combo box).
void setField(QWidget* form, const char* name, const QString& text) {
    if (!form) return;
    if (auto* edit = form->findChild<QLineEdit*>(QLatin1String(name))) edit->setText(text);
    else if (auto* combo = form->findChild<QComboBox*>(QLatin1String(name))) combo->setEditText(text);
}

}  // namespace

TForm20::TForm20(QWidget* parent) : TForm(20, QStringLiteral("Liste système"), parent) {
    auto* layout = new QVBoxLayout(this);
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* top = new QVBoxLayout(Panel1);
    Label1 = new QLabel(QStringLiteral("Variables système"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    top->addWidget(Label1);
    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setHeaderLabels({QStringLiteral("Nom"), QStringLiteral("Type"), QStringLiteral("R/W"),
                                QStringLiteral("Valeur")});
    ListView1->setColumnWidth(0, 110);
    ListView1->setColumnWidth(1, 60);
    ListView1->setColumnWidth(2, 40);
    ListView1->header()->setSectionsClickable(true);
    ListView1->installEventFilter(this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setMaximumHeight(80);
    layout->addWidget(Panel1);
    layout->addWidget(ListView1, 1);
    layout->addWidget(Memo1);
    resize(460, 420);
    connect(ListView1, &QTreeWidget::itemClicked, this, [this] { ListView1Click(); });
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { ListView1DblClick(); });
    connect(ListView1->header(), &QHeaderView::sectionClicked, this, &TForm20::ListView1ColumnClick);
    BuildSystemVariableList();
}

void TForm20::refill() {
    ListView1->clear();
    Memo1->clear();
    Memo1->appendPlainText(QStringLiteral("Faites un simple clic pour avoir une description de la variable séléctionnée."));
    Memo1->appendPlainText(QStringLiteral("Faites un double clic pour placer la variable système dans la nouvelle variable."));
    Memo1->appendPlainText(QStringLiteral("Appuyez sur F5 pour actualiser les valeurs."));
    BuildSystemVariableList();
    for (const TSysVar& v : std::as_const(TListOfSysVar)) {
        QString value = v.Value;
        if (v.Name == u"[CLIPBOARD]") ReadSystemVariable(v.Name, value);  // read now, see the table's build
        new QTreeWidgetItem(ListView1, {v.Name, v.IsAlpha ? QStringLiteral("Alpha") : QStringLiteral("Num"),
                                        v.Writable ? QStringLiteral("1") : QStringLiteral("0"), value});
    }
}

void TForm20::ShowList() {
    refill();
    show();
    raise();
}

void TForm20::ListView1Click() {
    QTreeWidgetItem* item = ListView1->currentItem();
    if (!item) return;
    const int i = SystemVariableIndex(item->text(0));
    if (i < 0) return;
    Memo1->clear();
    Memo1->appendPlainText(TListOfSysVar[i].Description);
}

void TForm20::ListView1DblClick() {
    QTreeWidgetItem* item = ListView1->currentItem();
    const int i = item ? SystemVariableIndex(item->text(0)) : -1;
    if (i < 0) return;
    const TSysVar& v = TListOfSysVar[i];
    QWidget* variableDialog = Window(8);
    setField(variableDialog, "Edit1", v.Name);
    setField(variableDialog, "Edit2", v.Writable ? v.Name : v.IsAlpha ? QString() : QStringLiteral("0"));
    close();
}

void TForm20::ListView1KeyDown(int key) {
    if (key == Qt::Key_F5) refill();
    else if (key == Qt::Key_Escape) close();
}

void TForm20::ListView1ColumnClick(int column) {
    QList<QTreeWidgetItem*> items;
    while (ListView1->topLevelItemCount() > 0) items << ListView1->takeTopLevelItem(0);
    const bool descending = sortDescending_;
    std::stable_sort(items.begin(), items.end(), [&](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        const int c = QString::localeAwareCompare(a->text(column), b->text(column));
        return descending ? c > 0 : c < 0;
    });
    ListView1->addTopLevelItems(items);
    sortDescending_ = !sortDescending_;
}

bool TForm20::eventFilter(QObject* o, QEvent* e) {
    if (o == ListView1 && e->type() == QEvent::KeyPress) ListView1KeyDown(static_cast<QKeyEvent*>(e)->key());
    return TForm::eventFilter(o, e);
}
