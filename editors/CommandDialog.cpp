#include "editors/CommandDialog.h"

#include "core/Dialogs.h"
#include "core/HelpContext.h"
#include "core/History.h"
#include "core/Params.h"
#include "core/Unit1.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent) {}

void TComboBox::showPopup() {
    emit DropDown();
    QComboBox::showPopup();
}

void TClickLabel::mouseReleaseEvent(QMouseEvent* e) {
    QLabel::mouseReleaseEvent(e);
    emit Click();
}

TComboBox* NewTextCombo(QWidget* parent, const QString& name) {
    auto* box = new TComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setMaxLength(kMaxFieldLength);
    return box;
}

void FillKeepingText(QComboBox* box, const QStringList& items) {
    const QString text = box->currentText();
    {
        const QSignalBlocker quiet(box);
        box->clear();
        box->addItems(items);
    }
    if (box->isEditable())
        box->setEditText(text);
    else
        box->setCurrentIndex(box->findText(text));
}

bool FitsInRow(const QString& params) {
    if (params.size() <= kMaxFieldLength) return true;
    MessageDlg(QStringLiteral("Les paramètres de la commande dépassent %1 caractères : raccourcissez le texte.")
                   .arg(kMaxFieldLength),
               MsgType::Warning, mbOK);
    return false;
}

THistoryGroup::THistoryGroup(bool active) : active_(active && Form1.made()) {
    if (active_) Form1->AddHistory(0, HistoryAction::GroupBegin, QString(), QString());
}

THistoryGroup::~THistoryGroup() {
    if (active_ && Form1.made()) Form1->AddHistory(0, HistoryAction::GroupEnd, QString(), QString());
}

TCommandDialog::TCommandDialog(int number, const QString& caption, const QString& keyword, int helpContext,
                               QWidget* parent)
    : TForm(number, caption, parent), keyword_(keyword) {
    Button1 = new QPushButton(QStringLiteral("Valider"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Annuler"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button1, &QPushButton::clicked, this, &TCommandDialog::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TCommandDialog::Button2Click);
    SetHelpContext(this, helpContext);
    InstallFormHelp(this);
}

QBoxLayout* TCommandDialog::ButtonRow() {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(Button1);
    row->addWidget(Button2);
    return row;
}

void TCommandDialog::AddBeside(QWidget* control, QWidget* extra) {
    QWidget* holder = control->parentWidget();  // the dialog, or the group box it stands in
    auto* pair = new QWidget(holder);
    auto* row = new QHBoxLayout(pair);
    row->setContentsMargins(0, 0, 0, 0);
    delete holder->layout()->replaceWidget(control, pair);
    row->addWidget(control, 1);
    row->addWidget(extra);
    besides_.append(std::pair{control, extra});
}

QToolButton* TCommandDialog::AddButtonBeside(QWidget* control, const QString& name, const QString& hint) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(QStringLiteral("..."));
    button->setToolTip(hint);
    AddBeside(control, button);
    return button;
}

void TCommandDialog::ShowForAdd(const QString& keyword) {
    const QString k = keyword.isEmpty() ? keyword_ : keyword;
    if (isVisible() && !modifying_ && k == keyword_) {
        raise();
        activateWindow();
        return;
    }
    open(false, -1, k);
}

void TCommandDialog::ShowForModify(int row) {
    TListView* list = Form1->ListView1;
    if (!list->hasRow(row)) return;
    RowEditing().modifying = true;
    open(true, row, list->keyword(row));
}

void TCommandDialog::open(bool modifying, int row, const QString& keyword) {
    TListView* list = Form1->ListView1;
    keyword_ = keyword;
    modifying_ = modifying;
    target_ = modifying ? QPersistentModelIndex(list->items().index(row, 0)) : QPersistentModelIndex();
    targetParams_ = modifying ? list->params(row) : QString();
    showForKeyword();
    firstChoices();
    if (!modifying && emptyOnAdd_) emptyControls();
    FillLists();
    if (modifying)
        LoadFields(targetParams_);
    else
        LoadDefaults();
    if (!isVisible()) {
        orderTabs();
        PlaceNear(*this, Form1);
    }
    show();
    raise();
    activateWindow();
    AfterShow();
}

void TCommandDialog::orderTabs() {
    QWidgetList order;
    auto add = [&](QWidget* w) {
        if (w && (w->focusPolicy() & Qt::TabFocus) && !order.contains(w)) order << w;
    };
    for (const Control& c : std::as_const(controls_)) {
        add(c.widget);
        for (const auto& [control, extra] : std::as_const(besides_))
            if (control == c.widget) add(extra);
    }
    for (const Choices& g : std::as_const(choices_))
        for (QAbstractButton* b : g.buttons->buttons()) add(b);
    QWidgetList others;
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
        if (isAncestorOf(w) && w != Button1 && w != Button2) others << w;
    for (QWidget* w : std::as_const(others))
        if (std::none_of(order.cbegin(), order.cend(), [w](const QWidget* o) { return o->isAncestorOf(w); }))
            add(w);
    add(Button1);
    add(Button2);
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

int TCommandDialog::TargetRow() const {
    if (!modifying_ || !target_.isValid()) return -1;
    const int row = target_.row();
    const TListView* list = Form1->ListView1;
    if (list->keyword(row) != keyword_ || list->params(row) != targetParams_) return -1;
    return row;
}

int TCommandDialog::IconIndex() const { return TForm1::GetImageIndexOfText(CommandKeyword()); }

bool TCommandDialog::Refuse(const QString& message) {
    MessageDlg(message, MsgType::Warning, mbOK);
    return false;
}

int TCommandDialog::TargetRowOrTell() const {
    const int row = TargetRow();
    if (row < 0)
        Refuse(QStringLiteral("La ligne en cours de modification a été supprimée ou changée depuis "
                              "l'ouverture de cette fenêtre : la modification n'est pas enregistrée."));
    return row;
}

bool TCommandDialog::WriteRow(const QString& keyword, const QString& params, int icon) {
    if (!FitsInRow(params)) return false;
    if (modifying_) {
        const int row = TargetRowOrTell();
        if (row < 0) return false;
        if (keyword != keyword_) {
            const THistoryGroup replaced;
            const bool breakpoint = Form1->ListView1->icon(row) == kBreakpointIcon;
            Form1->ListView1->remove(row);
            InsertRow(row, keyword, params, breakpoint ? kBreakpointIcon : icon);
            TForm1::Select_unique(Form1->ListView1, row);
            return true;
        }
        RowEditing().previousParams = targetParams_;
        const EditModeAs modify(true);
        Form1->ListView1->setParams(row, params);
        Form1->SaveBeforeChange(row);
        return true;
    }
    // Another dialog may be modifying a row meanwhile: this one adds all the same.
    const EditModeAs add(false);
    Form1->add_insert(keyword, params, icon);
    return true;
}

void TCommandDialog::InsertRow(int index, const QString& keyword, const QString& params, int icon) {
    Form1->ListView1->insert(index, {keyword, params, icon});
    const EditModeAs add(false);
    Form1->SaveBeforeChange(index);
}

bool TCommandDialog::Commit() { return WriteRow(CommandKeyword(), BuildParams(), IconIndex()); }

void TCommandDialog::Button1Click() {
    if (!Validate() || !Commit()) return;
    AfterCommit();
    close();
}

void TCommandDialog::Button2Click() { close(); }

void TCommandDialog::closeEvent(QCloseEvent* e) {
    RowEditing().modifying = false;
    modifying_ = false;
    target_ = QPersistentModelIndex();
    FormClose();
    e->accept();
}

TCommandDialog* CommandDialog(int formNumber) { return qobject_cast<TCommandDialog*>(Window(formNumber)); }
