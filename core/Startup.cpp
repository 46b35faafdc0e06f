// Start-up, the settings file, recent files and the main window's life.
#include "core/Unit1.h"

#include <QApplication>

void TForm1::buildStartupUi() {}

// A new, empty macro.
void TForm1::Nouveau1Click() {
    ListView1->clear();
    StatusPanel[0]->setText(QStringLiteral("Nouvelle macro"));
    QApplication::setApplicationName(QStringLiteral("Nouvelle macro"));
    setWindowTitle(GetStateCaption());
    StatusPanel[3]->setText(QStringLiteral("Ligne 0/0"));
}
