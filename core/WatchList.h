#pragma once
// The watch list: tab "Évaluer" of the main window, one row per watched
// variable (name, value shown, icon 34).
#include <QString>
#include <QStringList>
#include <QTreeWidget>

class TForm1;

class TWatchList : public QTreeWidget {
    Q_OBJECT
public:
    explicit TWatchList(TForm1* form, QWidget* parent);
    int count() const { return topLevelItemCount(); }
    int selectedIndex() const;  // -1 when none
    void selectRow(int row);

protected:
    // Odd rows on $EEEEEE, even rows on the check list's background.
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    TForm1* form_;
};

constexpr int kWatchIcon = 34;

// The value a watch row shows: "[PASSWORD]" never in clear.
QString WatchDisplay(const QString& name, const QString& value);
void AddWatchRow(TForm1& form, const QString& name, const QString& value);
QStringList WatchedNames(const TForm1& form);
// Builds the tab, its menu and the list's menu entries.
void buildWatchListUi(TForm1& form);
