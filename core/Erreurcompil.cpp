#include "core/Erreurcompil.h"

#include "core/MessageTexts.h"

#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/FileSave.h"
#include "core/Unit1.h"
#include "core/Helpers.h"
#include "core/Services.h"
#include "platform/Cp1252.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

TForm35::TForm35(QWidget* parent) : TForm(35, QStringLiteral("Erreur"), parent) {
    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };
    Label1 = static_cast<QLabel*>(named(new QLabel(this), "Label1"));
    Label1->setWordWrap(true);
    auto* contact = static_cast<QLabel*>(named(new QLabel(QStringLiteral("Contact :"), this), "Label3"));
    Label2 = static_cast<QLabel*>(named(new QLabel(QStringLiteral("Inconnu"), this), "Label2"));
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->installEventFilter(this);
    Button2 = static_cast<QPushButton*>(named(new QPushButton(QStringLiteral("Consulter"), this), "Button2"));
    Button1 = static_cast<QPushButton*>(named(new QPushButton(QStringLiteral("Enregistrer"), this), "Button1"));
    Button3 = static_cast<QPushButton*>(named(new QPushButton(QStringLiteral("Fermer"), this), "Button3"));
    Memo1 = static_cast<QPlainTextEdit*>(named(new QPlainTextEdit(this), "Memo1"));
    Memo1->setReadOnly(true);
    SaveDialog1 = new TFileDialog(this, TFileDialog::Save, QStringLiteral("SaveDialog1"));
    SaveDialog1->Filter = QStringLiteral("Fichiers texte (*.txt)|*.txt");
    SaveDialog1->DefaultExt = QStringLiteral("txt");

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 4);
    grid->addWidget(contact, 1, 0);
    grid->addWidget(Label2, 1, 1, 1, 3);
    grid->addWidget(Button2, 2, 1);
    grid->addWidget(Button1, 2, 2);
    grid->addWidget(Button3, 2, 3);
    grid->addWidget(Memo1, 3, 0, 1, 4);
    grid->setRowStretch(3, 1);
    resize(420, 120);

    connect(Button1, &QPushButton::clicked, this, &TForm35::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm35::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm35::Button3Click);
}

void TForm35::showEvent(QShowEvent* event) {
    TForm::showEvent(event);
    FormShow();
}

bool TForm35::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label2 && event->type() == QEvent::MouseButtonRelease) Label2Click();
    return TForm::eventFilter(watched, event);
}

void TForm35::FormShow() {
    resize(width(), 120);
    Memo1->hide();
    Button2->setText(QStringLiteral("Consulter"));
    Label1->setText(MessageText(QStringLiteral("Form1"), QStringLiteral("Error_without_edit")));
    const QString mail = QStringLiteral("[MACRO.MAIL]");
    if (Form1.made() && mdlfnct::GetVarType(mail) == QLatin1String("Alpha")) {
        QString address;
        Form1->GetInitialValueofVar(mail, QChar(), address);
        Label2->setText(address);
    }
    QStringList lines;
    for (int i = 0; Form1.made() && i < Form1->ListView2->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = Form1->ListView2->topLevelItem(i);
        if (row->text(1) == QLatin1String("Erreur"))
            lines << row->text(0) + u'\t' + row->text(1) + u'\t' + row->text(2);
    }
    Memo1->setPlainText(lines.join(u'\n'));
}

void TForm35::ShowModal() {
    Services().ShowModal(*this);
}

void TForm35::Button2Click() {
    const bool show = Memo1->isHidden();
    Memo1->setVisible(show);
    resize(width(), show ? 375 : 120);
    Button2->setText(show ? QStringLiteral("Cacher") : QStringLiteral("Consulter"));
}

// The address goes in percent-encoded: it cannot add headers or recipients to the link.
void TForm35::Label2Click() {
    const QByteArray link = "mailto:" + QUrl::toPercentEncoding(Label2->text(), "@") +
                            "?subject=Macro%20error&body=%20";
    const QUrl url = QUrl::fromEncoded(link, QUrl::StrictMode);
    Services().OpenUrl(url);
}

void TForm35::Button1Click() {
    if (!SaveDialog1->Execute()) return;
    const QString name = SaveDialog1->FileName;
    QString text = Memo1->toPlainText();
    if (!text.isEmpty()) text += u'\n';
    text.replace(u'\n', QStringLiteral("\r\n"));
    SaveFile(name, platform::toCp1252(text));
}

void TForm35::Button3Click() { close(); }
