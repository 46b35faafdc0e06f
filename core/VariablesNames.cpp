// Names declared by the rows of a macro: variables, labels, procedures and
// objects; fresh default names and the rename of a variable.
#include "core/Unit1.h"
#include "core/Helpers.h"

#include <QComboBox>
#include <QLineEdit>

namespace {
// Refills the items of a combo box; an editable one keeps its text.
class ComboFill {
public:
    explicit ComboFill(QObject* control) : combo_(qobject_cast<QComboBox*>(control)) {
        if (!combo_) return;
        text_ = combo_->currentText();
        combo_->clear();
    }
    ~ComboFill() {
        if (combo_ && combo_->isEditable()) combo_->setEditText(text_);
    }
    QComboBox* combo() const { return combo_; }
    void clearText() { text_.clear(); }

private:
    QComboBox* combo_;
    QString text_;
};

void addOnce(QComboBox* combo, const QString& text) {
    if (combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) combo->addItem(text);
}

// Field 1 of every row with one of the keywords, once each.
void listFirstFields(TListView* list, QComboBox* combo, std::initializer_list<const char16_t*> keywords) {
    for (const MacroCommand& c : list->items().rows())
        for (const char16_t* k : keywords)
            if (c.keyword == QStringView(k)) addOnce(combo, SplitFields(c.params, ParamSeparator())[1]);
}

// The "<Var3>"-style name after those the rows already declare, in row order.
QString freshName(TListView* list, const QString& keyword, const QString& stem, int* number) {
    int n = 1;
    const QChar separator = ParamSeparator();
    for (const MacroCommand& c : list->items().rows())
        if (c.keyword == keyword && SplitFields(c.params, separator)[1] == u'<' + stem + QString::number(n) + u'>') ++n;
    *number = n;
    return u'<' + stem + QString::number(n) + u'>';
}

// A character that ends a name inside an expression.
bool isDelimiter(QChar c) {
    return QStringView(u" *+-/=(),").contains(c) || c == ParamSeparator();
}
}  // namespace

void TForm1::List_Var(QStringList& strings, bool alpha, bool numerique, TListView* list) const {
    strings = (list ? list : ListView1)->document().Variables(alpha, numerique);
}

void TForm1::GetInitialValueofVar(const QString& name, QChar quote, QString& value) const {
    value = ListView1->document().InitialValue(name, quote);
}

void TForm1::List_Label(QObject* comboBox) const {
    const ComboFill fill(comboBox);
    if (fill.combo()) listFirstFields(ListView1, fill.combo(), {u"Label"});
}

void TForm1::List_procedure(QObject* comboBox) const {
    const ComboFill fill(comboBox);
    if (!fill.combo()) return;
    for (const MacroCommand& c : ListView1->items().rows())
        if (c.keyword == u"Procedure" && mdlfnct::ProcedureRowRole(c.params) == mdlfnct::ProcedureRole::Declaration)
            addOnce(fill.combo(), c.params);
}

void TForm1::List_Objet(QObject* comboBox) const {
    const ComboFill fill(comboBox);
    if (fill.combo()) listFirstFields(ListView1, fill.combo(), {u"Objet"});
}

void TForm1::List_var_and_objet(QObject* comboBox) const {
    ComboFill fill(comboBox);
    fill.clearText();
    if (fill.combo()) listFirstFields(ListView1, fill.combo(), {u"Variable", u"Objet"});
}

bool TForm1::Fonction_existe_with_param(TListView* list, const QString& keyword, int fieldNo,
                                        const QString& text) const {
    return (list ? list : ListView1)->document().HasRowWithField(keyword, fieldNo, text);
}

int TForm1::procedure_exists(TListView* list, const QString& name) const {
    return (list ? list : ListView1)->document().ProcedureRow(mdlfnct::GetVarValue(name));
}

int TForm1::FindEndOfProcedure(TListView* list, int start) const {
    return (list ? list : ListView1)->document().EndOfProcedure(start);
}

bool TForm1::CanGetEndofProcedure(TListView* list, int index, bool oneOpen) const {
    return (list ? list : ListView1)->document().ProceduresBalanced(index, oneOpen);
}

void TForm1::New_Var_Name(QObject* edit) const {
    auto* line = qobject_cast<QLineEdit*>(edit);
    if (!line) return;
    int n = 0;
    line->setText(freshName(ListView1, QStringLiteral("Variable"), QStringLiteral("Var"), &n));
    line->setSelection(1, int(QString::number(n).size()) + 3);  // "Var3" of "<Var3>"
}

void TForm1::New_Label_Name(QObject* comboBox) const {
    auto* combo = qobject_cast<QComboBox*>(comboBox);
    if (!combo) return;
    int n = 0;
    const QString name = freshName(ListView1, QStringLiteral("Label"), QStringLiteral("Label"), &n);
    if (combo->isEditable()) combo->setEditText(name);
    else combo->setCurrentText(name);
}

// Every later declaration goes, adjacent repeats included.
void TForm1::OneVarOnly(const QString& name, TListView* list) {
    if (!list) list = ListView1;
    bool kept = false;
    for (int r = 0; r < list->count();) {
        if (list->keyword(r) == u"Variable" && SplitFields(list->params(r), ParamSeparator())[1] == name) {
            if (kept) {
                list->remove(r);
                continue;
            }
            kept = true;
        }
        ++r;
    }
}

void TForm1::Update_Objet(TListView* list, int oldNumber, int newNumber) {
    (list ? list : ListView1)->document().ReplaceHandle(oldNumber, newNumber);
}

// Tokens are runs between the delimiters " *+-/=(),", the parameter
// separator and the delimiters themselves; a token equal to oldName is replaced.
void TForm1::ChangeVarNameIntoSimpleText(const QString& text, const QString& oldName, const QString& newName,
                                         QString& result) {
    result.clear();
    QString token;
    auto flush = [&] {
        result += token == oldName ? newName : token;
        token.clear();
    };
    for (const QChar c : text) {
        if (isDelimiter(c)) {
            flush();
            result += c;
        } else {
            token += c;
        }
    }
    flush();
}

// Testing (apply false): true when a rename would change some row. Applying:
// each changed row is rewritten once, with its history row; RowEditing().modifying and
// RowEditing().previousParams are given back as they were found.
bool TForm1::ChangeVarName(const QString& oldName, const QString& newName, bool apply) {
    const bool keptEditMode = RowEditing().modifying;
    const QString keptPrevious = RowEditing().previousParams;
    for (int r = 0; r < ListView1->count(); ++r) {
        const QString keyword = ListView1->keyword(r);
        const QString params = ListView1->params(r);
        const TParamFields original = GetParam(params);
        TParamFields f = original;
        QString rewritten = params;
        if (keyword == u"Calcul évolué") {
            ChangeVarNameIntoSimpleText(params, oldName, newName, rewritten);
        } else {
            for (int i = 1; i < f.Count && i <= 20; ++i) {
                if (i == 3 && keyword == u"ScriptEval") {
                    QString script;
                    ChangeVarNameIntoSimpleText(f[3], oldName, newName, script);
                    f[3] = script;
                }
                if (f[i] == oldName) f[i] = newName;
            }
            if (f.field != original.field) {
                rewritten.clear();
                GetParamToStr(f, rewritten);
            }
        }
        if (rewritten == params) continue;
        if (!apply) return true;
        RowEditing().previousParams = params;
        RowEditing().modifying = true;
        ListView1->setParams(r, rewritten);
        SaveBeforeChange(r);
    }
    RowEditing().modifying = keptEditMode;
    RowEditing().previousParams = keptPrevious;
    return false;
}
