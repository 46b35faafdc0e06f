#include "tools/Unit37.h"

#include "core/Dialogs.h"
#include "core/HelpContext.h"
#include "core/Services.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString chosenPath;  // what the picker answers
}

TForm37::TForm37(QWidget* parent) : TForm(37, QStringLiteral("OtherLanguageEditor"), parent) {
    SetHelpContext(this, 1172);
    InstallFormHelp(this);
    Label1 = new QLabel(QStringLiteral("Sélectionnez le langage souhaité parmis la liste ci-dessous."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    Button1 = new QPushButton(QStringLiteral("Valider"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Annuler"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListBox1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &TForm37::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm37::Button2Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TForm37::Button1Click);
}

void TForm37::Button1Click() {
    QListWidgetItem* item = ListBox1->currentItem();
    if (!item || !item->isSelected()) {
        MessageDlg(QStringLiteral("Veuillez sélectionner un langage."), MsgType::Warning, mbOK);
        return;
    }
    chosenPath = item->text();
    close();
}

void TForm37::Button2Click() {
    chosenPath.clear();
    close();
}

QString ListOtherLangEditors() {
    Form37->ListBox1->clear();
    const QDir folder(platform::programFolder());
    for (const QString& name : folder.entryList({QStringLiteral("*.OtherLangEditor")}, QDir::Files | QDir::Hidden))
        Form37->ListBox1->addItem(folder.filePath(name));
    chosenPath.clear();  // closed by its title bar, the picker chose nothing
    Services().ShowModal(*Form37);
    return chosenPath;
}
