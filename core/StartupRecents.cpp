// The settings file in use, the ring of recent files and two list-box helpers.
#include "core/Unit1.h"

#include "core/FileSave.h"
#include "core/Startup.h"
#include "look/XPMenu.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>

namespace {
const QString kRecents = QStringLiteral("Recents");
constexpr int kRecentSlots = 10;

QString slotKey(int i) { return kRecents + QString::number(i); }

// The slot the next file goes to; anything but 0..9 counts as 0.
int nextSlot(const platform::IniFile& ini) {
    const int n = ini.ReadInteger(kRecents, QStringLiteral("Recents_Nr"), 0);
    return n >= 0 && n < kRecentSlots ? n : 0;
}

// Slots from the newest to the oldest: n-1 down to 0, then 9 down to n.
QList<int> newestFirst(int n) {
    QList<int> order;
    for (int i = n - 1; i >= 0; --i) order << i;
    for (int i = kRecentSlots - 1; i >= n; --i) order << i;
    return order;
}
}  // namespace

void TForm1::GetConfigFileName(QString& name) const {
    const QString macro = StatusPanel[0]->text();
    if (macro != u"Nouvelle macro" && !macro.isEmpty()) {
        const QFileInfo info(macro);
        const QString own = info.dir().filePath(info.completeBaseName() + QStringLiteral(".ini"));
        if (QFileInfo(own).isFile()) {
            name = own;
            return;
        }
    }
    name = platform::programFile(QStringLiteral("config.ini"));
}

QString TForm1::GetConfigFileName() const {
    QString name;
    GetConfigFileName(name);
    return name;
}

void TForm1::AddRecents(const QString& fileName) {
    const QString name = GetLongFileName(fileName);
    const QList<QAction*> items = Recents1->actions();
    if (!items.isEmpty() && items.first()->data().toString() == name) return;
    {
        platform::IniFile ini(platform::programFile(QStringLiteral("config.ini")));
        const int n = nextSlot(ini);
        const QString displaced = ini.ReadString(kRecents, slotKey(n), QString());
        // An older copy of the file gives its slot to the entry being displaced.
        for (int i : newestFirst(n))
            if (ini.ReadString(kRecents, slotKey(i), QString()) == name) ini.WriteString(kRecents, slotKey(i), displaced);
        ini.WriteString(kRecents, slotKey(n), name);
        ini.WriteString(kRecents, QStringLiteral("Recents_Nr"), QString::number((n + 1) % kRecentSlots));
        SaveIniFile(ini);
    }
    ReadRecents();
}

void TForm1::ReadRecents() {
    Recents1->clear();
    const platform::IniFile ini(platform::programFile(QStringLiteral("config.ini")));
    for (int i : newestFirst(nextSlot(ini))) {
        const QString path = ini.ReadString(kRecents, slotKey(i), QString());
        if (path.isEmpty()) continue;
        QAction* item = Recents1->addAction(QString(path).replace(u'&', QStringLiteral("&&")));
        item->setData(path);
        item->setProperty("Tag", i);
        connect(item, &QAction::triggered, this, [this, item] { ClickRecents(item); });
    }
    if (MainXPMenu && MainXPMenu->Active()) MainXPMenu->StyleMenuItemTree(Recents1->menuAction());
}

void TForm1::ClickRecents(QAction* sender) {
    OpenFileMacro(sender->data().toString(), ListView1, QStringLiteral("Chargement des commandes en cours, veuillez patienter SVP."), -1);
}

void TForm1::NoDoublonofListBox(QListWidget* listBox) {
    if (!listBox) return;
    for (int i = listBox->count() - 1; i > 0; --i)
        for (int j = 0; j < i; ++j)
            if (listBox->item(j)->text() == listBox->item(i)->text()) {
                delete listBox->takeItem(i);
                break;
            }
}

int TForm1::GetListBoxSelected(QListWidget* listBox) {
    if (!listBox) return -1;
    for (int i = 0; i < listBox->count(); ++i)
        if (listBox->item(i)->isSelected()) return i;
    return -1;
}
