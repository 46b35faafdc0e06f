#pragma once
// The undo history list of the main window (ListView4) and its row texts.
#include <QString>
#include <QTreeWidget>

// Texts of the history's "Action" column.
namespace HistoryAction {
inline const QString Open = QStringLiteral("Ouvrir");
inline const QString NewMacro = QStringLiteral("Nouvelle macro");
inline const QString Add = QStringLiteral("Ajout");
inline const QString Modify = QStringLiteral("Modification");
inline const QString Initial = QStringLiteral("Valeur Initiale");
inline const QString Delete = QStringLiteral("Suppression");
inline const QString Up = QStringLiteral("Monter d'un niveau");
inline const QString Down = QStringLiteral("Descendre d'un niveau");
inline const QString GroupBegin = QStringLiteral("Début d'actions groupées");
inline const QString GroupEnd = QStringLiteral("Fin d'actions groupées");
}  // namespace HistoryAction

// Columns "N°", "Action", "Commande", "Paramètres"; one row per recorded action.
class THistoryList : public QTreeWidget {
    Q_OBJECT
public:
    explicit THistoryList(QWidget* parent = nullptr);

    int count() const { return topLevelItemCount(); }
    int line(int row) const { return topLevelItem(row)->text(0).toInt(); }
    QString action(int row) const { return topLevelItem(row)->text(1); }
    QString command(int row) const { return topLevelItem(row)->text(2); }
    QString params(int row) const { return topLevelItem(row)->text(3); }
    bool isGroupMarker(int row) const;

    void insertRow(int row, int line, const QString& action, const QString& command, const QString& params);
    void removeFrom(int row);  // deletes rows row..last
    int selectedRow() const;   // -1 when none
    void selectOnly(int row);
    // Makes row the current position: the state image on it alone, selected.
    void setCurrent(int row);

    // The current position (-1 before anything was recorded).
    int tag = -1;
};

// Switches history recording off for a scope and gives it back its former value.
class HistoryPause {
public:
    HistoryPause();
    ~HistoryPause();
    HistoryPause(const HistoryPause&) = delete;
    HistoryPause& operator=(const HistoryPause&) = delete;

private:
    bool saved_;
};

// Gives RowEditing().modifying a value for a scope, then its former one.
class EditModeAs {
public:
    explicit EditModeAs(bool on);
    ~EditModeAs();
    EditModeAs(const EditModeAs&) = delete;
    EditModeAs& operator=(const EditModeAs&) = delete;

private:
    bool saved_;
};
