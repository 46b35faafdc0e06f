// The options dialog's plug-ins tab: categories, their plug-ins, adding and
// removing libraries. The list of libraries goes to "config.ini" of the
// program folder, which the start reads.
#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/FileSave.h"
#include "core/MacroList.h"
#include "core/Services.h"
#include "core/Unit1.h"
#include "engine/GestionCommande.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"
#include "tools/Unit19.h"
#include "tools/UpdateCheck.h"

#include <QUrl>

namespace {
QString selected(const QListWidget* list) {
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
}

void selectText(QListWidget* list, const QString& text) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == text) list->setCurrentRow(i);
}

// [DynOrder]: key i = the library of plug-in i, for those loaded.
bool writePluginList() {
    platform::IniFile ini(platform::programFile(QStringLiteral("config.ini")));
    ini.EraseSection("DynOrder");
    for (int i = 0; i < DynamiqueOrders.size(); ++i)
        if (!DynamiqueOrders[i].Name.isEmpty())
            ini.WriteString("DynOrder", QString::number(i), DynamiqueOrders[i].LibraryPath);
    return SaveIniFile(ini);
}
}  // namespace

void TForm19::Label50Click() {
    Services().OpenUrl(QUrl(UpdateServer() + QStringLiteral("/index.php?page=Plugins")));
}

void TForm19::ListBox3Click() {
    const QString category = selected(ListBox3);
    const QSignalBlocker block(ListBox4);
    ListBox4->clear();
    for (const TDynamiqueOrder& plugin : std::as_const(DynamiqueOrders))
        if (!plugin.Name.isEmpty() && plugin.Rubrique == category) ListBox4->addItem(plugin.Name);
    TForm1::NoDoublonofListBox(ListBox4);
    if (ListBox4->count() > 0) ListBox4->setCurrentRow(0);
    ListBox4Click();
}

void TForm19::ListBox4Click() {
    Memo3->clear();
    Image3->clear();
    const QString category = selected(ListBox3), name = selected(ListBox4);
    for (const TDynamiqueOrder& plugin : std::as_const(DynamiqueOrders)) {
        if (plugin.Name.isEmpty() || plugin.Name != name || plugin.Rubrique != category) continue;
        Memo3->appendPlainText(plugin.LibraryPath);
        Memo3->appendPlainText(QStringLiteral("Description: ") + plugin.Description);
        Image3->setPixmap(CommandIcons::icon(plugin.ImageIndex).pixmap(32, 32));
    }
}

void TForm19::Button5Click() {
    TFileDialog dialog(this, TFileDialog::Open, QStringLiteral("OpenDialog2"));
    dialog.Filter = QStringLiteral("Plugin|*.so");
    dialog.FileName = QStringLiteral("*.so");
    if (!Services().ChooseFile(dialog)) return;
    const int index = LoadCommandPlugin(dialog.FileName);
    if (index < 0) return;
    const TDynamiqueOrder& plugin = DynamiqueOrders[index];
    ListBox3->addItem(plugin.Rubrique);
    TForm1::NoDoublonofListBox(ListBox3);
    const QString name = plugin.Name;
    {
        const QSignalBlocker block(ListBox3);
        selectText(ListBox3, plugin.Rubrique);
    }
    ListBox3Click();
    selectText(ListBox4, name);
    ListBox4Click();
    writePluginList();
}

void TForm19::Button10Click() {
    const QString category = selected(ListBox3), name = selected(ListBox4);
    if (category.isEmpty() || name.isEmpty()) return;
    bool found = false;
    for (int i = 0; i < DynamiqueOrders.size(); ++i)
        if (!DynamiqueOrders[i].Name.isEmpty() && DynamiqueOrders[i].Name == name &&
            DynamiqueOrders[i].Rubrique == category) {
            RemoveCommandPlugin(i);
            found = true;
        }
    if (!found)
        MessageDlg(QStringLiteral("Le plugin nommé %1 ne semble pas être chargé").arg(name), MsgType::Information, mbOK);
    {
        const QSignalBlocker block(ListBox4);
        delete ListBox4->currentItem();
    }
    if (ListBox4->count() == 0) {
        const QSignalBlocker block(ListBox3);
        delete ListBox3->currentItem();
    }
    ListBox4Click();
    writePluginList();
}
