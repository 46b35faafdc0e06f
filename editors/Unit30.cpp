#include "editors/Unit30.h"

#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/Helpers.h"
#include "core/Params.h"
#include "core/Unit1.h"
#include "engine/ListFile.h"
#include "look/Colors.h"

#include <QAbstractTableModel>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>

using namespace Qt::StringLiterals;

// The sample file, one character per cell; one empty row after the lines.
class TCharGrid : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setLines(const QStringList& lines) {
        beginResetModel();
        lines_ = lines;
        columns_ = 1;
        for (const QString& line : lines) columns_ = std::max(columns_, int(line.size()));
        endResetModel();
    }
    int rowCount(const QModelIndex& = {}) const override { return int(lines_.size()) + 1; }
    int columnCount(const QModelIndex& = {}) const override { return columns_; }
    QChar at(int column, int row) const {
        if (row < 0 || row >= lines_.size()) return {};
        const QString& line = lines_[row];
        return column >= 0 && column < line.size() ? line[column] : QChar();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole) return {};
        const QChar c = at(index.column(), index.row());
        return c.isNull() || c == u'\t' ? QString() : QString(c);
    }

private:
    QStringList lines_;
    int columns_ = 1;
};

namespace {

// The character, then the boundary at the left edge of a marked column.
class MarkDelegate : public QStyledItemDelegate {
public:
    MarkDelegate(TForm30* form, QObject* parent) : QStyledItemDelegate(parent), form_(form) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(p, option, index);
        const QVector<char> marks = form_->RowMarks(index.row());
        if (index.column() >= marks.size() || !marks[index.column()]) return;
        p->setPen(ColorToQColor(0x808000));
        p->drawLine(option.rect.topLeft(), option.rect.bottomLeft());
    }

private:
    TForm30* form_;
};

const QString kSource = u"Vous devez obligatoirement specifier une variable à traiter."_s;
const char16_t* const kDelimiterWords[] = {u"Tab", u"Space", u"Point virgule", u"Virgule"};
constexpr char16_t kDelimiterChars[] = {u'\t', u' ', u';', u','};
constexpr int kMaxFields = 6;

// A name without one leading "<" and one trailing ">" (a single character stays).
QString bare(QString name) {
    if (name.size() > 1 && name.startsWith(u'<')) name.remove(0, 1);
    if (name.size() > 1 && name.endsWith(u'>')) name.chop(1);
    return name;
}

bool declared(const QString& name) { return Form1->Fonction_existe_with_param(nullptr, u"Variable"_s, 1, name); }

}  // namespace

TForm30::TForm30(QWidget* parent) : TCommandDialog(30, u"Définition de champs"_s, u"Champs"_s, 1124, parent) {
    Declare({.size = {640, 560},
             .controls = {{.name = u"ComboBox1"_s, .place = ParamField(1), .label = u"Label2"_s,
                           .caption = u"Variable à traiter"_s, .list = ListSource::AlphaVariables},
                          {.name = u"ComboBox2"_s, .label = u"Label3"_s, .caption = u"Nom du champ"_s,
                           .list = ListSource::AlphaVariables, .dropDown = AllVariables},
                          {.kind = ControlKind::Line, .name = u"Edit1"_s}}});
    ComboBox1 = findChild<TComboBox*>(u"ComboBox1"_s);
    ComboBox2 = findChild<TComboBox*>(u"ComboBox2"_s);
    Edit1 = findChild<QLineEdit*>(u"Edit1"_s);
    Edit1->setMaxLength(1);
    Edit1->setMaximumWidth(30);
    // "Valider" is Button2 here and "Fermer" Button1.
    Button1->setObjectName(u"Button2"_s);
    Button2->setObjectName(u"Button1"_s);
    Button2->setText(u"Fermer"_s);

    auto newLabel = [this](const QString& name, const QString& text) {
        auto* label = new TClickLabel(text, this);
        label->setObjectName(name);
        return label;
    };
    auto newButton = [this](const QString& name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        return b;
    };

    // The data type.
    auto* types = new QButtonGroup(this);
    RadioButton1 = new QRadioButton(this);
    RadioButton1->setObjectName(u"RadioButton1"_s);
    RadioButton2 = new QRadioButton(this);
    RadioButton2->setObjectName(u"RadioButton2"_s);
    types->addButton(RadioButton1);
    types->addButton(RadioButton2);
    RadioButton1->setChecked(true);
    connect(RadioButton1, &QRadioButton::clicked, this, [this] { RadioButtonClick(true); });
    connect(RadioButton2, &QRadioButton::clicked, this, [this] { RadioButtonClick(false); });
    TClickLabel* label18 = newLabel(u"Label18"_s, u" Délimité"_s);
    TClickLabel* label19 = newLabel(u"Label19"_s, u" Longueur fixe"_s);
    connect(label18, &TClickLabel::Click, RadioButton1, &QRadioButton::click);
    connect(label19, &TClickLabel::Click, RadioButton2, &QRadioButton::click);

    // The delimiters.
    auto* separators = new QGroupBox(u"Séparateurs"_s, this);
    separators->setObjectName(u"Bevel1"_s);
    auto* sepGrid = new QGridLayout(separators);
    const char16_t* const captions[] = {u" Tabulation", u" Espace", u"Point virgule", u" Virgule", u" Autre :"};
    const char16_t* const labels[] = {u"Label20", u"Label21", u"Label22", u"Label24", u"Label23"};
    for (int i = 0; i < 5; ++i) {
        auto* box = new QCheckBox(separators);
        box->setObjectName(u"CheckBox%1"_s.arg(i + 1));
        TClickLabel* label = newLabel(QString::fromUtf16(labels[i]), QString::fromUtf16(captions[i]));
        label->setParent(separators);
        connect(label, &TClickLabel::Click, box, &QCheckBox::click);
        connect(box, &QCheckBox::clicked, this, &TForm30::DelimitedAll);
        sepGrid->addWidget(box, i, 0);
        sepGrid->addWidget(label, i, 1);
    }
    Edit1->setParent(separators);
    sepGrid->addWidget(Edit1, 4, 2);
    sepGrid->setColumnStretch(3, 1);
    connect(Edit1, &QLineEdit::textChanged, this, &TForm30::DelimitedAll);

    // The sample.
    OpenDialog1 = new TFileDialog(this, TFileDialog::Open, u"OpenDialog1"_s);
    OpenDialog1->Filter = u"Tous les fichiers|*.*|Texte|*.txt;*.csv"_s;
    auto* open = newButton(u"BitBtn1"_s, u"Ouvrir un fichier"_s);
    connect(open, &QPushButton::clicked, this, &TForm30::BitBtn1Click);
    grid_ = new TCharGrid(this);
    StringGrid1 = new QTableView(this);
    StringGrid1->setObjectName(u"StringGrid1"_s);
    StringGrid1->setToolTip(u"Pour obtenir un aperçu des données, vous devez ouvrir un fichier."_s);
    StringGrid1->setModel(grid_);
    StringGrid1->setItemDelegate(new MarkDelegate(this, StringGrid1));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->horizontalHeader()->setDefaultSectionSize(12);
    StringGrid1->verticalHeader()->setDefaultSectionSize(16);
    StringGrid1->setShowGrid(false);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(StringGrid1, &QTableView::clicked, this,
            [this](const QModelIndex& i) { StringGrid1Click(i.column(), i.row()); });
    connect(StringGrid1, &QTableView::doubleClicked, this, [this](const QModelIndex& i) { StringGrid1DblClick(i.column()); });
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(u"StatusBar1"_s);
    StatusBar1->setSizeGripEnabled(false);

    // What the clicked character belongs to.
    auto* info = new QGroupBox(u"Information de la séléction"_s, this);
    info->setObjectName(u"GroupBox1"_s);
    auto* infoGrid = new QGridLayout(info);
    const char16_t* const infoCaptions[] = {u"Position Depart : ", u"Position Fin : ", u"Bloc :", u"Curseur : "};
    const char16_t* const infoNames[] = {u"Label10", u"Label11", u"Label17", u"Label12"};
    const char16_t* const infoCaptionNames[] = {u"Label5", u"Label6", u"Label7", u"Label8"};
    QLabel* infoLabels[4];
    for (int i = 0; i < 4; ++i) {
        infoGrid->addWidget(new QLabel(QString::fromUtf16(infoCaptions[i]), info), i, 0);
        infoGrid->itemAtPosition(i, 0)->widget()->setObjectName(QString::fromUtf16(infoCaptionNames[i]));
        infoLabels[i] = new QLabel(info);
        infoLabels[i]->setObjectName(QString::fromUtf16(infoNames[i]));
        infoGrid->addWidget(infoLabels[i], i, 1);
    }
    Label10 = infoLabels[0];
    Label11 = infoLabels[1];
    Label17 = infoLabels[2];
    Label12 = infoLabels[3];

    // The fields.
    Button3 = newButton(u"Button3"_s, u"Ajouter"_s);
    Button4 = newButton(u"Button4"_s, u"Modifier"_s);
    Button5 = newButton(u"Button5"_s, u"Supprimer"_s);
    connect(Button3, &QPushButton::clicked, this, &TForm30::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm30::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm30::Button5Click);
    connect(ComboBox2, &QComboBox::editTextChanged, this, &TForm30::updateButtons);
    auto* fields = new QGridLayout;
    const char16_t* const headings[] = {u"Nom du champ", u"Bloc", u"Position Fin"};
    const char16_t* const headingNames[] = {u"Label13", u"Label4", u"Label14"};
    for (int i = 0; i < 3; ++i) {
        auto* list = new QListWidget(this);
        list->setObjectName(u"ListBox%1"_s.arg(i + 1));
        list->installEventFilter(this);
        connect(list, &QListWidget::itemClicked, this, [this, list] { SelectField(list->currentRow()); });
        connect(list, &QListWidget::itemSelectionChanged, this, &TForm30::updateButtons);
        fields->addWidget(new QLabel(QString::fromUtf16(headings[i]), this), 0, i);
        fields->itemAtPosition(0, i)->widget()->setObjectName(QString::fromUtf16(headingNames[i]));
        fields->addWidget(list, 1, i);
        (i == 0 ? ListBox1 : i == 1 ? ListBox2 : ListBox3) = list;
    }

    auto* grid = new QGridLayout(this);
    auto* typeRow = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(RadioButton1), static_cast<QWidget*>(label18),
                       static_cast<QWidget*>(RadioButton2), static_cast<QWidget*>(label19)})
        typeRow->addWidget(w);
    typeRow->addStretch(1);
    grid->addLayout(typeRow, 0, 0, 1, 2);
    grid->addWidget(findChild<QLabel*>(u"Label2"_s), 1, 0);
    grid->addWidget(ComboBox1, 2, 0);
    grid->addWidget(open, 2, 1);
    grid->addWidget(separators, 3, 0);
    grid->addWidget(info, 3, 1);
    auto* preview = new QLabel(u"Aperçu des données"_s, this);
    preview->setObjectName(u"Label9"_s);
    grid->addWidget(preview, 4, 0, 1, 2);
    grid->addWidget(StringGrid1, 5, 0, 1, 2);
    grid->addWidget(StatusBar1, 6, 0, 1, 2);
    auto* edited = new QHBoxLayout;
    edited->addWidget(findChild<QLabel*>(u"Label3"_s));
    edited->addWidget(ComboBox2, 1);
    for (QPushButton* b : {Button3, Button4, Button5}) edited->addWidget(b);
    grid->addLayout(edited, 7, 0, 1, 2);
    grid->addLayout(fields, 8, 0, 1, 2);
    grid->setRowStretch(5, 2);
    grid->setRowStretch(8, 1);
    grid->addLayout(ButtonRow(), 9, 0, 1, 2);
    RadioButtonClick(true);
}

QCheckBox* TForm30::CheckBox(int n) const { return findChild<QCheckBox*>(u"CheckBox%1"_s.arg(n)); }

bool TForm30::Delimited() const { return RadioButton1->isChecked(); }

// ---- The sample and its marks ----

void TForm30::InitStringGrid() { ShowSample({}); }

void TForm30::ShowSample(const QStringList& lines) {
    grid_->setLines(lines);
    Marks = QVector<char>(grid_->columnCount(), 0);
    DelimitedAll();
}

void TForm30::BitBtn1Click() {
    OpenDialog1->FileName.clear();
    if (!OpenDialog1->Execute()) return;
    QFile file(OpenDialog1->FileName);
    if (!file.open(QIODevice::ReadOnly)) {
        MessageDlg(u"Le fichier « %1 » ne peut pas être lu : %2"_s.arg(OpenDialog1->FileName, file.errorString()),
                   MsgType::Error, mbOK);
        return;
    }
    StatusBar1->showMessage(OpenDialog1->FileName);
    QStringList lines = textfile::Decode(file.readAll()).remove(u'\r').split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();  // a last line break ends a line
    ShowSample(lines);
}

QVector<QChar> TForm30::delimiters() const {
    QVector<QChar> out;
    for (int i = 0; i < 4; ++i)
        if (CheckBox(i + 1)->isChecked()) out << QChar(kDelimiterChars[i]);
    if (CheckBox(5)->isChecked() && !Edit1->text().isEmpty()) out << Edit1->text()[0];
    return out;
}

void TForm30::ChangeDelimited(QChar delimiter, int row) {
    const int last = int(Marks.size()) - 1;
    for (int c = 0; c <= last; ++c) {
        if (grid_->at(c, row) != delimiter) continue;
        Marks[c] ^= 1;
        if (c > 0 && grid_->at(c - 1, row) == delimiter) Marks[c] ^= 1;
        if (c < last && grid_->at(c + 1, row) != delimiter) Marks[c + 1] ^= 1;
    }
}

QVector<char> TForm30::RowMarks(int row) {
    if (!Delimited()) return Marks;
    if (const auto found = rowMarks_.constFind(row); found != rowMarks_.cend()) return *found;
    Marks.fill(0);
    for (const QChar d : delimiters()) ChangeDelimited(d, row);
    rowMarks_.insert(row, Marks);
    return Marks;
}

void TForm30::DelimitedAll() {
    rowMarks_.clear();
    StringGrid1->viewport()->update();
}

void TForm30::StringGrid1Click(int column, int row) {
    const QVector<char> marks = RowMarks(row);
    const int last = int(marks.size()) - 1;
    int block = 1, start = 0, end = last;
    for (int c = 0; c <= column && c <= last; ++c)
        if (marks[c]) {
            ++block;
            start = c;
        }
    for (int c = column + 1; c <= last; ++c)
        if (marks[c]) {
            end = c - 1;
            break;
        }
    Label10->setText(QString::number(start + 1));
    Label11->setText(QString::number(end + 1));
    Label12->setText(QString::number(column + 1));
    Label17->setText(QString::number(block));
    // The fields of that block, or around those positions.
    for (QListWidget* list : {ListBox1, ListBox2, ListBox3}) list->clearSelection();
    ComboBox2->setEditText(QString());
    for (int i = 0; i < ListBox1->count(); ++i) {
        const bool match = Delimited() ? ListBox2->item(i)->text() == Label17->text()
                                       : ListBox2->item(i)->text().toInt() <= start + 1 &&
                                             ListBox3->item(i)->text().toInt() >= end + 1;
        if (!match) continue;
        for (QListWidget* list : {ListBox1, ListBox2, ListBox3})
            if (QListWidgetItem* item = list->item(i)) item->setSelected(true);
        ComboBox2->setEditText(ListBox1->item(i)->text());
    }
}

void TForm30::StringGrid1DblClick(int column) {
    if (Delimited() || column < 0 || column >= Marks.size()) return;
    Marks[column] ^= 1;
    DelimitedAll();
}

// ---- The fields ----

void TForm30::addField(const QString& name, const QString& second, const QString& third) {
    ListBox1->addItem(name);
    ListBox2->addItem(second);
    if (!Delimited()) ListBox3->addItem(third);
}

void TForm30::emptyFields() {
    for (QListWidget* list : {ListBox1, ListBox2, ListBox3}) list->clear();
    ComboBox2->setEditText(QString());
    StringGrid1->clearSelection();
}

void TForm30::updateButtons() {
    const bool selected = TForm1::GetListBoxSelected(ListBox1) >= 0;
    Button4->setEnabled(selected);
    Button5->setEnabled(selected);
    const QString name = ComboBox2->currentText();
    Button3->setEnabled(!name.isEmpty() && ListBox1->findItems(name, Qt::MatchExactly).isEmpty());
}

void TForm30::Button3Click() {
    if (ComboBox2->currentText().isEmpty()) return;
    QString name = u"<"_s + bare(ComboBox1->currentText()) + u'.' + bare(ComboBox2->currentText()) + u'>';
    if (declared(ComboBox2->currentText()))
        name = ComboBox2->currentText();
    else
        ComboBox2->setEditText(name);
    if (ListBox1->count() >= kMaxFields)
        return void(MessageDlg(u"Le nombre de champs est limité à 6, pour obtenir plus de champs veuillez valider "
                               "cette commande, puis créer en une nouvelle."_s,
                               MsgType::Warning, mbOK));
    if (name == ComboBox1->currentText())
        return void(MessageDlg(u"La variable que vous voulez traiter ne peut pas être en même tant un champ."_s,
                               MsgType::Error, mbOK));
    if (!ListBox1->findItems(name, Qt::MatchExactly).isEmpty())
        return void(MessageDlg(u"Le champ ne peut pas se trouver plus d'une fois dans la liste."_s, MsgType::Error,
                               mbOK));
    if (Delimited())
        addField(name, Label17->text(), {});
    else
        addField(name, Label10->text(), Label11->text());
    updateButtons();
}

void TForm30::Button4Click() {
    const int i = TForm1::GetListBoxSelected(ListBox1);
    if (i < 0) return;
    ListBox1->item(i)->setText(ComboBox2->currentText());
    if (Delimited()) {
        ListBox2->item(i)->setText(Label17->text());
    } else {
        ListBox2->item(i)->setText(Label10->text());
        ListBox3->item(i)->setText(Label11->text());
    }
    ComboBox2->setEditText(QString());
}

// Removes the selected field; with none selected nothing happens.
void TForm30::Button5Click() {
    const int i = TForm1::GetListBoxSelected(ListBox1);
    if (i < 0) return;
    for (QListWidget* list : {ListBox1, ListBox2, ListBox3}) delete list->takeItem(i);
    ComboBox2->setEditText(QString());
    updateButtons();
}

// The Delete key in a list removes the selected field; other keys only move.
bool TForm30::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete &&
        (watched == ListBox1 || watched == ListBox2 || watched == ListBox3)) {
        Button5Click();
        return true;
    }
    return TCommandDialog::eventFilter(watched, e);
}

void TForm30::SelectField(int index) {
    for (QListWidget* list : {ListBox1, ListBox2, ListBox3}) {
        list->clearSelection();
        if (QListWidgetItem* item = list->item(index)) {
            list->setCurrentItem(item);
            item->setSelected(true);
        }
    }
    ListBox1Click();
}

void TForm30::ListBox1Click() {
    const int i = TForm1::GetListBoxSelected(ListBox1);
    updateButtons();
    if (i < 0) return;
    ComboBox2->setEditText(ListBox1->item(i)->text());
    for (QListWidget* list : {ListBox2, ListBox3})
        if (QListWidgetItem* item = list->item(i)) item->setSelected(true);
    // The field's columns over all rows.
    int first = 0, last = grid_->columnCount() - 1;
    if (Delimited()) {
        const QVector<char> marks = RowMarks(std::max(0, StringGrid1->currentIndex().row()));
        const int block = ListBox2->item(i)->text().toInt();
        int n = 1;
        for (int c = 0; c < marks.size(); ++c) {
            if (!marks[c]) continue;
            if (++n == block) first = c;
            if (n == block + 1) {
                last = c - 1;
                break;
            }
        }
    } else {
        first = ListBox2->item(i)->text().toInt() - 1;
        last = ListBox3->item(i) ? ListBox3->item(i)->text().toInt() - 1 : first;
    }
    first = std::clamp(first, 0, grid_->columnCount() - 1);
    last = std::clamp(last, first, grid_->columnCount() - 1);
    StringGrid1->selectionModel()->select(
        QItemSelection(grid_->index(0, first), grid_->index(grid_->rowCount() - 1, last)),
        QItemSelectionModel::ClearAndSelect);
    updateButtons();
}

void TForm30::RadioButtonClick(bool delimited) {
    (delimited ? RadioButton1 : RadioButton2)->setChecked(true);
    findChild<QGroupBox*>(u"Bevel1"_s)->setEnabled(delimited);
    if (!delimited)
        for (int n = 1; n <= 5; ++n) CheckBox(n)->setChecked(false);
    Marks.fill(0);
    findChild<QLabel*>(u"Label4"_s)->setText(delimited ? u"Bloc"_s : u"Position Depart"_s);
    ListBox3->setVisible(!delimited);
    findChild<QLabel*>(u"Label14"_s)->setVisible(!delimited);
    emptyFields();
    DelimitedAll();
    updateButtons();
}

// ---- Opening and "Valider" ----

void TForm30::prepare() {
    // Room for the sample: a few steps taller at most, and none when the form cannot grow.
    for (int step = 0; step < 10 && StringGrid1->height() < 20; ++step) {
        const int before = height();
        resize(width(), before + 20);
        if (height() == before) break;
    }
    Marks.fill(0);
    StatusBar1->clearMessage();
    ComboBox1->setEditText(QString());
    ComboBox2->setEditText(QString());
    DelimitedAll();
}

void TForm30::LoadDefaults() {
    prepare();
    updateButtons();
}

void TForm30::LoadFields(const QString& params) {
    prepare();
    // Every field, the twentieth too: a six-field fixed-width row ends there.
    const TParamFields f = SplitFields(params, ParamSeparator());
    ComboBox1->setEditText(f[1]);
    if (f[2] == u"D") {
        RadioButtonClick(true);
        for (int n = 1; n <= 4; ++n) CheckBox(n)->setChecked(!f[n + 2].isEmpty());
        CheckBox(5)->setChecked(!f[7].isEmpty());
        Edit1->setText(f[7].left(1));
        for (int k = 8; k <= 18; k += 2)
            if (!f[k].isEmpty()) addField(f[k], f[k + 1], {});
    } else {
        RadioButtonClick(false);
        for (int k = 3; k <= 18; k += 3)
            if (!f[k].isEmpty()) addField(f[k], f[k + 1], f[k + 2]);
    }
    DelimitedAll();
    updateButtons();
}

QStringList TForm30::delimiterFields() const {
    QStringList out;
    for (int i = 0; i < 4; ++i) out << (CheckBox(i + 1)->isChecked() ? QString::fromUtf16(kDelimiterWords[i]) : QString());
    out << (CheckBox(5)->isChecked() ? Edit1->text() : QString());
    return out;
}

QString TForm30::BuildParams() const {
    QStringList fields{ComboBox1->currentText(), Delimited() ? u"D"_s : u"F"_s};
    if (Delimited()) fields << delimiterFields();
    for (int i = 0; i < ListBox1->count(); ++i) {
        fields << ListBox1->item(i)->text() << ListBox2->item(i)->text();
        if (!Delimited()) fields << ListBox3->item(i)->text();
    }
    return JoinFields(fields);
}

bool TForm30::Validate() {
    if (!declared(ComboBox1->currentText())) {
        MessageDlg(kSource, MsgType::Error, mbOK);
        return false;
    }
    if (!TCommandDialog::Validate()) return false;
    const QString separator = u"« %1 », le caractère qui sépare les paramètres."_s.arg(ParamSeparator());
    if (CheckBox(5)->isChecked() && Edit1->text() == ParamSeparator())
        return Refuse(u"Le séparateur « Autre » ne peut pas être "_s + separator);
    for (int i = 0; i < ListBox1->count(); ++i)
        if (ListBox1->item(i)->text().contains(ParamSeparator()))
            return Refuse(u"Le nom du champ « %1 » ne peut pas contenir "_s.arg(ListBox1->item(i)->text()) +
                          separator);
    return true;
}

// Field names no "Variable" row declares become "Alpha" variables after the leading declarations.
void TForm30::AfterCommit() {
    bool told = false;
    for (int i = 0; i < ListBox1->count(); ++i) {
        const QString name = ListBox1->item(i)->text();
        if (declared(name)) continue;
        if (!told)
            MessageDlg(u"Certains champs ne sont pas déclarer comme variable, ils seront créés automatiquement."_s,
                       MsgType::Warning, mbOK);
        told = true;
        const TListView* list = Form1->ListView1;
        int at = 0;
        while (list->hasRow(at) && list->keyword(at) == u"Variable") ++at;
        InsertRow(at, u"Variable"_s, name + ParamSeparator() + ParamSeparator() + u"Alpha"_s + ParamSeparator(),
                  TForm1::GetImageIndexOfText(u"Variable"_s));
    }
    RowEditing().modifying = false;
}

void TForm30::FormClose() {
    StringGrid1->clearSelection();
    InitStringGrid();
    emptyFields();
    for (int n = 1; n <= 5; ++n) CheckBox(n)->setChecked(false);
    Edit1->clear();
}
