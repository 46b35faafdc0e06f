#pragma once
// The macro document: its rows as a Qt model, and the names they declare
// (variables and their kinds, labels, procedures). The main window shows one
// in ListView1; the runner, the checker and the sub-macros work on documents
// of their own, no widget needed.
#include <QAbstractTableModel>
#include <QHash>
#include <QPersistentModelIndex>
#include <QStringList>
#include <QVector>

// One row of a macro.
struct MacroCommand {
    QString keyword;  // column "Commande"
    QString params;   // column "Paramètres"
    int icon = -1;    // index into the command icons; 19 marks a breakpoint
    bool operator==(const MacroCommand&) const = default;
};

constexpr int kBreakpointIcon = 19;

// An "Inclusion" row expanded into the rows of its file, folded back after
// the run (core/Inclusions.cpp).
struct TInclude {
    QString fileName;  // the "Inclusion" row's parameter string
    int row = 0;       // where the row stood and the inserted rows began
    int count = 0;     // rows inserted
    // The rows inserted, wherever edits move them, and the row that followed them.
    QVector<QPersistentModelIndex> rows;
    QPersistentModelIndex next;
    int parent = -1;  // the entry whose rows held this "Inclusion" row
};
using TTabOfInclude = QVector<TInclude>;

class TMacroDocument : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // ---- The model ----
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    // The column captions change with the language.
    bool setHeaderData(int section, Qt::Orientation o, const QVariant& value, int role = Qt::EditRole) override;

    // ---- The rows ----
    const QVector<MacroCommand>& rows() const { return rows_; }
    const MacroCommand& at(int row) const { return rows_[row]; }
    int count() const { return int(rows_.size()); }
    const MacroCommand& item(int row) const { return rows_[row]; }
    bool hasRow(int row) const { return row >= 0 && row < count(); }
    QString keyword(int row) const { return rows_[row].keyword; }
    QString params(int row) const { return rows_[row].params; }
    int icon(int row) const { return rows_[row].icon; }

    void setRow(int row, const MacroCommand& c);
    void setKeyword(int row, const QString& k);
    void setParams(int row, const QString& p);
    void setIcon(int row, int icon);
    int add(const MacroCommand& c);               // appended; its index
    void insert(int row, const MacroCommand& c);  // before row (append when row == count)
    void append(const QVector<MacroCommand>& rows);
    void insertRows(int row, const QVector<MacroCommand>& rows);
    // Deletes the row; deletion() is emitted first, with the row still in place.
    void remove(int row);
    void removeRowAt(int row);  // no deletion signal
    // Moves one row to the place of another; the row keeps its identity.
    void moveRowTo(int from, int to);
    void clear();  // no deletion signals
    void clearRows() { clear(); }
    // Field fieldNo (1..20) of a row becomes value, the other fields kept;
    // false when that changed nothing.
    bool ChangeField(int row, int fieldNo, const QString& value);
    // The rows that named window handle oldHandle (an object's field 1, its
    // parent in field 2, a "Fonction" in field 4) name newHandle.
    void ReplaceHandle(qint64 oldHandle, qint64 newHandle);

    // ---- What the rows declare ----
    // The kind the first "Variable" row declaring name gives it: "Numerique",
    // "Alpha", "Objet", or "No_Type" when no row declares it.
    QString KindOf(const QString& name) const;
    // The names the "Variable" rows declare, once each, of the kinds asked.
    QStringList Variables(bool alpha, bool numerique) const;
    // The value field of the first declaration of name, between quotes for an
    // "Alpha" one when quote is not null; empty when not declared.
    QString InitialValue(const QString& name, QChar quote) const;
    // A field of a row other than its declaration names it (anywhere in a
    // "Calcul évolué" expression).
    bool VarUse(const QString& name) const;
    // The declaration row of the procedure of that parameter string; -1 when none.
    int ProcedureRow(const QString& name) const;
    // The "END" that closes the procedure declared at start (nesting counted); -1 when none.
    int EndOfProcedure(int start) const;
    // Up to index, as many ends as declarations (one declaration more with oneOpen).
    bool ProceduresBalanced(int index, bool oneOpen) const;
    // The last row of that keyword and parameter string; -1 when none.
    int FindRow(const QString& keyword, const QString& params) const;
    // A row of that keyword whose field fieldNo (1..20) is text.
    bool HasRowWithField(const QString& keyword, int fieldNo, const QString& text) const;

    // The inclusions expanded in this document; not empty exactly while expanded.
    TTabOfInclude Includes;

signals:
    void deletion(int row, const MacroCommand& c);

private:
    void touched();

    QVector<MacroCommand> rows_;
    QStringList headers_ = {QStringLiteral("Commande"), QStringLiteral("Paramètres")};
    mutable QHash<QString, QString> kinds_;
    mutable QChar kindsSeparator_;
    mutable bool kindsValid_ = false;
};
