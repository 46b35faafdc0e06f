#include "core/Form.h"

#include <QApplication>

TForm::TForm(int number, const QString& caption, QWidget* parent) : QWidget(parent, Qt::Window), number_(number) {
    setObjectName(QStringLiteral("Form%1").arg(number));
    setWindowTitle(caption);
}

QWidget* FindForm(int number) {
    const QString name = QStringLiteral("Form%1").arg(number);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
    return nullptr;
}
