#pragma once
// Base of the program's windows. Each window is named "Form" + its number,
// which is how settings (positions) and language files find it.
#include <QWidget>

class TForm : public QWidget {
    Q_OBJECT
public:
    TForm(int number, const QString& caption, QWidget* parent = nullptr);
    int number() const { return number_; }

private:
    int number_;
};

// The window named "Form<n>", or null when it was not created.
QWidget* FindForm(int number);
