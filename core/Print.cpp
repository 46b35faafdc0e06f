// Printing: the command list through the print file "pr~tmp.doc", the check
// list and the report; saving what the bottom tab shows.
#include "core/Print.h"

#include "core/CplBrd.h"
#include "core/Description.h"
#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/Rtf.h"
#include "core/Services.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "platform/Cp1252.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextOption>
#include <QTreeWidget>

namespace {

// The check list is laid out in dots of a 300 dpi page, as printers count them.
constexpr qreal kDotsPerInch = 300;
constexpr int kLeft = 50;
constexpr int kLineHeight = 50;
constexpr int kPageEnd = 3250;  // a line past this starts a new page

QTextCharFormat printFormat(const TMyFont& font) {
    QTextCharFormat f;
    f.setFont(MyFontToQFont(font));
    f.setForeground(ColorToQColor(MyFontColor(font)));
    return f;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return true;
    MessageDlg(QStringLiteral("Impossible d'écrire le fichier « %1 » : %2").arg(path, file.errorString()),
               MsgType::Error, mbOK);
    return false;
}

// What went wrong on the printer, said; true when nothing did.
bool printed(const QPrinter& printer) {
    if (printer.printerState() != QPrinter::Error) return true;
    MessageDlg(QStringLiteral("L'impression a échoué sur « %1 ».")
                   .arg(printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName()),
               MsgType::Error, mbOK);
    return false;
}

// The print file read back; false (said) when it cannot be.
bool readPrintFile(const QString& path, QTextDocument& document) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        MessageDlg(QStringLiteral("Impossible d'ouvrir le fichier d'impression « %1 » : %2").arg(path, file.errorString()),
                   MsgType::Error, mbOK);
        return false;
    }
    QTextCursor cursor(&document);
    rtf::insert(cursor, file.readAll());
    return true;
}

// The texts of the grandparent, the parent and the node, joined by " > ".
QString nodePath(const QTreeWidgetItem* node) {
    QStringList parts;
    for (int level = 0; node && level < 3; ++level, node = node->parent()) parts.prepend(node->text(0));
    return parts.join(QStringLiteral(" > "));
}

QString checkRowText(const QTreeWidgetItem* item) {
    return item->text(0) + u' ' + item->text(1) + u' ' + item->text(2);
}

}  // namespace

QString PrintFileName() { return platform::programFile(QStringLiteral("pr~tmp.doc")); }

void PaintCheckList(QPrinter& printer, const QStringList& rows, const QString& macro, const QDateTime& when) {
    QPainter p;
    if (!p.begin(&printer)) return;
    // Dots of 300 an inch, smaller when the page cannot hold the last line of a page.
    const qreal height = printer.pageRect(QPrinter::DevicePixel).height();
    const qreal scale = qMin(printer.resolution() / kDotsPerInch, height / (kPageEnd + kLineHeight));
    p.scale(scale, scale);
    QFont font = MyFontToQFont(settings().PrinterFont);
    font.setPixelSize(qMax(1, qRound(font.pointSizeF() * kDotsPerInch / 72)));
    p.setFont(font);
    const QString date = when.date().toString(kShortDateFormat);
    const QString time = when.time().toString(kLongTimeFormat);
    auto line = [&](int y, const QString& text) {
        p.drawText(QRectF(kLeft, y, 1e5, kLineHeight), Qt::AlignLeft | Qt::AlignTop, text);
    };
    int y = 0, page = 1;
    bool pageStart = true;
    for (const QString& row : rows) {
        if (pageStart) {
            line(y, QStringLiteral("Macro : %1 Page : %2 Date : %3 Heure : %4").arg(macro).arg(page).arg(date, time));
            y += kLineHeight;
            pageStart = false;
        }
        line(y, row);
        y += kLineHeight;
        if (y > kPageEnd) {
            printer.newPage();
            y = 0;
            ++page;
            pageStart = true;
        }
    }
}

bool TForm1::BuildPrintText(const QString& fileName) {
    QTextDocument document;
    QTextCursor cursor(&document);
    const QTextCharFormat command = printFormat(settings().FontCommande);
    const QTextCharFormat params = printFormat(settings().FontParam);
    for (int r = 0; r < ListView1->count(); ++r) {
        if (r > 0) cursor.insertBlock();
        cursor.insertText(ListView1->keyword(r), command);
        cursor.insertText(QStringLiteral("\t"), command);
        cursor.insertText(ListView1->params(r), params);
    }
    return writeFile(fileName, rtf::fromDocument(document));
}

// The print file read back, its parameters in a column after the longest command.
bool TForm1::ReadPrintText(QTextDocument& document) {
    if (!BuildPrintText(PrintFileName()) || !readPrintFile(PrintFileName(), document)) return false;
    const QFontMetricsF commands(MyFontToQFont(settings().FontCommande));
    qreal widest = 0;
    for (int r = 0; r < ListView1->count(); ++r) widest = qMax(widest, commands.horizontalAdvance(ListView1->keyword(r)));
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(widest + commands.averageCharWidth() * 2);
    document.setDefaultTextOption(option);
    return true;
}

void TForm1::Aperuavantimpression1Click() {
    QTextDocument document;
    if (!ReadPrintText(document)) return;
    QPrinter printer;
    printer.setDocName(QStringLiteral("Orvanel"));
    Services().PreviewPrint(printer, [&document](QPrinter& target) { document.print(&target); });
}

void TForm1::Imprimer1Click() {
    QTextDocument document;
    if (!ReadPrintText(document)) return;
    QPrinter printer;
    printer.setDocName(QStringLiteral("Orvanel"));
    if (!Services().ChoosePrinter(printer)) return;
    document.print(&printer);
    printed(printer);
}

void TForm1::Imprimer2Click() {
    QPrinter printer;
    if (PageControl1->currentWidget() == TabSheet1) {
        printer.setDocName(QStringLiteral("Orvanel Control"));
        if (!Services().ChoosePrinter(printer)) return;
        QStringList rows;
        for (int i = 0; i < ListView2->topLevelItemCount(); ++i) rows << checkRowText(ListView2->topLevelItem(i));
        PaintCheckList(printer, rows, StatusPanel[0]->text(), QDateTime::currentDateTime());
        printed(printer);
    } else if (PageControl1->currentWidget() == TabSheet2 && RichEdit1) {
        printer.setDocName(QStringLiteral("Orvanel rapport d'exécution"));
        if (!Services().ChoosePrinter(printer)) return;
        RichEdit1->document()->print(&printer);
        printed(printer);
    }
}

void TForm1::Enregister1Click() {
    QWidget* page = PageControl1->currentWidget();
    if (page == TabSheet3) {
        const QTreeWidgetItem* node = TreeView1->currentItem();
        if (!node) return;
        ChangeDescription(nodePath(node));
        SaveDescriptionLines();
        return;
    }
    if (page != TabSheet1 && !(page == TabSheet2 && RichEdit1)) return;
    SaveDialog2->Filter.clear();
    if (!SaveDialog2->Execute()) return;
    if (page == TabSheet2) {
        writeFile(SaveDialog2->FileName, rtf::fromDocument(*RichEdit1->document()));
        return;
    }
    QString text;
    for (int i = 0; i < ListView2->topLevelItemCount(); ++i) text += checkRowText(ListView2->topLevelItem(i)) + "\r\n";
    writeFile(SaveDialog2->FileName, platform::toCp1252(text));
}

void TForm1::buildPrintUi() {
    SaveDialog2 = new TFileDialog(this, TFileDialog::Save, QStringLiteral("SaveDialog2"));
    auto* menu = findChild<QMenu*>(QStringLiteral("PopupMenu2"));
    auto item = [&](const char* name, const QString& text) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    Enregister1 = item("Enregister1", QStringLiteral("Enregistrer ..."));
    Imprimer2 = item("Imprimer2", QStringLiteral("Imprimer"));
    QAction* search = item("Rechercher1", QStringLiteral("Rechercher"));
    QAction* copy = item("Copier4", QStringLiteral("Copier"));
    QAction* all = item("Slctionnertout2", QStringLiteral("Sélectionner tout"));
    connect(Enregister1, &QAction::triggered, this, &TForm1::Enregister1Click);
    connect(Imprimer2, &QAction::triggered, this, &TForm1::Imprimer2Click);
    connect(search, &QAction::triggered, this, &TForm1::Rechercher1Click);
    connect(copy, &QAction::triggered, this, [this] {
        if (RichEdit1) RichEdit1->copy();
    });
    connect(all, &QAction::triggered, this, [this] {
        if (RichEdit1) RichEdit1->selectAll();
    });
    // What the pop-up offers follows the tab it is opened on.
    connect(menu, &QMenu::aboutToShow, this, [=, this] {
        QWidget* page = PageControl1->currentWidget();
        const bool report = page == TabSheet2;
        Enregister1->setText(page == TabSheet1 ? QStringLiteral("Enregistrer la liste des contrôles")
                             : report          ? QStringLiteral("Enregistrer la page de rapport d'exécution")
                                               : QStringLiteral("Enregistrer ..."));
        Imprimer2->setEnabled(page == TabSheet1 || report);
        search->setEnabled(report);
        copy->setEnabled(report);
        all->setEnabled(report);
    });
}
