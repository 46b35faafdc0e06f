#pragma once
// The "Fonction" dialog: a result variable, a category, a function of that
// category and, when the function takes one, its parameter (sub-fields
// joined by the separator become fields of the row). The categories, their
// functions, help, information texts and parameter lists are one table.
#include "editors/CommandDialog.h"
#include "core/Windows.h"

class QListWidget;

class TForm13 : public TCommandDialog {
    Q_OBJECT
public:
    explicit TForm13(QWidget* parent = nullptr);

    static const TChoicePanel& Panel();

    // The text of the selected entry (the last of several); empty when none.
    static QString ListBoxGetText(const QListWidget* listBox);
    // Selects the last entry equal to text (case-sensitive); none: the selection stays.
    static void ListBoxSetText(QListWidget* listBox, const QString& text);
    // The command tree's preset: that category, then that function.
    void Openform13withparam(const QString& category, const QString& function);
    // "Catégorie/Fonction" (the category holds no "/").
    void Preset(const QString& choice) override;

    void ListBox1Click();
    void ListBox2Click();

    TComboBox* ComboBox1 = nullptr;  // the result variable
    QListWidget* ListBox1 = nullptr;  // categories
    QListWidget* ListBox2 = nullptr;  // functions of the category
    TComboBox* ComboBox2 = nullptr;  // the parameter
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;  // the information text

protected:
    void LoadFields(const QString& params) override;
    void LoadDefaults() override;
    bool Validate() override;
    QString BuildParams() const override;
    void FormClose() override;
};

constexpr WindowRef<TForm13> Form13{13};
