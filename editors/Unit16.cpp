#include "editors/Unit16.h"

#include "core/Dialogs.h"
#include "core/History.h"
#include "core/Params.h"
#include "core/Services.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "editors/Unit17.h"
#include "engine/mdlfnct.h"
#include "look/UBackGround.h"
#include "platform/IniFile.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QThread>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The pictures of the tree's nodes.
enum NodeImage { kHandleNode = 0, kClassNode = 1, kTextNode = 2, kWidthNode = 3, kHeightNode = 4, kModuleNode = 5 };

const QString kNext = u"Suivant >>"_s;
const QString kFinish = u"Terminer"_s;

// The criteria as the criteria page names them.
struct CriterionWord {
    const char16_t* word;
    bool TCmObjet::*use;
};
constexpr CriterionWord kWords[] = {{u"Module", &TCmObjet::UseApplication}, {u"Parent", &TCmObjet::UseParent},
                                    {u"Classe", &TCmObjet::UseClass},       {u"Texte", &TCmObjet::UseText},
                                    {u"Longueur", &TCmObjet::UseWidth},     {u"Largeur", &TCmObjet::UseHeight}};

QString criterionValue(const TCmObjet& o, bool TCmObjet::*use) {
    if (use == &TCmObjet::UseApplication) return o.Application;
    if (use == &TCmObjet::UseParent) return QString::number(o.ParentHandle);
    if (use == &TCmObjet::UseClass) return o.ClassName;
    if (use == &TCmObjet::UseText) return o.Text;
    if (use == &TCmObjet::UseWidth) return QString::number(o.Width);
    return QString::number(o.Height);
}

// The target dragged onto a window: a ring and a cross.
QPixmap targetPicture() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x33, 0x66, 0xCC), 2));
    p.drawEllipse(QPointF(16, 16), 11, 11);
    p.drawEllipse(QPointF(16, 16), 4, 4);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(16, 1, 16, 31);
    p.drawLine(1, 16, 31, 16);
    return pixmap;
}

QLabel* banner(const QString& name, QWidget* parent) {
    auto* image = new QLabel(parent);
    image->setObjectName(name);
    image->setFixedHeight(12);
    image->setScaledContents(true);
    image->resize(400, image->height());
    UBackGround::DrawBanner(image);
    return image;
}

QLabel* stepLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

// A group of radio buttons, one of which is on: its index is the button's id.
QButtonGroup* radioGroup(QGroupBox* box, const QStringList& items, QVBoxLayout* layout) {
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], box);
        radio->setObjectName(u"%1Ch%2"_s.arg(box->objectName()).arg(i + 1));
        group->addButton(radio, i);
        if (layout) layout->addWidget(radio);
    }
    return group;
}

void checkIndex(QButtonGroup* group, int index) {
    if (QAbstractButton* b = group->button(index)) return b->setChecked(true);
    group->setExclusive(false);  // no item: none is on
    for (QAbstractButton* b : group->buttons()) b->setChecked(false);
    group->setExclusive(true);
}

int image(const QTreeWidgetItem* node) { return node->data(0, Qt::UserRole).toInt(); }

QIcon imageIcon(int index) {
    static const QStyle::StandardPixmap pictures[] = {QStyle::SP_TitleBarNormalButton, QStyle::SP_FileDialogInfoView,
                                                      QStyle::SP_FileIcon,             QStyle::SP_ArrowRight,
                                                      QStyle::SP_ArrowDown,            QStyle::SP_ComputerIcon};
    return QApplication::style()->standardIcon(pictures[index]);
}

// The first node, in tree order, with that text and picture.
QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& text, int picture) {
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->text(0) == text && image(*it) == picture) return *it;
    return nullptr;
}

QTreeWidgetItem* addNode(QTreeWidget* tree, QTreeWidgetItem* parent, const QString& text, int picture) {
    auto* node = parent ? new QTreeWidgetItem(parent, {text}) : new QTreeWidgetItem(tree, {text});
    node->setData(0, Qt::UserRole, picture);
    node->setIcon(0, imageIcon(picture));
    return node;
}

// A row keeps room for handles of ten digits, which a run may write into it.
bool fitsWithAnyHandles(const TCmObjet& o) {
    const QString params = ObjectParams(o);
    const qsizetype handles = QString::number(o.Handle).size() + QString::number(o.ParentHandle).size();
    return params.size() - handles + 20 <= kMaxFieldLength;
}

}  // namespace

TForm16::TForm16(QWidget* parent) : TCommandDialog(16, u"Spy"_s, u"Objet"_s, 1096, parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    Declare({.size = {640, 430},
             .controls = {{.kind = ControlKind::Check, .name = u"CheckBox1"_s,
                           .caption = u"Réduire la fenêtre lors de la capture"_s},
                          {.kind = ControlKind::Check, .name = u"CheckBox2"_s,
                           .caption = u"Réduire l'application lors de la capture"_s},
                          {.kind = ControlKind::Check, .name = u"CheckBox3"_s,
                           .caption = u"Mettre en avant plan l'objet capturé"_s},
                          {.kind = ControlKind::Line, .name = u"Edit1"_s, .label = u"Label5"_s, .caption = u"Handle"_s},
                          {.kind = ControlKind::Line, .name = u"Edit2"_s, .label = u"Label8"_s,
                           .caption = u"Handle Parent"_s},
                          {.kind = ControlKind::Line, .name = u"Edit3"_s, .label = u"Label6"_s, .caption = u"Classe"_s},
                          {.kind = ControlKind::Line, .name = u"Edit4"_s, .label = u"Label7"_s, .caption = u"Texte"_s},
                          {.kind = ControlKind::Line, .name = u"Edit5"_s, .label = u"Label9"_s, .caption = u"Longueur"_s},
                          {.kind = ControlKind::Line, .name = u"Edit6"_s, .label = u"Label10"_s, .caption = u"Largeur"_s},
                          {.name = u"ComboBox1"_s, .label = u"Label3"_s, .caption = u"Objet"_s},
                          {.name = u"ComboBox3"_s, .list = AllVariables},
                          {.name = u"ComboBox2"_s, .label = u"Label4"_s,
                           .caption = u"Variable recevant le nombre d'objet (Optionnel)"_s, .list = AllVariables}}});
    auto child = [this]<class W>(W*& member, const QString& name) { member = findChild<W*>(name); };
    child(CheckBox1, u"CheckBox1"_s);
    child(CheckBox2, u"CheckBox2"_s);
    child(CheckBox3, u"CheckBox3"_s);
    child(Edit1, u"Edit1"_s);
    child(Edit2, u"Edit2"_s);
    child(Edit3, u"Edit3"_s);
    child(Edit4, u"Edit4"_s);
    child(Edit5, u"Edit5"_s);
    child(Edit6, u"Edit6"_s);
    child(ComboBox1, u"ComboBox1"_s);
    child(ComboBox2, u"ComboBox2"_s);
    child(ComboBox3, u"ComboBox3"_s);
    auto label = [this](const QString& name) { return findChild<QLabel*>(name); };
    Edit1->setReadOnly(true);
    Edit2->setReadOnly(true);
    Edit4->setMaxLength(254);

    // The base's "Valider" and "Annuler" are the wizard's Button5 and Button3.
    Button5 = TCommandDialog::Button1;
    Button5->setObjectName(u"Button5"_s);
    Button5->setText(kNext);
    Button3 = TCommandDialog::Button2;
    Button3->setObjectName(u"Button3"_s);
    auto button = [this](const QString& name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        return b;
    };
    Button1 = button(u"Button1"_s, u"Modifier"_s);
    Button2 = button(u"Button2"_s, u"Defaut"_s);
    Button4 = button(u"Button4"_s, u"<< Precedent"_s);
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(u"SpeedButton1"_s);
    SpeedButton1->setText(u"msdn"_s);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(u"PageControl1"_s);
    PageControl1->tabBar()->setEnabled(false);  // the buttons move between the pages
    auto page = [this](const QString& name, const QString& caption) {
        auto* sheet = new QWidget(PageControl1);
        sheet->setObjectName(name);
        PageControl1->addTab(sheet, caption);
        return sheet;
    };
    TabSheet1 = page(u"TabSheet1"_s, u"Capture"_s);
    TabSheet4 = page(u"TabSheet4"_s, u"Edition"_s);
    TabSheet2 = page(u"TabSheet2"_s, u"Sélection"_s);
    TabSheet3 = page(u"TabSheet3"_s, u"Comportements"_s);

    // Capture.
    Image1 = new QLabel(TabSheet1);
    Image1->setObjectName(u"Image1"_s);
    Image1->setPixmap(targetPicture());
    Image1->setFixedSize(40, 40);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFrameShape(QFrame::Panel);
    Image1->setCursor(Qt::CrossCursor);
    Image1->installEventFilter(this);
    auto* capture = new QVBoxLayout(TabSheet1);
    capture->addWidget(banner(u"Image3"_s, TabSheet1));
    capture->addWidget(stepLabel(u"Label11"_s,
                                 u"Étape 1. Placer le curseur de la souris sur la cible ci-dessous, maintenez le bouton "
                                 "gauche enfoncé et déplacez la cible sur l'objet à capturer, puis relâchez le bouton."_s,
                                 TabSheet1));
    capture->addWidget(Image1, 0, Qt::AlignHCenter);
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3}) capture->addWidget(box);
    capture->addStretch(1);

    // Edition.
    auto* edition = new QVBoxLayout(TabSheet4);
    edition->addWidget(banner(u"Image4"_s, TabSheet4));
    edition->addWidget(stepLabel(
        u"Label1"_s, u"Étape 2. Edition des valeurs. Vous pouvez éditer les valeurs de chaque objets."_s, TabSheet4));
    auto* fields = new QGridLayout;
    int at = 0;
    for (auto [name, edit] : {std::pair{u"Label5"_s, Edit1}, {u"Label8"_s, Edit2}, {u"Label6"_s, Edit3},
                              {u"Label7"_s, Edit4}, {u"Label9"_s, Edit5}, {u"Label10"_s, Edit6}}) {
        fields->addWidget(label(name), at, 0);
        fields->addWidget(edit, at, 1);
        if (edit == Edit3) fields->addWidget(SpeedButton1, at, 2);
        ++at;
    }
    edition->addLayout(fields);
    edition->addWidget(Button1, 0, Qt::AlignRight);
    edition->addStretch(1);

    // Criteria.
    CheckListBox1 = new QListWidget(TabSheet2);
    CheckListBox1->setObjectName(u"CheckListBox1"_s);
    auto* criteria = new QVBoxLayout(TabSheet2);
    criteria->addWidget(banner(u"Image5"_s, TabSheet2));
    criteria->addWidget(stepLabel(
        u"Label2"_s, u"Étape 3. Sélectionner les critères qui permettront de retrouver l'objet."_s, TabSheet2));
    criteria->addWidget(CheckListBox1);

    // Behaviours.
    RadioGroup1 = new QGroupBox(u"Si l'objet n'a pas été trouvé"_s, TabSheet3);
    RadioGroup1->setObjectName(u"RadioGroup1"_s);
    auto* notFound = new QVBoxLayout(RadioGroup1);
    notFound_ = radioGroup(RadioGroup1, {u"Attendre"_s, u"Ne rien faire"_s}, notFound);
    RadioGroup2 = new QGroupBox(u"Si plusieurs objets ont été trouvés"_s, TabSheet3);
    RadioGroup2->setObjectName(u"RadioGroup2"_s);
    auto* several = new QVBoxLayout(RadioGroup2);
    several_ = radioGroup(RadioGroup2, {u"Permettre a l'utilisateur de choisir"_s, u"Ne rien faire"_s,
                                        u"Sélectionner le"_s},
                          nullptr);
    several->addWidget(several_->button(0));
    several->addWidget(several_->button(1));
    auto* nth = new QHBoxLayout;
    nth->addWidget(several_->button(2));
    nth->addWidget(ComboBox3);
    auto* nthTail = new QLabel(u"ème"_s, RadioGroup2);
    nthTail->setObjectName(u"Label14"_s);
    nth->addWidget(nthTail);
    nth->addStretch(1);
    several->addLayout(nth);
    auto* behaviours = new QVBoxLayout(TabSheet3);
    behaviours->addWidget(banner(u"Image6"_s, TabSheet3));
    behaviours->addWidget(stepLabel(
        u"Label12"_s, u"Étape 4. Remplissez les comportements à adopter pour chaque objet."_s, TabSheet3));
    behaviours->addWidget(label(u"Label3"_s));
    behaviours->addWidget(ComboBox1);
    behaviours->addWidget(RadioGroup1);
    behaviours->addWidget(RadioGroup2);
    behaviours->addWidget(label(u"Label4"_s));
    behaviours->addWidget(ComboBox2);
    behaviours->addStretch(1);

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(u"TreeView1"_s);
    TreeView1->setHeaderHidden(true);

    auto* left = new QVBoxLayout;
    left->addWidget(stepLabel(u"Label13"_s, u"Objet capturé et ses parents"_s, this));
    left->addWidget(TreeView1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(left, 2);
    middle->addWidget(PageControl1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    for (QPushButton* b : {Button3, Button4, Button5}) buttons->addWidget(b);
    auto* column = new QVBoxLayout(this);
    column->addWidget(banner(u"Image2"_s, this));
    column->addLayout(middle, 1);
    column->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, &TForm16::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm16::Button2Click);
    connect(Button4, &QPushButton::clicked, this, &TForm16::Button4Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm16::SpeedButton1Click);
    connect(TreeView1, &QTreeWidget::itemClicked, this, &TForm16::TreeView1Click);
    connect(CheckListBox1, &QListWidget::itemChanged, this, &TForm16::CheckListBox1Change);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm16::pageShown);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &TForm16::loadBehaviour);
    connect(notFound_, &QButtonGroup::idClicked, this, &TForm16::storeBehaviour);
    connect(several_, &QButtonGroup::idClicked, this, [this](int index) {
        ComboBox3->setEnabled(index == 2);
        if (index == 2 && ComboBox3->currentText().isEmpty()) ComboBox3->setEditText(u"1"_s);
        storeBehaviour();
    });
    for (QComboBox* box : {ComboBox2, ComboBox3}) connect(box, &QComboBox::editTextChanged, this, &TForm16::storeBehaviour);
}

QAction* SpyMenuItem(const QString& name, const QString& caption) {
    if (!Form1.made() || !Form1->MenuOutils) return nullptr;
    if (auto* made = Form1->findChild<QAction*>(name)) return made;
    auto* item = new QAction(caption, Form1);
    item->setObjectName(name);
    Form1->MenuOutils->insertAction(Form1->mesoutils1 ? Form1->mesoutils1->menuAction() : nullptr, item);
    return item;
}

void InstallSpyMenus() {
    if (QAction* item = SpyMenuItem(u"Spy1"_s, u"Spy (capture d'objet)"_s))
        QObject::connect(item, &QAction::triggered, item, [] { Form16->Spy1Click(); });
    if (QAction* item = SpyMenuItem(u"RechercherObjet1"_s, u"Rechercher Objets"_s))
        QObject::connect(item, &QAction::triggered, item, [] { Form17->RechercherObjet1Click(); });
}

void TForm16::Spy1Click() {
    ShowForAdd();
    PageControl1->setCurrentWidget(TabSheet1);
}

// ---- Opening and closing ----

void TForm16::startOn(QWidget* page) {
    const TSettings& s = settings();
    CheckBox1->setChecked(s.SpyReduceForm);
    CheckBox2->setChecked(s.SpyReduceApp);
    CheckBox3->setChecked(s.SpyShowObjet);
    Image1->show();
    setCaptions();
    Button4->setText(u"<< Precedent"_s);
    RebuildTree();
    PageControl1->setCurrentWidget(page);
    pageShown();
}

void TForm16::LoadDefaults() {
    ClearCaptured();
    CheckListBox1->clear();
    loadedRows_.clear();
    loadedParams_.clear();
    startOn(TabSheet1);
}

// The run of "Objet" rows around the row (one capture), at most 48 rows from its first.
void TForm16::LoadFields(const QString&) {
    LoadDefaults();
    const int row = TargetRow();
    TListView* list = Form1->ListView1;
    if (row < 0) return;
    int first = row, last = row;
    while (first > 0 && list->keyword(first - 1) == u"Objet"_s) --first;
    while (last + 1 < list->count() && list->keyword(last + 1) == u"Objet"_s) ++last;
    last = qMin(last, first + kMaxObjects - 1);
    for (int r = first; r <= last; ++r) {
        CapturedObjects << ObjectFromParams(list->params(r), ParamSeparator());
        loadedRows_ << QPersistentModelIndex(list->items().index(r, 0));
        loadedParams_ << list->params(r);
    }
    startOn(TabSheet4);
}

void TForm16::AfterShow() {}

void TForm16::setCaptions() {
    Button4->setText(u"<< Précedent"_s);
    Button5->setText(PageControl1->currentWidget() == TabSheet3 ? kFinish : kNext);
}

void TForm16::FormClose() {
    capturing_ = false;
    ClearCaptured();
    CheckListBox1->clear();
    loadedRows_.clear();
    loadedParams_.clear();
    PageControl1->setCurrentWidget(TabSheet1);
    Button4->setText(u"<< Precedent"_s);
    Button5->setText(kNext);
}

// ---- The capture ----

bool TForm16::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Image1 && e->type() == QEvent::MouseButtonPress) {
        const auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::LeftButton && m->buttons() == Qt::LeftButton && m->modifiers() == Qt::NoModifier) {
            PrcRun();
            return true;
        }
    }
    if (watched == Image1 && e->type() == QEvent::MouseButtonRelease) {
        PrcStop();
        return true;
    }
    return TCommandDialog::eventFilter(watched, e);
}

// Follows the cursor until the button is released (the release may reach
// another window: the button's state tells it too).
void TForm16::PrcRun() {
    platform::Platform& d = platform::desktop();
    QApplication::setOverrideCursor(QCursor(Image1->pixmap(), 16, 16));
    Image1->hide();
    const Qt::WindowStates mainState = Form1->windowState();
    if (CheckBox1->isChecked()) showMinimized();
    if (CheckBox2->isChecked()) Form1->showMinimized();
    capturing_ = true;
    quint64 last = 0;
    while (capturing_) {
        const platform::POINT at = d.GetCursorPos();
        setWindowTitle(u"Spy - X : %1 Y : %2"_s.arg(at.x).arg(at.y));
        if (const quint64 w = d.WindowFromPoint(at); w && w != last) {
            CaptureWindow(w);
            last = w;
        }
        QCoreApplication::processEvents();
        if (!d.IsKeyDown(platform::VK_LBUTTON)) break;
        QThread::msleep(10);
    }
    capturing_ = false;
    Image1->show();
    QApplication::restoreOverrideCursor();
    showNormal();
    raise();
    activateWindow();
    Form1->setWindowState(mainState);
    setWindowTitle(u"Spy"_s);
}

void TForm16::PrcStop() { capturing_ = false; }

void TForm16::CaptureWindow(quint64 w) {
    if (!w) return;
    if (CheckBox3->isChecked()) {
        const quint64 top = mdlfnct::GetTopParentWindow(w);
        if (platform::desktop().IsWindowVisible(top)) mdlfnct::ForceForegroundWindow(top);
    }
    LoadWindowChain(w);
}

void TForm16::LoadWindowChain(quint64 w) {
    platform::Platform& d = platform::desktop();
    ClearCaptured();
    QVector<quint64> chain{w};
    for (quint64 p = d.GetParent(w); p && chain.size() <= kMaxObjects; p = d.GetParent(p)) chain.prepend(p);
    for (quint64 window : chain)
        if (!AddCapturedObject(window)) break;
    RebuildTree();
}

bool TForm16::AddCapturedObject(quint64 w) {
    if (CapturedObjects.size() >= kMaxObjects)
        return Refuse(u"Le nombre limite d'objet listé est de %1."_s.arg(kMaxObjects));
    CapturedObjects << DescribeWindow(w);
    return true;
}

void TForm16::ClearCaptured() {
    CapturedObjects.clear();
    TreeView1->clear();
    Button5->setEnabled(false);
}

// ---- The tree and the pages ----

void TForm16::RebuildTree() {
    TreeView1->clear();
    for (const TCmObjet& o : std::as_const(CapturedObjects)) {
        QTreeWidgetItem* parent = nullptr;
        if (o.UseApplication && !o.Application.isEmpty()) {  // an unknown program has no node
            parent = findNode(TreeView1, o.Application, kModuleNode);
            if (!parent) parent = addNode(TreeView1, nullptr, o.Application, kModuleNode);
        }
        if (QTreeWidgetItem* p = findNode(TreeView1, QString::number(o.ParentHandle), kHandleNode)) parent = p;
        QTreeWidgetItem* node = addNode(TreeView1, parent, QString::number(o.Handle), kHandleNode);
        const std::tuple<bool, QString, int> details[] = {{o.UseClass, o.ClassName, kClassNode},
                                                          {o.UseText, o.Text, kTextNode},
                                                          {o.UseWidth, QString::number(o.Width), kWidthNode},
                                                          {o.UseHeight, QString::number(o.Height), kHeightNode}};
        for (const auto& [on, text, picture] : details)
            if (on) addNode(TreeView1, node, text, picture);
    }
    TreeView1->expandAll();
    Button5->setEnabled(TreeView1->topLevelItemCount() > 0);
}

TCmObjet* TForm16::objectOf(const QString& handle) {
    for (TCmObjet& o : CapturedObjects)
        if (QString::number(o.Handle) == handle) return &o;
    return nullptr;
}

void TForm16::pageShown() {
    QWidget* page = PageControl1->currentWidget();
    Button4->setEnabled(page != TabSheet1);
    if (page == TabSheet2) FillCriteriaList();
    if (page == TabSheet3) {
        FillLists();
        const QSignalBlocker quiet(ComboBox1);
        ComboBox1->clear();
        for (const TCmObjet& o : std::as_const(CapturedObjects)) ComboBox1->addItem(QString::number(o.Handle));
        ComboBox1->setCurrentIndex(0);
        loadBehaviour();
    }
}

void TForm16::NextPage() {
    const int at = PageControl1->currentIndex();
    if (at < PageControl1->count() - 1) PageControl1->setCurrentIndex(at + 1);
    setCaptions();
    if (!TreeView1->currentItem() && !CapturedObjects.isEmpty())
        TreeView1->setCurrentItem(findNode(TreeView1, QString::number(CapturedObjects.last().Handle), kHandleNode));
    TreeView1Click();
}

void TForm16::Button4Click() {
    const int at = PageControl1->currentIndex();
    if (at > 0) PageControl1->setCurrentIndex(at - 1);
    setCaptions();
}

void TForm16::TreeView1Click() {
    QTreeWidgetItem* node = TreeView1->currentItem();
    while (node && image(node) != kHandleNode) node = TreeView1->itemAbove(node);
    if (!node) return;
    QWidget* page = PageControl1->currentWidget();
    if (page == TabSheet3) {
        ComboBox1->setCurrentText(node->text(0));
        loadBehaviour();
    }
    const TCmObjet* o = objectOf(node->text(0));
    if (page != TabSheet4 || !o) return;
    Edit1->setText(QString::number(o->Handle));
    Edit2->setText(QString::number(o->ParentHandle));
    Edit3->setText(o->ClassName);
    Edit4->setText(o->Text);
    Edit5->setText(QString::number(o->Width));
    Edit6->setText(QString::number(o->Height));
}

// Every number is read before anything is stored: a field that holds no
// whole number is named and nothing changes.
void TForm16::Button1Click() {
    if (CapturedObjects.isEmpty()) return;
    TCmObjet* o = objectOf(Edit1->text());
    if (!o) o = &CapturedObjects.first();
    qint64 numbers[4];
    const std::pair<QLineEdit*, QString> fields[] = {
        {Edit1, u"Handle"_s}, {Edit2, u"Handle Parent"_s}, {Edit5, u"Longueur"_s}, {Edit6, u"Largeur"_s}};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = i < 2 ? fields[i].first->text().toLongLong(&ok) : fields[i].first->text().toInt(&ok);
        if (!ok) {
            Refuse(u"Le champ « %1 » doit contenir un nombre entier : « %2 » n'en est pas un."_s.arg(
                fields[i].second, fields[i].first->text()));
            return;
        }
    }
    o->Handle = numbers[0];
    o->ParentHandle = numbers[1];
    o->ClassName = Edit3->text();
    o->Text = Edit4->text();
    o->Width = int(numbers[2]);
    o->Height = int(numbers[3]);
    RebuildTree();
}

void TForm16::Button2Click() {
    TSettings& s = settings();
    s.SpyReduceForm = CheckBox1->isChecked();
    s.SpyReduceApp = CheckBox2->isChecked();
    s.SpyShowObjet = CheckBox3->isChecked();
    platform::IniFile ini(Form1->GetConfigFileName());
    ini.WriteString(u"Spy"_s, u"ReduceForm"_s, TForm1::BoolToText(s.SpyReduceForm));
    ini.WriteString(u"Spy"_s, u"ReduceApp"_s, TForm1::BoolToText(s.SpyReduceApp));
    ini.WriteString(u"Spy"_s, u"ShowObjet"_s, TForm1::BoolToText(s.SpyShowObjet));
    ini.UpdateFile();
}

// The developer documentation's search for the class (a class named "T..."
// is looked for without its "T" too).
void TForm16::SpeedButton1Click() {
    const QString name = Edit3->text();
    if (name.isEmpty()) return;
    QString query = name;
    if (name.startsWith(u't', Qt::CaseInsensitive)) query += u'+' + name.mid(1);
    Services().OpenUrl(QUrl(u"https://social.msdn.microsoft.com/search/results.aspx?na=81&st=a&View=msdn&qu=&qp=&qa="_s +
                            query + u"&qn=&c=4&s=2"_s));
}

void TForm16::FillCriteriaList() {
    const QSignalBlocker quiet(CheckListBox1);
    CheckListBox1->clear();
    for (const TCmObjet& o : std::as_const(CapturedObjects)) {
        new QListWidgetItem(u"+ Propriétés"_s, CheckListBox1);
        for (const CriterionWord& c : kWords) {
            auto* item = new QListWidgetItem(QString::number(o.Handle) + ParamSeparator() + QString::fromUtf16(c.word) +
                                                 ParamSeparator() + criterionValue(o, c.use),
                                             CheckListBox1);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(o.*c.use ? Qt::Checked : Qt::Unchecked);
        }
    }
}

void TForm16::CheckListBox1Change(QListWidgetItem* item) {
    if (!(item->flags() & Qt::ItemIsUserCheckable)) return;
    const TParamFields f = SplitFields(item->text(), ParamSeparator());
    TCmObjet* o = objectOf(f[1]);
    if (!o) return;
    for (const CriterionWord& c : kWords)
        if (f[2] == QString::fromUtf16(c.word)) o->*c.use = item->checkState() == Qt::Checked;
    RebuildTree();
}

void TForm16::loadBehaviour() {
    const TCmObjet* o = objectOf(ComboBox1->currentText());
    if (!o || loading_) return;
    loading_ = true;
    checkIndex(notFound_, o->NotFoundAction - 1);
    checkIndex(several_, o->SeveralAction - 1);
    ComboBox2->setEditText(o->CountVariable);
    ComboBox3->setEditText(o->Choice);
    ComboBox3->setEnabled(several_->checkedId() == 2);
    loading_ = false;
}

void TForm16::storeBehaviour() {
    TCmObjet* o = objectOf(ComboBox1->currentText());
    if (!o || loading_) return;
    o->NotFoundAction = notFound_->checkedId() + 1;
    o->SeveralAction = several_->checkedId() + 1;
    o->CountVariable = ComboBox2->currentText();
    o->Choice = ComboBox3->currentText();
}

// ---- Finishing ----

// "Suivant >>" moves on; "Terminer" writes once every row fits.
bool TForm16::Validate() {
    if (Button5->text() != kFinish) {
        NextPage();
        return false;
    }
    for (int i = firstWritten(); i < CapturedObjects.size(); ++i)
        if (!fitsWithAnyHandles(CapturedObjects[i]))
            return Refuse(u"L'objet %1 ne tient pas dans les %2 caractères d'une ligne : raccourcissez son texte "
                          "ou sa classe (page Edition)."_s.arg(CapturedObjects[i].Handle).arg(kMaxFieldLength));
    return true;
}

// From the last object whose parent is no criterion: its ancestors only led to it.
int TForm16::firstWritten() const {
    for (qsizetype i = CapturedObjects.size(); i-- > 0;)
        if (!CapturedObjects[i].UseParent) return int(i);
    return 0;
}

bool TForm16::loadedRowsIntact() const {
    const TListView* list = Form1->ListView1;
    for (qsizetype i = 0; i < loadedRows_.size(); ++i) {
        const QPersistentModelIndex& row = loadedRows_[i];
        if (!row.isValid() || list->keyword(row.row()) != u"Objet"_s || list->params(row.row()) != loadedParams_[i])
            return false;
    }
    return !loadedRows_.isEmpty();
}

bool TForm16::Commit() {
    TListView* list = Form1->ListView1;
    if (Modifying() && !loadedRowsIntact())
        return Refuse(u"Les lignes en cours de modification ont été supprimées ou changées depuis l'ouverture de "
                      "cette fenêtre : la modification n'est pas enregistrée."_s);
    const THistoryGroup group;
    const EditModeAs add(false);
    if (!Modifying()) {
        for (int i = firstWritten(); i < CapturedObjects.size(); ++i)
            Form1->add_insert(u"Objet"_s, ObjectParams(CapturedObjects[i]), 17);
        return true;
    }
    const int first = loadedRows_.first().row();
    for (qsizetype i = loadedRows_.size(); i-- > 0;) list->remove(loadedRows_[i].row());
    for (int i = firstWritten(), at = first; i < CapturedObjects.size(); ++i, ++at) {
        list->insert(at, {u"Objet"_s, ObjectParams(CapturedObjects[i]), 17});
        Form1->SaveBeforeChange(at);
    }
    TForm1::Select_unique(list, first);
    return true;
}

void TForm16::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && Button5->isEnabled()) return Button5->click();
    TCommandDialog::keyPressEvent(e);
}
