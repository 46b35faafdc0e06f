// Expanding and folding the "Inclusion" rows of a command list.
#include "core/Inclusions.h"

#include "core/Dialogs.h"
#include "core/History.h"
#include "core/MacroFile.h"
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

namespace {
// A file already being expanded further up the nesting (the open macro's own
// file heads it) makes a loop.
struct Expanded {
    QString file;  // canonical path
    int end;       // the row after its rows
    int entry;     // its entry in the table
};

QVector<QPersistentModelIndex> followed(TMacroDocument* list, int first, int count) {
    QVector<QPersistentModelIndex> rows;
    for (int r = first; r < first + count; ++r) rows << QPersistentModelIndex(list->index(r, 0));
    return rows;
}

// Where the folded "Inclusion" row goes: in place of the first of its rows
// still there, else before the row that followed them, else where it stood.
int foldedPlace(const TInclude& e, const QVector<int>& rowsLeft, int rowAfter, int rowCount) {
    if (!rowsLeft.isEmpty()) return rowsLeft.first();
    if (rowAfter >= 0) return rowAfter;
    return qMin(e.row, rowCount);
}

MacroCommand inclusionRow(const TInclude& e) { return {kInclusionKeyword, e.fileName, kInclusionIcon}; }
}  // namespace

// Rows of an included file are scanned like any other, the first one included,
// so nested inclusions expand too. A file already being expanded further up
// the nesting is a loop: that row stays folded and the user is told.
bool LoadInclusions(TMacroDocument& doc, const QString& ownFile) {
    TTabOfInclude& table = doc.Includes;
    if (!table.isEmpty()) UnloadInclusions(doc);
    TMacroDocument* list = &doc;
    QVector<Expanded> nesting;
    const QString own = ownFile.isEmpty() ? QString() : QFileInfo(ownFile).canonicalFilePath();
    QString loopFile;
    for (int i = 0; i < list->count();) {
        while (!nesting.isEmpty() && i >= nesting.last().end) nesting.removeLast();
        const QString fileName = list->params(i);
        const QFileInfo info(fileName);
        if (list->keyword(i) != kInclusionKeyword || !info.isFile()) {
            ++i;
            continue;
        }
        const QString file = info.canonicalFilePath();
        if (file == own || std::any_of(nesting.begin(), nesting.end(), [&](const Expanded& e) { return e.file == file; })) {
            if (loopFile.isEmpty()) loopFile = fileName;
            ++i;
            continue;
        }
        TMacroDocument scratch;
        ReadMacroRows(fileName, scratch,
                      QStringLiteral("Chargement de ") + fileName + QStringLiteral(" a inclure, veuillez patient SVP."),
                      0);
        const QVector<MacroCommand> rows = scratch.rows();
        const int count = int(rows.size());
        {
            HistoryPause pause;
            list->remove(i);
            list->insertRows(i, rows);
        }
        TInclude entry{fileName, i, count, followed(list, i, count), {}, nesting.isEmpty() ? -1 : nesting.last().entry};
        if (list->hasRow(i + count)) entry.next = QPersistentModelIndex(list->index(i + count, 0));
        table.append(entry);
        for (Expanded& e : nesting) e.end += count - 1;
        nesting.append({file, i + count, int(table.size()) - 1});
    }
    if (!loopFile.isEmpty())
        MessageDlg(QStringLiteral("Le fichier \"%1\" s'inclut lui-même, directement ou par un autre fichier "
                                  "inclus : cette inclusion n'a pas été chargée.")
                       .arg(loopFile),
                   MsgType::Warning, mbOK);
    return loopFile.isEmpty();
}

// From the last entry to the first, so nested inclusions fold before the rows
// that hold them; a folded nested row then belongs to its parent's rows.
void UnloadInclusions(TMacroDocument& doc) {
    TTabOfInclude& table = doc.Includes;
    HistoryPause pause;
    for (qsizetype k = table.size() - 1; k >= 0; --k) {
        const TInclude& e = table[k];
        QVector<int> rows;
        for (const QPersistentModelIndex& p : e.rows)
            if (p.isValid()) rows << p.row();
        std::sort(rows.begin(), rows.end());
        const int at = foldedPlace(e, rows, e.next.isValid() ? e.next.row() : -1, doc.count());
        for (auto r = rows.crbegin(); r != rows.crend(); ++r) doc.remove(*r);
        doc.insert(at, inclusionRow(e));
        if (e.parent >= 0) table[e.parent].rows << QPersistentModelIndex(doc.index(at, 0));
    }
    table.clear();
}

// The same folding, on a copy of the rows that remembers where each came from.
QVector<MacroCommand> FoldedRows(const TMacroDocument& doc) {
    const TTabOfInclude& table = doc.Includes;
    struct Row {
        MacroCommand command;
        int source;  // the list's row it came from; -1 for a folded one
        int owner;   // the entry that inserted it; -1 for none
    };
    QVector<Row> rows;
    for (int r = 0; r < doc.count(); ++r) rows.append({doc.item(r), r, -1});
    for (qsizetype k = 0; k < table.size(); ++k)
        for (const QPersistentModelIndex& p : table[k].rows)
            if (p.isValid()) rows[p.row()].owner = int(k);
    auto positionOf = [&](int source) {
        for (qsizetype i = 0; i < rows.size(); ++i)
            if (rows[i].source == source) return int(i);
        return -1;
    };
    for (qsizetype k = table.size() - 1; k >= 0; --k) {
        const TInclude& e = table[k];
        QVector<int> left;
        for (qsizetype i = 0; i < rows.size(); ++i)
            if (rows[i].owner == k) left << int(i);
        const int at = foldedPlace(e, left, e.next.isValid() ? positionOf(e.next.row()) : -1, int(rows.size()));
        for (auto i = left.crbegin(); i != left.crend(); ++i) rows.remove(*i);
        rows.insert(at, {inclusionRow(e), -1, e.parent});
    }
    QVector<MacroCommand> out;
    for (const Row& r : rows) out << r.command;
    return out;
}

bool TForm1::LoadInclusions() {
    ListView1->setUpdatesEnabled(false);
    const bool ok = ::LoadInclusions(*Macro, StatusPanel[0]->text());
    ListView1->setUpdatesEnabled(true);
    UpdateLinePanel();
    return ok;
}

void TForm1::UnloadInclusions() {
    ListView1->setUpdatesEnabled(false);
    ::UnloadInclusions(*Macro);
    ListView1->setUpdatesEnabled(true);
    UpdateLinePanel();
}

void TForm1::Charger1Click() { LoadInclusions(); }

void TForm1::Dcharger1Click() { UnloadInclusions(); }
