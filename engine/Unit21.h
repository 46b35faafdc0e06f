#pragma once
// A small information window the command dialogs show beside them.
#include "core/Form.h"
#include "core/Windows.h"

class QLabel;
class QPushButton;

class TForm21 : public TForm {
    Q_OBJECT
public:
    explicit TForm21(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;  // "Fermer"

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
};

constexpr WindowRef<TForm21> Form21{21};
