#include "editors/Unit14.h"

#include "core/FileDialog.h"
#include "core/History.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "engine/ListFile.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QString kComment = u"Commentaire"_s;

// The memo's lines; an empty memo is one empty line, so that one row is written.
QStringList memoLines(const QPlainTextEdit* memo) {
    QStringList lines = memo->toPlainText().split(u'\n');
    if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();  // a last line break ends a line
    return lines;
}

// Suspends the painting of a widget for a scope.
class PaintingPaused {
public:
    explicit PaintingPaused(QWidget* w) : w_(w) { w_->setUpdatesEnabled(false); }
    ~PaintingPaused() { w_->setUpdatesEnabled(true); }

private:
    QWidget* w_;
};
}  // namespace

TForm14::TForm14(QWidget* parent) : TCommandDialog(14, u"Insertion d'un commentaire"_s, kComment, 1093, parent) {
    Declare({.size = {420, 220}, .controls = {{.kind = ControlKind::Memo, .name = u"Memo1"_s}}});
    Memo1 = findChild<QPlainTextEdit*>(u"Memo1"_s);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Button3 = new QPushButton(u"Parcourir..."_s, this);
    Button3->setObjectName(u"Button3"_s);
    OpenDialog1 = new TFileDialog(this, TFileDialog::Open, u"OpenDialog1"_s);
    OpenDialog1->Filter = u"Texte|*.txt|Tous|*.*"_s;
    auto* column = new QVBoxLayout(this);
    column->addWidget(Memo1, 1);
    QBoxLayout* buttons = ButtonRow();
    buttons->insertWidget(0, Button3);
    column->addLayout(buttons);
    connect(Button3, &QPushButton::clicked, this, &TForm14::Button3Click);
}

std::pair<int, int> TForm14::Block(int row) {
    const TListView* list = Form1->ListView1;
    int first = row, last = row;
    while (list->hasRow(first - 1) && list->keyword(first - 1) == kComment) --first;
    while (list->hasRow(last + 1) && list->keyword(last + 1) == kComment) ++last;
    return {first, last};
}

void TForm14::LoadFields(const QString&) {
    const int row = TargetRow();
    const auto [first, last] = Block(row);
    QStringList lines;
    int caret = 0;
    for (int r = first; r <= last; ++r) {
        lines << Form1->ListView1->params(r);
        if (r == row) caret = int(lines.join(u'\n').size());
    }
    Memo1->setPlainText(lines.join(u'\n'));
    QTextCursor c = Memo1->textCursor();
    c.setPosition(caret);
    Memo1->setTextCursor(c);
}

void TForm14::AfterShow() {
    // The colours comments have in the list, and the text colour of the settings in use.
    TColor background = clWhite;
    for (const TOrderColor& c : std::as_const(settings().CommandColors))
        if (c.Name == kComment) background = c.Color;
    const TColor text =
        platform::IniFile(Form1->GetConfigFileName()).ReadInteger(u"ColorAffichage"_s, u"Texte"_s, 0);
    QPalette p = Memo1->palette();
    p.setColor(QPalette::Base, ColorToQColor(background));
    p.setColor(QPalette::Text, ColorToQColor(text));
    Memo1->setPalette(p);
    resize(Form1->ListView1->columnWidth(1) + 10, height());
    Memo1->setFocus();
}

void TForm14::Button3Click() {
    OpenDialog1->FileName = QDir(platform::programFolder()).filePath(QString());
    if (!OpenDialog1->Execute()) return;
    QFile file(OpenDialog1->FileName);
    if (!file.open(QIODevice::ReadOnly)) {
        Refuse(u"Impossible de lire le fichier « %1 »."_s.arg(OpenDialog1->FileName));
        return;
    }
    Memo1->setPlainText(textfile::Decode(file.readAll()).remove(u'\r'));
}

// A modified block is replaced in place by the memo's lines, whatever the
// list's mode; the rows it held are deleted through the history, so that one
// undo step gives them back.
bool TForm14::Commit() {
    const QStringList lines = memoLines(Memo1);
    for (const QString& line : lines)
        if (!FitsInRow(line)) return false;
    TListView* list = Form1->ListView1;
    const int icon = TForm1::GetImageIndexOfText(kComment);
    const PaintingPaused rows(list), history(Form1->ListView4);
    if (Modifying()) {
        const int row = TargetRowOrTell();
        if (row < 0) return false;
        const auto [first, last] = Block(row);
        const THistoryGroup group;
        for (int r = last; r >= first; --r) list->remove(r);
        for (int i = 0; i < lines.size(); ++i) InsertRow(first + int(i), kComment, lines[i], icon);
        TForm1::Select_unique(list, first + int(lines.size()) - 1);
        return true;
    }
    const THistoryGroup group(lines.size() > 1);
    if (list->selectedIndex() < 0) TForm1::Select_unique(list, list->count() - 1);
    const EditModeAs add(false);  // a dialog may be modifying a row meanwhile
    for (const QString& line : lines) Form1->add_insert(kComment, line, icon);
    return true;
}

void TForm14::FormClose() { Memo1->clear(); }
