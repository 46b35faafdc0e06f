#include "editors/Unit8.h"

#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/Helpers.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "engine/SysVars.h"
#include "engine/Unit20.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {
const QString kVariable = u"Variable"_s;
const QString kOperators = u"*+-/="_s;
}  // namespace

TForm8::TForm8(QWidget* parent) : TCommandDialog(8, u"Déclaration de variable"_s, kVariable, 1139, parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    Declare({.size = {300, 210},
             .controls = {{.kind = ControlKind::Line, .name = u"Edit1"_s, .place = PlaceOf(Command::Variable, 1), .label = u"Label1"_s,
                           .caption = u"Nom de la variable"_s},
                          {.kind = ControlKind::Line, .name = u"Edit2"_s, .place = PlaceOf(Command::Variable, 2), .label = u"Label2"_s,
                           .caption = u"Valeur Initiale"_s}},
             .choices = {{.place = PlaceOf(Command::Variable, 3),
                          .choices = {{u"RadioButton1"_s, u"Label4"_s, u"  Alphanumérique"_s, u"Alpha"_s},
                                      {u"RadioButton2"_s, u"Label5"_s, u"  Numérique"_s, u"Numerique"_s}}}},
             .checks = {{[this] { return !Edit1->text().isEmpty(); }, u"Vous devez donner un nom à votre variable."_s},
                        {[this] {
                             const QString value = Edit2->text();
                             return !RadioButton2->isChecked() || mdlfnct::IsInteger(value) || value == Edit1->text();
                         },
                         u"Vous avez choisi une variable numérique, vous devez donc choisir un nombre entier pour "
                         u"initialiser cette variable."_s}},
             .checkMode = CheckMode::EveryFailure});
    ArrangeInColumn();
    Edit1 = findChild<QLineEdit*>(u"Edit1"_s);
    Edit2 = findChild<QLineEdit*>(u"Edit2"_s);
    Label2 = findChild<QLabel*>(u"Label2"_s);
    Label4 = findChild<QLabel*>(u"Label4"_s);
    Label5 = findChild<QLabel*>(u"Label5"_s);
    RadioButton1 = findChild<QRadioButton*>(u"RadioButton1"_s);
    RadioButton2 = findChild<QRadioButton*>(u"RadioButton2"_s);
    SpeedButton1 = AddButtonBeside(Edit1, u"SpeedButton1"_s, u"Variables systèmes"_s);
    OpenDialog1 = new TFileDialog(this, TFileDialog::Open, u"OpenDialog1"_s);
    OpenDialog1->Filter = u"Tous|*.*"_s;
    FolderDialog = new TFileDialog(this, TFileDialog::Folder, u"FolderDialog"_s);
    FolderDialog->Title = u"Entrez le nom du répertoire"_s;

    // The value field's menu.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(u"PopupMenu1"_s);
    auto item = [this](QMenu* menu, const char* name, const QString& text, auto act) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, act);
        return a;
    };
    item(PopupMenu1, "Annuler1", u"Annuler"_s, [this] { Edit2->undo(); });
    PopupMenu1->addSeparator();
    item(PopupMenu1, "Couper1", u"Couper"_s, [this] { Edit2->cut(); });
    item(PopupMenu1, "Copier1", u"Copier"_s, [this] { Edit2->copy(); });
    item(PopupMenu1, "Coller1", u"Coller"_s, [this] { Edit2->paste(); });
    item(PopupMenu1, "Supprimer1", u"Supprimer"_s, [this] { Edit2->clear(); });
    PopupMenu1->addSeparator();
    QMenu* data = PopupMenu1->addMenu(u"Données"_s);
    data->setObjectName(u"Donnees1"_s);
    item(data, "Date1", u"Date"_s, [this] { Edit2->setText(QDate::currentDate().toString(kShortDateFormat)); });
    item(data, "Heure1", u"Heure"_s, [this] { Edit2->setText(QTime::currentTime().toString(u"hh:mm:ss"_s)); });
    item(data, "Fichier1", u"Fichier"_s, [this] {
        if (OpenDialog1->Execute()) Edit2->setText(OpenDialog1->FileName);
    });
    item(data, "Repertoire1", u"Répertoire"_s, [this] {
        if (FolderDialog->Execute()) Edit2->setText(FolderDialog->FileName);
    });
    PopupMenu1->addSeparator();
    item(PopupMenu1, "Selectionnertout1", u"Séléctionner tout"_s, [this] { Edit2->selectAll(); });
    Edit2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Edit2, &QLineEdit::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1Popup();
        PopupMenu1->popup(Edit2->mapToGlobal(at));
    });

    connect(Edit1, &QLineEdit::textEdited, this, &TForm8::filterName);
    connect(Edit1, &QLineEdit::textChanged, this, &TForm8::Edit1Change);
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
        if (on && Edit2->text().isEmpty()) Edit2->setText(u"0"_s);
    });
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm8::SpeedButton1Click);
}

bool TForm8::ForbiddenInName(QChar c) { return kOperators.contains(c) || c == ParamSeparator(); }

void TForm8::filterName(const QString& typed) {
    QString kept = typed;
    kept.removeIf(ForbiddenInName);
    if (kept == typed) return;
    const int cursor = Edit1->cursorPosition();
    const QStringView left = QStringView(typed).left(cursor);
    Edit1->setText(kept);
    Edit1->setCursorPosition(int(cursor - std::count_if(left.begin(), left.end(), ForbiddenInName)));
    const bool operators = std::any_of(typed.begin(), typed.end(), [](QChar c) { return kOperators.contains(c); });
    const QString why =
        operators ? u"Caractères impossibles dans le nom de variable + - / * ="_s
                  : u"Caractère impossible dans le nom de variable : %1 sépare les paramètres."_s.arg(
                        ParamSeparator());
    Form1->ShowBalloonTip(Edit1, 0, why, u"Information"_s);
}

// A system variable's name sets what its kind and access allow.
void TForm8::Edit1Change() {
    for (QWidget* w : std::initializer_list<QWidget*>{Edit2, Label2, RadioButton1, RadioButton2, Label4, Label5})
        w->setEnabled(true);
    const int i = SystemVariableIndex(Edit1->text());
    if (i < 0) return;
    const TSysVar& v = TListOfSysVar[i];
    if (!v.Writable) {
        Edit2->setEnabled(false);
        Label2->setEnabled(false);
    }
    if (v.IsAlpha) {
        Edit2->clear();
        RadioButton1->setChecked(true);
        RadioButton2->setEnabled(false);
        Label5->setEnabled(false);
    } else {
        Edit2->setText(u"0"_s);
        RadioButton2->setChecked(true);
        RadioButton1->setEnabled(false);
        Label4->setEnabled(false);
    }
}

void TForm8::SpeedButton1Click() {
    TForm20* list = Form20;
    list->ShowList();
    list->Label1->setText(u"Liste des variables systèmes"_s);
    QTreeWidget* rows = list->ListView1;
    rows->setColumnWidth(3, qMax(40, list->width() - 222));
    rows->resizeColumnToContents(3);
    if (QTreeWidgetItem* named = rows->findItems(Edit1->text(), Qt::MatchExactly | Qt::MatchCaseSensitive).value(0)) {
        rows->setCurrentItem(named);
        rows->scrollToItem(named);
        list->ListView1Click();
    }
}

void TForm8::PopupMenu1Popup() {
    PopupMenu1->findChild<QAction*>(u"Annuler1"_s)->setEnabled(Edit2->isUndoAvailable());
    PopupMenu1->findChild<QAction*>(u"Selectionnertout1"_s)
        ->setEnabled(Edit2->selectedText().size() < Edit2->text().size());
}

void TForm8::LoadDefaults() {
    Edit2->clear();
    Form1->New_Var_Name(Edit1);
}

void TForm8::AfterShow() {
    Edit1->setFocus();
    openedName_ = Edit1->text();
}

bool TForm8::addAtHead(const QString& params) {
    if (!FitsInRow(params)) return false;
    const TListView* list = Form1->ListView1;
    int at = 0;
    while (at < list->count() && list->keyword(at) == kVariable) ++at;
    InsertRow(at, kVariable, params, IconIndex());
    return true;
}

// A renamed declaration whose old name other rows use: the user chooses
// whether they follow; the declaration and the rows that follow it are one
// step of the history.
bool TForm8::Commit() {
    const QString params = BuildParams();
    if (!Modifying()) return settings().VarHeader ? addAtHead(params) : TCommandDialog::Commit();
    const QString newName = Edit1->text();
    if (newName == openedName_) return TCommandDialog::Commit();
    if (!FitsInRow(params)) return false;
    const int row = TargetRowOrTell();
    if (row < 0) return false;
    TListView* list = Form1->ListView1;
    const QString before = list->params(row);
    list->setParams(row, params);  // so that the declaration itself does not count as a use
    const bool used = Form1->ChangeVarName(openedName_, newName, false);
    list->setParams(row, before);
    const bool follow =
        used && MessageDlg(u"Vous avez changé le nom de la variable alors qu'elle est utilisée en paramètre. Voulez "
                           u"vous réctifier automatiquement le nom de cette variable dans les autres commandes."_s,
                           MsgType::Warning, mbOK | mbCancel, u"Attention"_s) == mrOk;
    const THistoryGroup group(follow);
    if (!TCommandDialog::Commit()) return false;
    if (follow) Form1->ChangeVarName(openedName_, newName, true);
    return true;
}
