#pragma once
// The command list: the macro as a Qt model, and the list view that shows it.
// Hidden lists (inclusions, sub-macros) are the same class, never shown.

#include <QAbstractTableModel>
#include <QIcon>
#include <QTreeView>
#include <QVector>

// One row of a macro.
struct MacroCommand {
    QString keyword;  // column "Commande"
    QString params;   // column "Paramètres"
    int icon = -1;    // index into the command icons; 19 marks a breakpoint
    bool operator==(const MacroCommand&) const = default;
};

constexpr int kBreakpointIcon = 19;

// The command icons (ImageList1 of the main window), by index.
class CommandIcons {
public:
    static QIcon icon(int index);
    static void setIcon(int index, const QIcon& icon);
};

class MacroModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    // The column captions change with the language.
    bool setHeaderData(int section, Qt::Orientation o, const QVariant& value, int role = Qt::EditRole) override;

    const QVector<MacroCommand>& rows() const { return rows_; }
    const MacroCommand& at(int row) const { return rows_[row]; }
    void setRow(int row, const MacroCommand& c);
    void insertRows(int row, const QVector<MacroCommand>& rows);
    void removeRowAt(int row);
    // Moves one row to the place of another; the row keeps its identity.
    void moveRowTo(int from, int to);
    void clearRows();

private:
    QVector<MacroCommand> rows_;
    QStringList headers_ = {QStringLiteral("Commande"), QStringLiteral("Paramètres")};
};

class TListView : public QTreeView {
    Q_OBJECT
public:
    explicit TListView(QWidget* parent = nullptr);

    MacroModel& items() { return model_; }
    int count() const { return model_.rowCount(); }
    const MacroCommand& item(int row) const { return model_.at(row); }
    bool hasRow(int row) const { return row >= 0 && row < count(); }

    QString keyword(int row) const { return model_.at(row).keyword; }
    QString params(int row) const { return model_.at(row).params; }
    int icon(int row) const { return model_.at(row).icon; }
    void setKeyword(int row, const QString& k);
    void setParams(int row, const QString& p);
    void setIcon(int row, int icon);

    int add(const MacroCommand& c);               // appended; its index
    void insert(int row, const MacroCommand& c);  // before row (append when row == count)
    void append(const QVector<MacroCommand>& rows);
    // Deletes the row; deletion() is emitted first, with the row still in place.
    void remove(int row);
    void clear();  // no deletion signals

    // Selection by row.
    int selectedIndex() const;  // lowest selected row, -1 when none
    QList<int> selectedRows() const;
    int selCount() const;
    bool isSelected(int row) const;
    void setSelected(int row, bool on);
    void clearSelection();
    void scrollToRow(int row);

    // The Tag of the list (999 for the main list).
    int tag = 0;

signals:
    void deletion(int row, const MacroCommand& c);

private:
    MacroModel model_;
};
