#pragma once
// The command list: the list view that shows a macro document. Without a
// document of its own it shows the one it made.

#include "core/MacroDocument.h"

#include <QIcon>
#include <QTreeView>
#include <QVector>

// The command icons (ImageList1 of the main window), by index.
class CommandIcons {
public:
    static QIcon icon(int index);
    static void setIcon(int index, const QIcon& icon);
};

class TListView : public QTreeView {
    Q_OBJECT
public:
    explicit TListView(QWidget* parent = nullptr);

    // The document shown (not owned when set; the list's own otherwise).
    TMacroDocument& document() const { return *doc_; }
    void setDocument(TMacroDocument* document);
    TMacroDocument& items() const { return *doc_; }
    int count() const { return doc_->count(); }
    const MacroCommand& item(int row) const { return doc_->item(row); }
    bool hasRow(int row) const { return doc_->hasRow(row); }

    QString keyword(int row) const { return doc_->keyword(row); }
    QString params(int row) const { return doc_->params(row); }
    int icon(int row) const { return doc_->icon(row); }
    void setKeyword(int row, const QString& k) { doc_->setKeyword(row, k); }
    void setParams(int row, const QString& p) { doc_->setParams(row, p); }
    void setIcon(int row, int icon) { doc_->setIcon(row, icon); }

    int add(const MacroCommand& c) { return doc_->add(c); }
    void insert(int row, const MacroCommand& c) { doc_->insert(row, c); }
    void append(const QVector<MacroCommand>& rows) { doc_->append(rows); }
    // Deletes the row; deletion() is emitted first, with the row still in place.
    void remove(int row) { doc_->remove(row); }
    void clear() { doc_->clear(); }  // no deletion signals

    // Selection by row.
    int selectedIndex() const;  // lowest selected row, -1 when none
    QList<int> selectedRows() const;
    int selCount() const;
    bool isSelected(int row) const;
    void setSelected(int row, bool on);
    void clearSelection();
    void scrollToRow(int row);

    // The Tag of the list (999 for the main list).
    int tag = 0;

signals:
    void deletion(int row, const MacroCommand& c);

private:
    TMacroDocument own_;
    TMacroDocument* doc_ = &own_;
    QMetaObject::Connection deletion_;
};
