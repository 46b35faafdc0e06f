#include "core/MacroDocument.h"

#include "core/Helpers.h"
#include "core/MacroList.h"
#include "core/Params.h"

// ---- The model ----

int TMacroDocument::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

int TMacroDocument::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant TMacroDocument::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size()) return {};
    const MacroCommand& c = rows_[index.row()];
    if (role == Qt::DisplayRole || role == Qt::EditRole) return index.column() == 0 ? c.keyword : c.params;
    if (role == Qt::DecorationRole && index.column() == 0 && c.icon >= 0) return CommandIcons::icon(c.icon);
    return {};
}

QVariant TMacroDocument::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return headers_.value(section);
}

bool TMacroDocument::setHeaderData(int section, Qt::Orientation o, const QVariant& value, int role) {
    if (o != Qt::Horizontal || section < 0 || section >= headers_.size() || role != Qt::EditRole) return false;
    headers_[section] = value.toString();
    emit headerDataChanged(o, section, section);
    return true;
}

// ---- The rows ----

void TMacroDocument::touched() { kindsValid_ = false; }

void TMacroDocument::setRow(int row, const MacroCommand& c) {
    if (rows_[row] == c) return;
    rows_[row] = c;
    touched();
    emit dataChanged(index(row, 0), index(row, 1));
}

void TMacroDocument::setKeyword(int row, const QString& k) {
    MacroCommand c = item(row);
    c.keyword = k;
    setRow(row, c);
}

void TMacroDocument::setParams(int row, const QString& p) {
    MacroCommand c = item(row);
    c.params = p;
    setRow(row, c);
}

void TMacroDocument::setIcon(int row, int icon) {
    MacroCommand c = item(row);
    c.icon = icon;
    setRow(row, c);
}

int TMacroDocument::add(const MacroCommand& c) {
    insertRows(count(), {c});
    return count() - 1;
}

void TMacroDocument::insert(int row, const MacroCommand& c) { insertRows(qBound(0, row, count()), {c}); }

void TMacroDocument::append(const QVector<MacroCommand>& rows) { insertRows(count(), rows); }

void TMacroDocument::insertRows(int row, const QVector<MacroCommand>& rows) {
    if (rows.isEmpty()) return;
    beginInsertRows({}, row, row + int(rows.size()) - 1);
    rows_.insert(row, rows.size(), MacroCommand{});
    std::copy(rows.begin(), rows.end(), rows_.begin() + row);
    touched();
    endInsertRows();
}

void TMacroDocument::remove(int row) {
    if (!hasRow(row)) return;
    emit deletion(row, item(row));
    removeRowAt(row);
}

void TMacroDocument::removeRowAt(int row) {
    beginRemoveRows({}, row, row);
    rows_.removeAt(row);
    touched();
    endRemoveRows();
}

void TMacroDocument::moveRowTo(int from, int to) {
    if (from == to) return;
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    rows_.move(from, to);
    touched();
    endMoveRows();
}

void TMacroDocument::clear() {
    beginResetModel();
    rows_.clear();
    touched();
    endResetModel();
}

bool TMacroDocument::ChangeField(int row, int fieldNo, const QString& value) {
    if (!hasRow(row) || fieldNo < 1 || fieldNo > 20) return false;
    const QChar separator = ParamSeparator();
    const TParamFields f = SplitFields(params(row), separator, SplitRule::Editor);
    if (f[fieldNo] == value) return false;
    QString s;
    for (int i = 1; i < f.Count && i <= 20; ++i) s += (i == fieldNo ? value : f[i]) + separator;
    setParams(row, s);
    return true;
}

void TMacroDocument::ReplaceHandle(qint64 oldHandle, qint64 newHandle) {
    const QString o = QString::number(oldHandle), n = QString::number(newHandle);
    for (int r = 0; r < count(); ++r) {
        const QString k = keyword(r);
        const TParamFields f = SplitFields(params(r), ParamSeparator(), SplitRule::Editor);
        if (f[1] == o) ChangeField(r, 1, n);
        if (k == u"Fonction" && f[4] == o) ChangeField(r, 4, n);
        if (k == u"Objet" && f[2] == o) ChangeField(r, 2, n);
    }
}

// ---- What the rows declare ----

namespace {
bool isVariableRow(const MacroCommand& c) { return c.keyword == u"Variable"; }
}  // namespace

// The first declaration of a name counts; rebuilt after any change of the
// rows or of the separator.
QString TMacroDocument::KindOf(const QString& name) const {
    if (!kindsValid_ || kindsSeparator_ != ParamSeparator()) {
        kinds_.clear();
        for (const MacroCommand& c : rows_) {
            if (!isVariableRow(c)) continue;
            const TParamFields f = SplitFields(c.params, ParamSeparator(), SplitRule::Runner);
            if (!kinds_.contains(f[1])) kinds_.insert(f[1], f[qBound(1, f.Count - 1, 20)]);
        }
        kindsSeparator_ = ParamSeparator();
        kindsValid_ = true;
    }
    return kinds_.value(name, QStringLiteral("No_Type"));
}

QStringList TMacroDocument::Variables(bool alpha, bool numerique) const {
    QStringList names;
    for (const MacroCommand& c : rows_) {
        if (!isVariableRow(c)) continue;
        const TParamFields f = SplitFields(c.params, ParamSeparator(), SplitRule::Editor);
        if (names.contains(f[1]) || (f[3] == u"Alpha" && !alpha) || (f[3] == u"Numerique" && !numerique)) continue;
        names << f[1];
    }
    return names;
}

QString TMacroDocument::InitialValue(const QString& name, QChar quote) const {
    for (const MacroCommand& c : rows_) {
        if (!isVariableRow(c)) continue;
        const TParamFields f = SplitFields(c.params, ParamSeparator(), SplitRule::Editor);
        if (f[1] != name) continue;
        return f[3] == u"Alpha" && quote != QChar(u'\0') ? quote + f[2] + quote : f[2];
    }
    return {};
}

bool TMacroDocument::VarUse(const QString& name) const {
    for (const MacroCommand& c : rows_) {
        const TParamFields f = SplitFields(c.params, ParamSeparator(), SplitRule::Editor);
        if (isVariableRow(c) && f[1] == name) continue;
        for (int i = 1; i < f.Count && i <= 20; ++i)
            if (f[i] == name) return true;
        if (c.keyword == QStringLiteral("Calcul évolué") && f[1].contains(name)) return true;
    }
    return false;
}

int TMacroDocument::ProcedureRow(const QString& name) const {
    if (mdlfnct::ProcedureRowRole(name) != mdlfnct::ProcedureRole::Declaration) return -1;
    for (int r = 0; r < count(); ++r)
        if (rows_[r].keyword == u"Procedure" && rows_[r].params == name) return r;
    return -1;
}

int TMacroDocument::EndOfProcedure(int start) const {
    if (start < 0) return -1;
    int depth = 0;
    for (int r = start; r < count(); ++r) {
        if (rows_[r].keyword != u"Procedure") continue;
        const mdlfnct::ProcedureRole role = mdlfnct::ProcedureRowRole(rows_[r].params);
        if (role == mdlfnct::ProcedureRole::End) --depth;
        else if (role == mdlfnct::ProcedureRole::Declaration) ++depth;
        if (depth == 0) return r;
    }
    return -1;
}

bool TMacroDocument::ProceduresBalanced(int index, bool oneOpen) const {
    int ends = 0, declarations = 0;
    for (int r = qMin(index, count() - 1); r >= 0; --r) {
        if (rows_[r].keyword != u"Procedure") continue;
        const mdlfnct::ProcedureRole role = mdlfnct::ProcedureRowRole(rows_[r].params);
        if (role == mdlfnct::ProcedureRole::End) ++ends;
        else if (role == mdlfnct::ProcedureRole::Declaration) ++declarations;
    }
    return oneOpen ? declarations - 1 == ends : declarations == ends;
}

int TMacroDocument::FindRow(const QString& keyword, const QString& params) const {
    for (int r = count() - 1; r >= 0; --r)
        if (rows_[r].keyword == keyword && rows_[r].params == params) return r;
    return -1;
}

bool TMacroDocument::HasRowWithField(const QString& keyword, int fieldNo, const QString& text) const {
    if (fieldNo < 1 || fieldNo > 20) return false;
    for (const MacroCommand& c : rows_)
        if (c.keyword == keyword && SplitFields(c.params, ParamSeparator(), SplitRule::Editor)[fieldNo] == text)
            return true;
    return false;
}
