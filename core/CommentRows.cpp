// Comment rows: formatting a comment with stars, turning commands into
// comments for a while and back.
#include "core/CommentRows.h"

#include "core/Dialogs.h"
#include "core/History.h"
#include "core/MacroFileRecord.h"
#include "core/Params.h"
#include "core/Unit1.h"

#include <QHeaderView>

namespace {
const QString kComment = QStringLiteral("Commentaire");
constexpr int kCommentIcon = 15;

// Bracketed by the group rows of the history when more than one row changes.
class HistoryGroup {
public:
    HistoryGroup(TForm1& form, bool group) : form_(form), group_(group) {
        if (group_) form_.AddHistory(0, HistoryAction::GroupBegin, QString(), QString());
    }
    ~HistoryGroup() {
        if (group_) form_.AddHistory(0, HistoryAction::GroupEnd, QString(), QString());
    }

private:
    TForm1& form_;
    bool group_;
};

QString lineList(const QList<int>& rows) {
    QStringList numbers;
    for (int r : rows) numbers << QString::number(r + 1);
    return numbers.join(QStringLiteral(", "));
}
}  // namespace

QString CommentedOut(const MacroCommand& row) {
    return QStringLiteral("// ") + row.keyword + QStringLiteral(" {") + row.params + u'}';
}

std::optional<MacroCommand> RestoredFromComment(const QString& params) {
    if (!params.startsWith(QLatin1String("//"))) return std::nullopt;
    const QString s = params.mid(3);
    const qsizetype brace = s.indexOf(u'{');
    if (brace < 2 || !s.endsWith(u'}')) return std::nullopt;
    MacroCommand row{s.left(brace - 1), s.mid(brace + 1, s.size() - brace - 2)};
    if (row.keyword.size() > TMacroFileRecord::kKeywordSize || row.params.size() > kMaxFieldLength)
        return std::nullopt;
    row.icon = TForm1::GetImageIndex({row.keyword, row.params});
    return row;
}

QString FramedWithStars(const QString& text, int columnWidth, const QFontMetrics& metrics) {
    int n = ((columnWidth - metrics.horizontalAdvance(text)) / metrics.horizontalAdvance(u'*') - 4) / 2;
    n = qMin(n, int(kMaxFieldLength - text.size() - 2) / 2);  // the row keeps its whole text
    const QString stars(qMax(n, 0), u'*');
    return stars + u' ' + text + u' ' + stars;
}

void TForm1::MiseenForme1Click() {
    const QList<int> rows = ListView1->selectedRows();
    if (rows.isEmpty()) return;
    const EditModeAs modifying(true);
    const HistoryGroup group(*this, rows.size() > 1);
    const int width = ListView1->header()->sectionSize(1);
    for (int r : rows) {
        RowEditing().previousParams = ListView1->params(r);
        const QString framed = FramedWithStars(RowEditing().previousParams, width, ListView1->fontMetrics());
        if (framed.size() > kMaxFieldLength) continue;
        ListView1->setParams(r, framed);
        SaveBeforeChange(r);
    }
}

void TForm1::Activer1Click() {
    const QList<int> rows = ListView1->selectedRows();
    QList<int> tooLong;
    const HistoryGroup group(*this, rows.size() > 1);
    for (int r : rows) {
        const MacroCommand before = ListView1->item(r);
        const QString text = CommentedOut(before);
        if (text.size() > kMaxFieldLength) {
            tooLong << r;
            continue;
        }
        ListView1->items().setRow(r, {kComment, text, kCommentIcon});
        SaveRowChange(r, before);
    }
    if (!tooLong.isEmpty())
        ShowMessage(QStringLiteral("Ligne(s) %1 laissée(s) telle(s) quelle(s) : en commentaire, ses paramètres "
                                   "dépasseraient %2 caractères.")
                        .arg(lineList(tooLong))
                        .arg(kMaxFieldLength));
}

void TForm1::Dsactiver1Click() {
    const QList<int> rows = ListView1->selectedRows();
    const HistoryGroup group(*this, rows.size() > 1);
    for (int r : rows) {
        if (ListView1->keyword(r) != kComment) continue;
        const MacroCommand before = ListView1->item(r);
        if (const std::optional<MacroCommand> row = RestoredFromComment(before.params)) {
            ListView1->items().setRow(r, *row);
            SaveRowChange(r, before);
        }
    }
}
