#pragma once
// "Liste système": the system variables, from which the Variable dialog picks one.
#include "core/Form.h"
#include "core/Windows.h"

class QLabel;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

class TForm20 : public TForm {
    Q_OBJECT
public:
    explicit TForm20(QWidget* parent = nullptr);

    // Rebuilds the table, fills the list and shows the window.
    void ShowList();
    void ListView1Click();
    void ListView1DblClick();
    void ListView1KeyDown(int key);
    void ListView1ColumnClick(int column);

    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void refill();
    bool sortDescending_ = false;
};

constexpr WindowRef<TForm20> Form20{20};
