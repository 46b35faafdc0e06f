// Expanding and folding the "Inclusion" rows of a command list.
#include "core/Inclusions.h"

#include "core/Dialogs.h"
#include "core/History.h"
#include "core/Unit1.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

void editing::buildInclusionsUi(TForm1& f) {
    QMenu* menu = f.MenuEdition->addMenu(QStringLiteral("Inclusion"));
    menu->setObjectName(QStringLiteral("Inclusion1"));
    f.Charger1 = menu->addAction(QStringLiteral("Charger"));
    f.Charger1->setObjectName(QStringLiteral("Charger1"));
    f.Dcharger1 = menu->addAction(QStringLiteral("Décharger"));
    f.Dcharger1->setObjectName(QStringLiteral("Dcharger1"));
    QObject::connect(f.Charger1, &QAction::triggered, &f, &TForm1::Charger1Click);
    QObject::connect(f.Dcharger1, &QAction::triggered, &f, &TForm1::Dcharger1Click);
}

// Rows of an included file are scanned like any other, the first one included,
// so nested inclusions expand too. A file already being expanded further up
// the nesting is a loop: that row stays folded and the user is told.
bool TForm1::LoadInclusions(TTabOfInclude& table, TListView* list) {
    if (!table.isEmpty()) UnloadInclusions(table, list);
    struct Expanded {
        QString file;  // canonical path
        int end;       // the row after its rows
    };
    QVector<Expanded> nesting;
    QString loopFile;
    list->setUpdatesEnabled(false);
    for (int i = 0; i < list->count();) {
        while (!nesting.isEmpty() && i >= nesting.last().end) nesting.removeLast();
        const QString fileName = list->params(i);
        const QFileInfo info(fileName);
        if (list->keyword(i) != kInclusionKeyword || !info.isFile()) {
            ++i;
            continue;
        }
        const QString file = info.canonicalFilePath();
        if (std::any_of(nesting.begin(), nesting.end(), [&](const Expanded& e) { return e.file == file; })) {
            if (loopFile.isEmpty()) loopFile = fileName;
            ++i;
            continue;
        }
        TListView scratch;
        OpenFileMacro(fileName, &scratch,
                      QStringLiteral("Chargement de ") + fileName + QStringLiteral(" a inclure, veuillez patient SVP."),
                      0);
        const QVector<MacroCommand> rows = scratch.items().rows();
        table.append({fileName, i, int(rows.size())});
        {
            HistoryPause pause;
            list->remove(i);
            list->items().insertRows(i, rows);
        }
        for (Expanded& e : nesting) e.end += int(rows.size()) - 1;
        nesting.append({file, i + int(rows.size())});
    }
    list->setUpdatesEnabled(true);
    if (!loopFile.isEmpty())
        MessageDlg(QStringLiteral("Le fichier \"%1\" s'inclut lui-même, directement ou par un autre fichier "
                                  "inclus : cette inclusion n'a pas été chargée.")
                       .arg(loopFile),
                   MsgType::Warning, mbOK);
    return loopFile.isEmpty();
}

// From the last entry to the first, so nested inclusions fold before the rows
// that hold them.
void TForm1::UnloadInclusions(TTabOfInclude& table, TListView* list) {
    HistoryPause pause;
    list->setUpdatesEnabled(false);
    for (auto e = table.crbegin(); e != table.crend(); ++e) {
        for (int k = 0; k < e->count && list->hasRow(e->row); ++k) list->remove(e->row);
        list->insert(e->row, {kInclusionKeyword, e->fileName, kInclusionIcon});
    }
    table.clear();
    list->setUpdatesEnabled(true);
}

void TForm1::Charger1Click() { LoadInclusions(TabOfInclude, ListView1); }

void TForm1::Dcharger1Click() { UnloadInclusions(TabOfInclude, ListView1); }
