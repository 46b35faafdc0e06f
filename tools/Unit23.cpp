#include "tools/Unit23.h"

#include "core/ProcessPriority.h"
#include "platform/SystemStatus.h"

#include <QVBoxLayout>

TForm23* Form23 = nullptr;

TForm23::TForm23(QWidget* parent) : TForm(23, QStringLiteral("A propos de Orvanel"), parent) {
    Form23 = this;
    Label5 = new QLabel(this);
    Label5->setObjectName(QStringLiteral("Label5"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems(ProcessPriorityNames());
    ComboBox1->setCurrentIndex(ProcessPriority);
    Label5->setText(QStringLiteral("Windows version : ") + platform::WindowsVersionName());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label5);
    layout->addWidget(ComboBox1);
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(this); });
}

void TForm23::showEvent(QShowEvent* event) {
    TForm::showEvent(event);
    ComboBox1->setCurrentIndex(ProcessPriority);
}

void TForm23::ComboBox1Change(QObject* sender) {
    Q_UNUSED(sender);
    SetProcessPriority(ComboBox1->currentIndex());
}
