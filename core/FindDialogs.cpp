// The find and replace dialogs of the main window.
#include "core/Find.h"

#include "core/Named.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QPushButton* addButton(QVBoxLayout* column, const QString& name, const QString& text) {
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    b->setAutoDefault(false);
    column->addWidget(b);
    return b;
}
}  // namespace

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Rechercher"));
    auto* fields = new QFormLayout;
    edit_ = new QLineEdit;
    edit_->setObjectName(QStringLiteral("FindText"));
    fields->addRow(Named(new QLabel(QStringLiteral("Rechercher :")), QStringLiteral("Label1")), edit_);
    case_ = Named(new QCheckBox(QStringLiteral("Respecter la casse")), QStringLiteral("CheckBox1"));
    word_ = Named(new QCheckBox(QStringLiteral("Mot entier uniquement")), QStringLiteral("CheckBox2"));
    auto* direction = Named(new QGroupBox(QStringLiteral("Direction")), QStringLiteral("GroupBox1"));
    auto* dirLayout = new QHBoxLayout(direction);
    up_ = Named(new QRadioButton(QStringLiteral("Haut")), QStringLiteral("RadioButton1"));
    down_ = Named(new QRadioButton(QStringLiteral("Bas")), QStringLiteral("RadioButton2"));
    down_->setChecked(true);
    dirLayout->addWidget(up_);
    dirLayout->addWidget(down_);
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(case_);
    left->addWidget(word_);
    left->addWidget(direction);
    auto* buttons = new QVBoxLayout;
    QPushButton* next = addButton(buttons, QStringLiteral("FindNext"), QStringLiteral("Suivant"));
    next->setDefault(true);
    QPushButton* cancel = addButton(buttons, QStringLiteral("Cancel"), QStringLiteral("Annuler"));
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    connect(next, &QPushButton::clicked, this, &TFindDialog::find);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

QString TFindDialog::findText() const { return edit_->text(); }
void TFindDialog::setFindText(const QString& text) { edit_->setText(text); }
bool TFindDialog::down() const { return down_->isChecked(); }
void TFindDialog::setDown(bool down) { (down ? down_ : up_)->setChecked(true); }
bool TFindDialog::matchCase() const { return case_->isChecked(); }
bool TFindDialog::wholeWord() const { return word_->isChecked(); }

TReplaceDialog::TReplaceDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Remplacer"));
    auto* fields = new QFormLayout;
    find_ = new QLineEdit;
    find_->setObjectName(QStringLiteral("FindText"));
    by_ = new QLineEdit;
    by_->setObjectName(QStringLiteral("ReplaceText"));
    fields->addRow(Named(new QLabel(QStringLiteral("Rechercher :")), QStringLiteral("Label1")), find_);
    fields->addRow(Named(new QLabel(QStringLiteral("Remplacer par :")), QStringLiteral("Label2")), by_);
    auto* buttons = new QVBoxLayout;
    QPushButton* one = addButton(buttons, QStringLiteral("Replace"), QStringLiteral("Remplacer"));
    QPushButton* all = addButton(buttons, QStringLiteral("ReplaceAll"), QStringLiteral("Remplacer tout"));
    QPushButton* cancel = addButton(buttons, QStringLiteral("Cancel"), QStringLiteral("Annuler"));
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    connect(one, &QPushButton::clicked, this, [this] { emit replace(false); });
    connect(all, &QPushButton::clicked, this, [this] { emit replace(true); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

QString TReplaceDialog::findText() const { return find_->text(); }
QString TReplaceDialog::replaceText() const { return by_->text(); }
void TReplaceDialog::setTexts(const QString& find, const QString& by) {
    find_->setText(find);
    by_->setText(by);
}
