#pragma once
// The "Champs" dialog: a variable's text cut into up to six field variables,
// by delimiters or at fixed positions. A sample file shown one character per
// cell, with the field boundaries marked, helps find the blocks and positions.
#include "editors/CommandDialog.h"
#include "core/Windows.h"

#include <QHash>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QStatusBar;
class QTableView;
class TCharGrid;
class TFileDialog;

class TForm30 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm30(QWidget* parent = nullptr);

    bool Delimited() const;
    // The grid: empty, one column and one row.
    void InitStringGrid();
    // Shows the lines of a sample file, one character per cell.
    void ShowSample(const QStringList& lines);
    // Flips the marks of one delimiter in one row: a run of it is bounded by a
    // mark at its first column and one at the first column after it.
    void ChangeDelimited(QChar delimiter, int row);
    // The marks of that row: of the ticked delimiters (delimited), or the placed ones (fixed).
    QVector<char> RowMarks(int row);
    // The delimiters or the placed marks changed: every row is marked again.
    void DelimitedAll();
    QVector<char> Marks;  // one per column of the grid: the column's left edge is a boundary

    void BitBtn1Click();  // "Ouvrir un fichier"
    void StringGrid1Click(int column, int row);
    void StringGrid1DblClick(int column);
    void Button3Click();  // "Ajouter"
    void Button4Click();  // "Modifier"
    void Button5Click();  // "Supprimer"
    void ListBox1Click();
    void SelectField(int index);  // a click on any of the three lists
    void RadioButtonClick(bool delimited);

    QRadioButton* RadioButton1 = nullptr;  // delimited
    QRadioButton* RadioButton2 = nullptr;  // fixed width
    TComboBox* ComboBox1 = nullptr;  // the variable to cut
    TComboBox* ComboBox2 = nullptr;  // the field being edited
    QCheckBox* CheckBox(int n) const;  // 1 to 5: tab, space, ";", ",", other
    QLineEdit* Edit1 = nullptr;  // the other delimiter
    QTableView* StringGrid1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QListWidget* ListBox1 = nullptr;  // names
    QListWidget* ListBox2 = nullptr;  // blocks or starts
    QListWidget* ListBox3 = nullptr;  // ends (fixed width)
    QLabel* Label10 = nullptr;  // start
    QLabel* Label11 = nullptr;  // end
    QLabel* Label12 = nullptr;  // cursor
    QLabel* Label17 = nullptr;  // block
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    TFileDialog* OpenDialog1 = nullptr;

protected:
    void LoadFields(const QString& params) override;
    void LoadDefaults() override;
    bool Validate() override;
    QString BuildParams() const override;
    void AfterCommit() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void prepare();  // what every opening does first
    QStringList delimiterFields() const;  // fields 3 to 7 of a delimited row
    QVector<QChar> delimiters() const;
    void addField(const QString& name, const QString& second, const QString& third);
    void emptyFields();
    void updateButtons();
    TCharGrid* grid_ = nullptr;
    QHash<int, QVector<char>> rowMarks_;  // delimited: computed rows
};

constexpr WindowRef<TForm30> Form30{30};
