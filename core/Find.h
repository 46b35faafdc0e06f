#pragma once
// Find and replace in the command list, and the search in the report: the
// two small non-modal dialogs they use.
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class TForm1;

namespace editing {
void buildFindUi(TForm1& form);
// text with every occurrence of find replaced, ignoring case, field by field:
// a match never spans a separator.
QString ReplaceInFields(const QString& text, const QString& find, const QString& by);
bool FieldsContain(const QString& text, const QString& find);
}  // namespace editing

// "Rechercher": a text, a direction, case and whole-word options; "Suivant" emits find().
class TFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget* parent = nullptr);
    QString findText() const;
    void setFindText(const QString& text);
    bool down() const;
    void setDown(bool down);
    bool matchCase() const;
    bool wholeWord() const;

    // The next step tests the selected row itself (a search that starts over).
    bool fromStart = true;

signals:
    void find();

private:
    QLineEdit* edit_;
    QRadioButton* down_;
    QRadioButton* up_;
    QCheckBox* case_;
    QCheckBox* word_;
};

// "Remplacer": the text, its replacement, "Remplacer" and "Remplacer tout".
class TReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit TReplaceDialog(QWidget* parent = nullptr);
    QString findText() const;
    QString replaceText() const;
    void setTexts(const QString& find, const QString& by);

signals:
    void replace(bool all);

private:
    QLineEdit* find_;
    QLineEdit* by_;
};
