#pragma once
// The picker of the linkage file of another language: the ".OtherLangEditor"
// files of the program folder.
#include "core/Form.h"
#include "core/Windows.h"

class QLabel;
class QListWidget;
class QPushButton;

class TForm37 : public TForm {
    Q_OBJECT
public:
    explicit TForm37(QWidget* parent = nullptr);

    void Button1Click();  // "Valider"
    void Button2Click();  // "Annuler"

    QLabel* Label1 = nullptr;
    QListWidget* ListBox1 = nullptr;  // full paths
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};

constexpr WindowRef<TForm37> Form37{37};

// Fills the list, shows the picker until it closes and answers the chosen
// path: empty when it was cancelled or closed by its title bar.
QString ListOtherLangEditors();
