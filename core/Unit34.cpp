#include "core/Unit34.h"

#include "core/Unit1.h"
#include "core/RunControl.h"
#include "core/RunState.h"
#include "core/Services.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>


namespace {
const QString kInternal = QStringLiteral("Internal error [code 2].");
}  // namespace

TForm34::TForm34(QWidget* parent) : TForm(34, QStringLiteral("Orvanel"), parent) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));
    Label1 = new QLabel(QStringLiteral("Le module a généré l'erreur suivante :"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Panel1 = new QLabel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setStyleSheet(QStringLiteral("color: #800000; font-weight: bold"));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Button1 = new QPushButton(QStringLiteral("Fermer"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    auto* head = new QHBoxLayout;
    head->addWidget(Image1);
    auto* texts = new QVBoxLayout;
    texts->addWidget(Label1);
    texts->addWidget(Panel1);
    head->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(Memo1, 1);
    layout->addWidget(Button1, 0, Qt::AlignRight);
    resize(520, 380);

    connect(Timer1, &QTimer::timeout, this, &TForm34::Timer1Timer);
    connect(Button1, &QPushButton::clicked, this, &TForm34::Button1Click);
}

void TForm34::showEvent(QShowEvent* event) {
    TForm::showEvent(event);
    FormShow();
}

void TForm34::FormShow() {
    if (Panel1->text() == kInternal) {
        setWindowTitle(QStringLiteral("Erreur interne"));
        return;
    }
    setWindowTitle(QStringLiteral("Orvanel va se terminer dans %1 seconde(s).")
                       .arg(countdownTotal - countdownElapsed));
    Timer1->start();
}

void TForm34::Timer1Timer() {
    ++countdownElapsed;
    setWindowTitle(QStringLiteral("Orvanel va se terminer dans %1 seconde(s).")
                       .arg(countdownTotal - countdownElapsed));
    if (RunState().MacroRunning) RunState().RunEndedInError = true;
    RunState().MacroRunning = false;
    Services().Run().Stop1Click();
    if (countdownElapsed == countdownTotal) {
        Timer1->stop();
        Services().Terminate(3);
    }
}

void TForm34::Button1Click() { close(); }

void TForm34::closeEvent(QCloseEvent* event) {
    countdownElapsed = 0;
    Timer1->stop();
    TForm::closeEvent(event);
}
