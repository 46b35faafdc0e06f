// The command clipboard of TForm1: cut, copy and paste of rows, and paste from plain text.
#include "core/CplBrd.h"

#include "core/Dialogs.h"
#include "core/FileSave.h"
#include "core/History.h"
#include "core/Unit1.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextEdit>
#include <QThread>

namespace {
constexpr int kTextRowIcon = 31;

void settle() {
    QCoreApplication::processEvents();
    QThread::msleep(10);
}

void editLine(QLineEdit* e, CplBrd::FieldAction action) {
    using A = CplBrd::FieldAction;
    const bool writable = !e->isReadOnly();
    if ((action == A::Cut || action == A::Copy) && e->hasSelectedText() && e->echoMode() == QLineEdit::Normal)
        CplBrd::SetClipboardText(e->selectedText());
    if ((action == A::Cut || action == A::Clear) && writable && e->hasSelectedText()) e->del();
    if (action == A::Paste && writable) e->insert(CplBrd::GetClipboardText());
}

// QTextEdit and QPlainTextEdit share what is needed here.
template <class Memo>
void editMemo(Memo* m, CplBrd::FieldAction action) {
    using A = CplBrd::FieldAction;
    QTextCursor cursor = m->textCursor();
    const bool writable = !m->isReadOnly();
    if ((action == A::Cut || action == A::Copy) && cursor.hasSelection())
        CplBrd::SetClipboardText(cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n'));
    if ((action == A::Cut || action == A::Clear) && writable) cursor.removeSelectedText();
    if (action == A::Paste && writable) cursor.insertText(CplBrd::GetClipboardText());
    m->setTextCursor(cursor);
}
}  // namespace

namespace CplBrd {

QString ClipboardFileName() { return platform::programFile(QStringLiteral("clipboard.tmp")); }

QString GetClipboardText() {
    settle();
    return platform::desktop().GetClipboardText();
}

bool SetClipboardText(const QString& text) {
    settle();
    return platform::desktop().SetClipboardText(text);
}

QWidget* GetActiveDialogEdit() {
    QWidget* field = QApplication::focusWidget();
    if (!field) return nullptr;
    static const QRegularExpression formName(QStringLiteral("^Form([1-9]|[12][0-9]|3[0-7])$"));
    if (!formName.match(field->window()->objectName()).hasMatch()) return nullptr;
    if (qobject_cast<QLineEdit*>(field) || qobject_cast<QComboBox*>(field) || qobject_cast<QTextEdit*>(field) ||
        qobject_cast<QPlainTextEdit*>(field))
        return field;
    return nullptr;
}

void EditField(QWidget* field, FieldAction action) {
    if (auto* combo = qobject_cast<QComboBox*>(field)) field = combo->lineEdit();
    if (auto* e = qobject_cast<QLineEdit*>(field)) editLine(e, action);
    else if (auto* t = qobject_cast<QTextEdit*>(field)) editMemo(t, action);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(field)) editMemo(p, action);
}

bool CopyRows(TListView* list, const QList<int>& rows) {
    QString text;
    QByteArray bytes;
    for (int r : rows) {
        const MacroCommand& c = list->item(r);
        text += c.keyword + u'\t' + c.params + QStringLiteral("\r\n");
        bytes += TMacroFileRecord{c.keyword, c.params}.toBytes();
    }
    SetClipboardText(QString());
    SetClipboardText(text);
    return SaveFile(ClipboardFileName(), bytes);
}

bool ReadRecords(const QString& fileName, QVector<TMacroFileRecord>& records) {
    records.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    for (qsizetype at = 0; at + TMacroFileRecord::kSize <= bytes.size(); at += TMacroFileRecord::kSize)
        records << TMacroFileRecord::fromBytes(bytes.constData() + at);
    return true;
}

QStringList PastedLines(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineBreak);
    lines.removeIf([](const QString& l) { return l.trimmed().isEmpty(); });
    return lines;
}

// Only the first 20 characters of a prefix count, so each test reads those
// few from the line itself and a long line takes linear time; a candidate
// equal to the one before is not looked up again.
bool SplitCommandLine(const QString& line, QString& keyword, QString& params) {
    constexpr qsizetype room = TMacroFileRecord::kKeywordSize;
    const QStringView text(line);
    qsizetype lead = 0;  // where the trimmed prefixes start
    while (lead < text.size() && text[lead].isSpace()) ++lead;
    qsizetype last = -1;  // the prefix's last character that is not a blank
    QString tried;
    bool known = false;
    qsizetype end = -1;
    auto test = [&](qsizetype length) {
        const QStringView asWritten = text.left(qMin(length, room));
        const QStringView trimmed = last < lead ? QStringView() : text.mid(lead, qMin(last + 1 - lead, room));
        for (const QStringView candidate : {asWritten, trimmed}) {
            if (candidate.isEmpty()) continue;
            if (candidate != tried) {
                tried = candidate.toString();
                known = TForm1::GetImageIndexOfText(tried) >= 0;
            }
            if (known) {
                keyword = tried;
                end = length;
                return;
            }
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u' ' || text[i] == u'\t') test(i);
        if (!text[i].isSpace()) last = i;
        if (i == text.size() - 1) test(i + 1);
    }
    if (end < 0) return false;
    params = line.mid(end + 1).trimmed().left(TMacroFileRecord::kParamsSize);
    return true;
}

}  // namespace CplBrd

void editing::buildClipboardUi(TForm1& f) {
    auto action = [&f](const QString& name, const QString& text, const QKeySequence& key = {}) {
        auto* a = new QAction(text, &f);
        a->setObjectName(name);
        if (!key.isEmpty()) a->setShortcut(key);
        return a;
    };
    f.Couper2 = action(QStringLiteral("Couper2"), QStringLiteral("Couper"), QKeySequence(Qt::CTRL | Qt::Key_X));
    f.Copier2 = action(QStringLiteral("Copier2"), QStringLiteral("Copier"), QKeySequence(Qt::CTRL | Qt::Key_C));
    f.Coller2 = action(QStringLiteral("Coller2"), QStringLiteral("Coller"), QKeySequence(Qt::CTRL | Qt::Key_V));
    f.Collerapartirduntextesimple1 = action(QStringLiteral("Collerapartirduntextesimple1"),
                                            QStringLiteral("Coller a partir d'un texte simple"),
                                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    f.MenuEdition->insertActions(f.Supprimer1, {f.Couper2, f.Copier2, f.Coller2, f.Collerapartirduntextesimple1});
    f.MenuEdition->insertSeparator(f.Couper2);

    f.Couper1 = action(QStringLiteral("Couper1"), QStringLiteral("Couper"));
    f.Copier1 = action(QStringLiteral("Copier1"), QStringLiteral("Copier"));
    f.Coller1 = action(QStringLiteral("Coller1"), QStringLiteral("Coller"));
    f.Supprimer2 = action(QStringLiteral("Supprimer2"), QStringLiteral("Supprimer"));
    f.PopupMenu1->addSeparator();
    f.PopupMenu1->addActions({f.Couper1, f.Copier1, f.Coller1, f.Supprimer2});

    for (auto [a, handler] : {std::pair{f.Couper2, &TForm1::Couper2Click}, {f.Couper1, &TForm1::Couper2Click},
                              {f.Copier2, &TForm1::Copier2Click}, {f.Copier1, &TForm1::Copier2Click},
                              {f.Coller2, &TForm1::Coller2Click}, {f.Coller1, &TForm1::Coller2Click},
                              {f.Supprimer2, &TForm1::Supprimer2Click},
                              {f.Collerapartirduntextesimple1, &TForm1::Collerapartirduntextesimple1Click}})
        QObject::connect(a, &QAction::triggered, &f, handler);
}

QString TForm1::GetClipboardText() { return CplBrd::GetClipboardText(); }

void TForm1::Couper2Click() {
    if (!ListView1->hasFocus()) return CplBrd::EditField(CplBrd::GetActiveDialogEdit(), CplBrd::FieldAction::Cut);
    const QList<int> rows = ListView1->selectedRows();
    if (rows.isEmpty() || !CplBrd::CopyRows(ListView1, rows)) return;
    const bool group = rows.size() > 1;
    if (group) AddHistory(0, HistoryAction::GroupBegin, QString(), QString());
    Supprimer1Click();
    if (group) AddHistory(0, HistoryAction::GroupEnd, QString(), QString());
}

void TForm1::Copier2Click() {
    if (!ListView1->hasFocus()) return CplBrd::EditField(CplBrd::GetActiveDialogEdit(), CplBrd::FieldAction::Copy);
    const QList<int> rows = ListView1->selectedRows();
    if (!rows.isEmpty()) CplBrd::CopyRows(ListView1, rows);
}

void TForm1::Coller2Click() {
    if (!ListView1->hasFocus()) return CplBrd::EditField(CplBrd::GetActiveDialogEdit(), CplBrd::FieldAction::Paste);
    const QString fileName = CplBrd::ClipboardFileName();
    if (!QFile::exists(fileName)) return;
    QVector<TMacroFileRecord> records;
    if (!CplBrd::ReadRecords(fileName, records)) {
        MessageDlg(QStringLiteral("Impossible de lire le fichier \"%1\".").arg(fileName), MsgType::Error, mbOK);
        return;
    }
    if (records.isEmpty()) return;
    const bool group = records.size() > 1;
    EditModeAs adding(false);
    if (group) AddHistory(0, HistoryAction::GroupBegin, QString(), QString());
    for (const TMacroFileRecord& r : records) add_insert(r.keyword, r.params, GetImageIndex(r));
    if (group) AddHistory(0, HistoryAction::GroupEnd, QString(), QString());
}

void TForm1::Supprimer2Click() { Supprimer1Click(); }

// A line that starts with no keyword continues the parameters of the row a new
// row would follow; into an empty macro it becomes a row of its own.
void TForm1::Collerapartirduntextesimple1Click() {
    if (!ListView1->hasFocus() && CplBrd::GetActiveDialogEdit()) return;  // not for a dialog's field
    const QStringList lines = CplBrd::PastedLines(CplBrd::GetClipboardText());
    if (lines.isEmpty()) return;
    const bool group = lines.size() > 1;
    if (group) AddHistory(0, HistoryAction::GroupBegin, QString(), QString());
    for (const QString& line : lines) {
        QString keyword, params;
        if (CplBrd::SplitCommandLine(line, keyword, params)) {
            EditModeAs adding(false);
            add_insert(keyword, params, GetImageIndexOfText(keyword));
            continue;
        }
        const int selected = ListView1->selectedIndex();
        const int target = !Edition2->isChecked() && selected >= 0 ? selected : ListView1->count() - 1;
        if (target < 0) {
            const QString text = line.trimmed();
            EditModeAs adding(false);
            add_insert(text.left(TMacroFileRecord::kKeywordSize).trimmed(), text.left(TMacroFileRecord::kParamsSize),
                       kTextRowIcon);
            continue;
        }
        QString tail = line;
        while (!tail.isEmpty() && tail.back().isSpace()) tail.chop(1);
        const QString before = ListView1->params(target);
        const QString after = (before + tail).left(TMacroFileRecord::kParamsSize);
        if (after == before) continue;
        const QString keptPrevious = RowEditing().previousParams;
        RowEditing().previousParams = before;
        {
            EditModeAs modifying(true);
            ListView1->setParams(target, after);
            SaveBeforeChange(target);
        }
        RowEditing().previousParams = keptPrevious;
    }
    if (group) AddHistory(0, HistoryAction::GroupEnd, QString(), QString());
}
