// The macro document: parameter strings, icons and list editing of TForm1.
#include "core/CommandNames.h"
#include "core/Dialogs.h"
#include "core/Unit1.h"
#include "core/Helpers.h"
#include "core/Services.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

TRowEditing& RowEditing() {
    static TRowEditing editing;
    return editing;
}

void TForm1::GetParam(const QString& s, TParamFields& fields) { fields = GetParam(s); }

TParamFields TForm1::GetParam(const QString& s) { return SplitFields(s, ParamSeparator(), SplitRule::Editor); }

void TForm1::GetParamToStr(const TParamFields& fields, QString& s) {
    if (fields.Count <= 1) {
        s.clear();
    } else if (fields.Count == 2) {
        s = fields[1];
    } else {
        for (int i = 1; i < fields.Count && i <= 20; ++i) s += fields[i] + ParamSeparator();
    }
}

bool TForm1::TextToBool(const QString& s) { return s == QLatin1String("True"); }

void TForm1::BoolToText(bool value, QString& s) { s = BoolToText(value); }

QString TForm1::BoolToText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

int TForm1::GetImageIndex(const TMacroFileRecord& record) {
    const int c = CommandCase(record.keyword);
    return c ? CommandIcon(c) : Services().PluginIcon(record.keyword);
}

int TForm1::GetImageIndexOfText(const QString& keyword) {
    return GetImageIndex({keyword.left(TMacroFileRecord::kKeywordSize), QString()});
}

void TForm1::Add_commande(TListView* list, const TMacroFileRecord& record) {
    list->add({record.keyword, record.params, GetImageIndex(record)});
}

void TForm1::Insert_commande(TListView* list, const TMacroFileRecord& record, int index) {
    list->insert(index, {record.keyword, record.params, GetImageIndex(record)});
}

void TForm1::add_insert(const QString& keyword, const QString& params, int imageIndex) {
    int row = ListView1->count();
    const int selected = ListView1->selectedIndex();
    if (!Edition2->isChecked() && selected >= 0) row = selected + 1;
    ListView1->insert(row, {keyword, params, imageIndex});
    Select_unique(ListView1, row);
    if (!RowEditing().modifying) SaveBeforeChange(row);
}

void TForm1::ChangeParam(TListView* list, int index, int fieldNo, const QString& newValue, bool saveHistory) {
    if (!list->hasRow(index)) return;
    const QString keptPrevious = RowEditing().previousParams;
    RowEditing().previousParams = list->params(index);
    RowEditing().modifying = true;
    if (list->items().ChangeField(index, fieldNo, newValue) && saveHistory && list == ListView1)
        SaveBeforeChange(index);
    RowEditing().modifying = false;
    RowEditing().previousParams = keptPrevious;
}

// Neighbours trade places. The moved row stays the same row, so whatever
// follows rows (an expanded inclusion's) follows it.
void TForm1::MoveCommande(TListView* list, int from, int to) {
    if (!list->hasRow(from) || !list->hasRow(to)) return;
    list->items().moveRowTo(from, to);
    if (qAbs(from - to) > 1) list->items().moveRowTo(from > to ? to + 1 : to - 1, from);
}

// An index equal to the row count is clamped to the last row like any larger
// index: "select exactly one row" then always selects one when the list has rows.
void TForm1::Select_unique(QObject* control, int index) {
    auto* list = qobject_cast<TListView*>(control);
    if (!list) return;
    const int n = list->count();
    if (index < 0 && n > 0) index = 0;
    if (index >= n) index = n - 1;
    list->clearSelection();
    list->setSelected(index, true);
    if (list->selCount() == 1) list->scrollToRow(index);
}

bool TForm1::VarUse(TListView* list, const QString& name) const { return list->document().VarUse(name); }

int TForm1::Fonction_Pos(const QString& keyword, const QString& params, TListView* list) const {
    return list->document().FindRow(keyword, params);
}

bool TForm1::Fonction_existe(TListView* list, const QString& keyword, const QString& params) const {
    return Fonction_Pos(keyword, params, list) >= 0;
}

void TForm1::Supprimer1Click() {
    const int first = ListView1->selectedIndex();
    if (first < 0 || !ListView1->hasFocus()) {
        // Del belongs to the text field of an open command dialog.
        QWidget* field = QApplication::focusWidget();
        if (field && field->window() != this &&
            (qobject_cast<QLineEdit*>(field) || qobject_cast<QComboBox*>(field) ||
             qobject_cast<QTextEdit*>(field) || qobject_cast<QPlainTextEdit*>(field))) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
            QApplication::sendEvent(field, &press);
        }
        return;
    }
    for (int r = ListView1->count() - 1; r >= 0; --r) {
        if (!ListView1->isSelected(r)) continue;
        const QString keyword = ListView1->keyword(r);
        const QString name = SplitFields(ListView1->params(r), ParamSeparator())[1];
        if (keyword == QLatin1String("Variable") && VarUse(ListView1, name) &&
            mdlfnct::CountCommandsWithParam(QStringLiteral("Variable"), name, *Macro, ParamSeparator()) < 2) {
            MessageDlg(QStringLiteral("La variable nommée ") + name +
                           QStringLiteral(" ne peut pas être supprimer car elle est utilisée dans les paramètres "
                                          "d'une autre commande."),
                       MsgType::Warning, mbOK);
            continue;
        }
        if (keyword == QLatin1String("Label") && Fonction_Pos(QStringLiteral("Goto"), name, ListView1) >= 0 &&
            mdlfnct::CountCommandsWithParam(QStringLiteral("Label"), name, *Macro, ParamSeparator()) < 2) {
            MessageDlg(QStringLiteral("Le label nommée ") + name +
                           QStringLiteral(" ne peut pas être supprimer car il est utilisé dans une commande Goto."),
                       MsgType::Warning, mbOK);
            continue;
        }
        ListView1->remove(r);
    }
    Select_unique(ListView1, first - 1);
}

void TForm1::ListView1Deletion(int row, const MacroCommand& item) {
    if (!ListView1->isVisible()) return;
    AddHistory(row + 1, QStringLiteral("Suppression"), item.keyword, item.params);
    const int selected = ListView1->selectedIndex();
    StatusPanel[3]->setText(
        QStringLiteral("Ligne %1/%2").arg(selected < 0 ? 0 : selected + 1).arg(ListView1->count()));
}

void TForm1::Monterdunniveau1Click() {
    const int i = ListView1->selectedIndex();
    if (i <= 0 || ListView1->selCount() != 1) return;
    const int j = i - 1;
    AddHistory(i + 1, QStringLiteral("Monter d'un niveau"), ListView1->keyword(i), QString::number(j + 1));
    MoveCommande(ListView1, i, j);
    Select_unique(ListView1, j);
}

void TForm1::Descendredunniveau1Click() {
    const int i = ListView1->selectedIndex();
    if (i < 0 || ListView1->selCount() != 1 || i >= ListView1->count() - 1) return;
    const int j = i + 1;
    AddHistory(i + 1, QStringLiteral("Descendre d'un niveau"), ListView1->keyword(i), QString::number(j + 1));
    MoveCommande(ListView1, i, j);
    Select_unique(ListView1, j);
}

void TForm1::Insertion1Click() {
    Insertion1->setChecked(true);
    Edition2->setChecked(false);
}

void TForm1::Edition2Click() {
    Edition2->setChecked(true);
    Insertion1->setChecked(false);
}
