#include "tools/Unit23.h"

#include <QVBoxLayout>

TForm23* Form23 = nullptr;
QString ProgramVersion = QStringLiteral("0.00");

TForm23::TForm23(QWidget* parent) : TForm(23, QStringLiteral("A propos de Orvanel"), parent) {
    Form23 = this;
    Label5 = new QLabel(this);
    Label5->setObjectName(QStringLiteral("Label5"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("Temps réel"), QStringLiteral("Haute"),
                         QStringLiteral("Supérieure à la normale"), QStringLiteral("Normale"),
                         QStringLiteral("Inférieure à la normale"), QStringLiteral("Basse")});
    ComboBox1->setCurrentIndex(3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label5);
    layout->addWidget(ComboBox1);
}

void TForm23::ComboBox1Change(QObject* sender) { Q_UNUSED(sender); }
