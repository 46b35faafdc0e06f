#include "engine/Unit21.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm21::TForm21(QWidget* parent) : TForm(21, QStringLiteral("Information"), parent) {
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("Aucune"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Button1 = new QPushButton(QStringLiteral("Fermer"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    layout->addWidget(Label1, 1);
    layout->addWidget(Button1, 0, Qt::AlignRight);
    connect(Button1, &QPushButton::clicked, this, &QWidget::close);
}

void TForm21::showEvent(QShowEvent* e) {
    setWindowTitle(QStringLiteral("Information"));
    TForm::showEvent(e);
}

void TForm21::closeEvent(QCloseEvent* e) {
    Label1->setText(QStringLiteral("(vide)"));
    TForm::closeEvent(e);
}
