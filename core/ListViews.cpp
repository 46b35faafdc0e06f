// The command list's painting, indentation and hints.
#include "core/ListViews.h"

#include "core/HelpContext.h"
#include "core/Helpers.h"
#include "core/MacroFileRecord.h"
#include "core/RunState.h"
#include "core/Services.h"
#include "core/Settings.h"
#include "core/Unit1.h"

#include <QFileInfo>
#include <QHelpEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace {

constexpr int kIndentStep = 16;  // one icon width
constexpr int kHintRows = 31;

bool is(const TListView& list, int row, QLatin1StringView keyword) {
    return list.hasRow(row) && list.keyword(row) == keyword;
}

QColor commandColour(const QString& keyword) {
    for (const TOrderColor& c : settings().CommandColors)
        if (c.Name == keyword) return ColorToQColor(c.Color);
    return {};
}

// Paints the rows; the indentations are worked out again after each change of the rows.
class ListPainter : public QStyledItemDelegate {
public:
    explicit ListPainter(TListView& list) : QStyledItemDelegate(&list), list_(list) {
        const TMacroDocument* model = &list.items();
        auto changed = [this] { indents_.clear(); };
        connect(model, &TMacroDocument::rowsInserted, this, changed);
        connect(model, &TMacroDocument::rowsRemoved, this, changed);
        connect(model, &TMacroDocument::rowsMoved, this, changed);
        connect(model, &TMacroDocument::dataChanged, this, changed);
        connect(model, &TMacroDocument::modelReset, this, changed);
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int row = index.row();
        const bool selected = option.state & QStyle::State_Selected;
        const bool comment = list_.keyword(row) == u"Commentaire";
        const QColor colour = RowColour(list_, row);
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        if (comment && !selected) {  // only the comment, bold, in the parameters column
            p->fillRect(option.rect, colour.isValid() ? colour : option.palette.base().color());
            if (index.column() != 1) return;
            QFont bold = opt.font;
            bold.setBold(true);
            p->setFont(bold);
            p->setPen(option.palette.text().color());
            p->drawText(option.rect.adjusted(3, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, list_.params(row));
            return;
        }
        if (comment) opt.font.setBold(index.column() == 1);
        if (colour.isValid() && !selected) p->fillRect(option.rect, colour);
        if (index.column() == 0) {
            const int shift = (indent(row) + 1) * kIndentStep;
            if (selected) p->fillRect(option.rect, option.palette.highlight());
            opt.rect.adjust(shift, 0, 0, 0);
        }
        opt.backgroundBrush = Qt::NoBrush;
        QStyledItemDelegate::paint(p, opt, index);
    }

    int indent(int row) const {
        if (indents_.size() != list_.count()) indents_ = ListIndents(list_);
        return indents_.value(row);
    }

private:
    TListView& list_;
    mutable QVector<int> indents_;
};

// The list's hints come from the row under the mouse.
class ListHints : public QObject {
public:
    explicit ListHints(TListView& list) : QObject(&list), list_(list) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::ToolTip) return false;
        const auto* help = static_cast<QHelpEvent*>(e);
        const QString hint = ListHint(list_, list_.indexAt(help->pos()).row());
        if (hint.isEmpty()) QToolTip::hideText();
        else QToolTip::showText(help->globalPos(), hint, list_.viewport());
        return true;
    }

private:
    TListView& list_;
};

// The rows of the macro file an "Execute" row names, when it is an open macro file.
QString macroFileHint(const QString& params) {
    const QString path = SplitFields(params, ParamSeparator())[1];
    if (!path.endsWith(QLatin1String(".mcr")) || !QFileInfo(path).isFile()) return {};
    TMacroFileData data;
    if (!data.load(path, nullptr) || !data.password().isEmpty()) return {};
    QStringList lines;
    for (int i = 0; i < data.count(); ++i) {
        const TMacroFileRecord r = data.record(i, false);
        if (r.keyword == u"Évaluer" || r.keyword == u"Info") continue;
        if (lines.size() == kHintRows) {
            lines << QStringLiteral("...");
            break;
        }
        lines << r.keyword + u' ' + r.params;
    }
    return lines.join(u'\n');
}

}  // namespace

QVector<int> ListIndents(const TListView& list) {
    QVector<int> indents(list.count(), 0);
    for (int r = 0; r < list.count(); ++r) {
        if (is(list, r - 1, QLatin1String("Examine"))) indents[r] = indents[r - 1] + 2;
        else if (is(list, r - 2, QLatin1String("Examine"))) indents[r] = indents[r - 2] + 2;
        else if (is(list, r, QLatin1String("Label")) || is(list, r, QLatin1String("Goto"))) indents[r] = -1;
    }
    return indents;
}

QColor RowColour(const TListView& list, int row) {
    if (is(list, row - 1, QLatin1String("Examine")) || is(list, row - 2, QLatin1String("Examine"))) {
        const QColor examine = commandColour(QStringLiteral("Examine"));
        return examine.isValid() ? examine : QColor(Qt::white);
    }
    return list.hasRow(row) ? commandColour(list.keyword(row)) : QColor();
}

QString ListHint(const TListView& list, int row) {
    if (!list.hasRow(row)) return {};
    const QString keyword = list.keyword(row);
    if (RunState().ExecState == 2 || RunState().ExecState == 4) {
        if (keyword == u"Variable") {
            const QString name = SplitFields(list.params(row), ParamSeparator())[1];
            if (name == u"[PASSWORD]") return QStringLiteral("Valeur inaccessible");
            return name + QStringLiteral(" = ") + mdlfnct::GetVarValue(name);
        }
        if (keyword == u"Examine")
            return Services().ExamineHolds(list.params(row)) ? QStringLiteral("Vrai") : QStringLiteral("Faux");
    }
    if (RunState().ExecState == 0 && keyword == u"Execute") return macroFileHint(list.params(row));
    return {};
}

void TForm1::buildListViews() {
    ListView1->setItemDelegate(new ListPainter(*ListView1));
    ListView1->viewport()->installEventFilter(new ListHints(*ListView1));
    const TMacroDocument* model = &ListView1->items();
    connect(model, &TMacroDocument::rowsInserted, this, &TForm1::UpdateLinePanel);
    connect(model, &TMacroDocument::rowsRemoved, this, &TForm1::UpdateLinePanel);
    connect(model, &TMacroDocument::modelReset, this, &TForm1::UpdateLinePanel);
    connect(ListView1, &QAbstractItemView::clicked, this, &TForm1::ListView1Click);
}

void TForm1::ListView1Click() {
    SetHelpContext(this, 1);
    UpdateListButtons();
}
