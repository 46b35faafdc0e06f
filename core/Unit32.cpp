#include "core/Unit32.h"

#include "core/Dialogs.h"
#include "core/MacroFile.h"
#include "core/MacroFileRecord.h"
#include "core/Services.h"
#include "core/Unit1.h"
#include "platform/Cp1252.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kPasswordLabel = QStringLiteral("Mot de passe");
const QString kConfirmLabel = QStringLiteral("Confirmation du mot de passe");
}  // namespace

TForm32::TForm32(QWidget* parent) : TForm(32, QStringLiteral("Cryptage de macro"), parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    Label1 = new QLabel(kPasswordLabel, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(12);
    Edit1->setEchoMode(QLineEdit::Password);
    Edit1->setStyleSheet(QStringLiteral("lineedit-password-character: 215"));  // "×"
    CheckBox1 = new QCheckBox(this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    Label2 = new QLabel(QStringLiteral("Protéger la source uniquement."), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->installEventFilter(this);
    Button1 = new QPushButton(QStringLiteral("Valider"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Annuler"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(Edit1, 1, 0, 1, 2);
    grid->addWidget(CheckBox1, 2, 0);
    grid->addWidget(Label2, 2, 1);
    grid->addWidget(Button1, 3, 0);
    grid->addWidget(Button2, 3, 1);
    connect(Button1, &QPushButton::clicked, this, &TForm32::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm32::Button2Click);
    connect(Edit1, &QLineEdit::returnPressed, this, &TForm32::Button1Click);  // Edit1KeyUp: Enter
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm32::CheckBox1Click);
    resize(280, sizeHint().height());  // as designed; the positions read at start-up may change it
}

QString TForm32::Crypte(const QString& s) { return platform::fromCp1252(CrypteBytes(platform::toCp1252(s))); }

QString TForm32::Decrypte(const QString& s) { return platform::fromCp1252(DecrypteBytes(platform::toCp1252(s))); }

QString TForm32::GetPass(const QString& fileName) {
    TMacroFileData data;
    return data.load(fileName, nullptr) ? data.password() : QString();
}

bool TForm32::IsCrypted(const QString& fileName) { return !GetPass(fileName).isEmpty(); }

bool TForm32::IsCryptedSourceOnly(const QString& fileName) {
    TMacroFileData data;
    return data.load(fileName, nullptr) && data.sourceOnly();
}

int TForm32::Validation(const QString& fileName) { return AskPassword(GetPass(fileName)); }

int TForm32::AskPassword(const QString& password) {
    if (password.isEmpty()) return 1;
    Mode = 1;
    cancelled_ = false;
    dialogOpen_ = true;
    Edit1->clear();
    Services().ShowModal(*this);
    if (dialogOpen_) Button2Click();  // nobody could answer: the question counts as cancelled
    int result = Edit1->text() == password ? 1 : 0;
    if (cancelled_) result = 2;
    cancelled_ = false;
    Edit1->clear();
    return result;
}

// Placed before it appears, whoever shows it.
void TForm32::setVisible(bool visible) {
    if (visible && !isVisible()) PlaceNear(*this, Form1);
    TForm::setVisible(visible);
}

void TForm32::showEvent(QShowEvent* event) {
    FormShow();
    TForm::showEvent(event);
}

void TForm32::FormShow() {
    const bool setting = Mode == 0;
    setWindowTitle(setting ? QStringLiteral("Cryptage d'une macro") : QStringLiteral("Decryptage d'une macro"));
    CheckBox1->setVisible(setting);
    Label2->setVisible(setting);
    if (setting) {
        keptSourceOnly_ = OpenMacroFile().protectSourceOnly;
        if (Form1.made()) OpenMacroFile().protectSourceOnly = IsCryptedSourceOnly(Form1->StatusPanel[0]->text());
        CheckBox1->setChecked(OpenMacroFile().protectSourceOnly);
        Label1->setText(kPasswordLabel);
        firstEntry_.clear();
        confirmed_ = false;
    }
    cancelled_ = false;
    Edit1->setFocus();
}

void TForm32::Button1Click() {
    if (Mode == 1) {
        close();
        return;
    }
    if (Label1->text() == kPasswordLabel) {
        firstEntry_ = Edit1->text();
        Edit1->clear();
        Label1->setText(kConfirmLabel);
        Edit1->setFocus();
        return;
    }
    const bool confirmed = Edit1->text() == firstEntry_;
    if (confirmed) {
        OpenMacroFile().password = firstEntry_;
        confirmed_ = true;
        if (Form1.made()) Form1->UpdateStatusPanels();
    }
    Edit1->clear();
    close();  // first: it stays on top and would cover its message
    if (confirmed)
        MessageDlg(QStringLiteral("Le cryptage de votre macro prendra effet lors de votre prochain enregistrement."),
                   MsgType::Information, mbOK);
    else
        MessageDlg(
            QStringLiteral("La confirmation du mot de passe n'est pas correcte, veuillez  renouveller l'opération."),
            MsgType::Warning, mbOK);
}

void TForm32::Button2Click() {
    cancelled_ = true;
    close();
}

void TForm32::closeEvent(QCloseEvent* event) {
    FormClose();
    TForm::closeEvent(event);
}

// A setting left unconfirmed keeps the password and the source-only flag in force.
void TForm32::FormClose() {
    if (Mode == 0) {
        if (!confirmed_) OpenMacroFile().protectSourceOnly = keptSourceOnly_;
        confirmed_ = false;
        firstEntry_.clear();
        Edit1->clear();
        Label1->setText(kPasswordLabel);
    }
    dialogOpen_ = false;
}

void TForm32::Label2Click() {
    CheckBox1->toggle();
    CheckBox1Click();
}

void TForm32::CheckBox1Click() { OpenMacroFile().protectSourceOnly = CheckBox1->isChecked(); }

bool TForm32::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label2 && event->type() == QEvent::MouseButtonRelease) Label2Click();
    return TForm::eventFilter(watched, event);
}
