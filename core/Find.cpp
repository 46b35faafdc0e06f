// Find and replace in the command list of TForm1, the declaration search and the report search.
#include "core/Find.h"

#include "core/Dialogs.h"
#include "core/HelpContext.h"
#include "core/History.h"
#include "core/Unit1.h"
#include "core/Helpers.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTextEdit>

namespace {
QStringList fields(const QString& text) { return text.split(ParamSeparator()); }

QAction* scopeAction(TForm1& f, QMenu* menu, const QString& name, const QString& text) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    a->setCheckable(true);
    return a;
}

// Ticks one scope entry (with Ctrl+F), unticks the others, and opens the search.
void chooseScope(TForm1& f, QAction* chosen) {
    for (QAction* a : {f.Danslescommandes1, f.Danslesparamtres1, f.Danslescommandesetparamtres1}) {
        a->setChecked(a == chosen);
        a->setShortcut(a == chosen ? QKeySequence(Qt::CTRL | Qt::Key_F) : QKeySequence());
    }
    f.FindDialog2->show();
    TForm1::Select_unique(f.ListView1, f.FindDialog2->down() ? 0 : f.ListView1->count() - 1);
    f.FindDialog2->fromStart = true;
}
}  // namespace

QString editing::ReplaceInFields(const QString& text, const QString& find, const QString& by) {
    QStringList parts = fields(text);
    for (QString& p : parts) p.replace(find, by, Qt::CaseInsensitive);
    return parts.join(ParamSeparator());
}

bool editing::FieldsContain(const QString& text, const QString& find) {
    const QStringList parts = fields(text);
    return std::any_of(parts.begin(), parts.end(), [&](const QString& p) { return TForm1::StrExist(p, find); });
}

void editing::buildFindUi(TForm1& f) {
    f.MenuEdition->addSeparator();
    QMenu* search = f.MenuEdition->addMenu(QStringLiteral("Rechercher"));
    search->setObjectName(QStringLiteral("Rechercher2"));
    f.Danslescommandes1 = scopeAction(f, search, QStringLiteral("Danslescommandes1"), QStringLiteral("Dans les commandes"));
    f.Danslesparamtres1 = scopeAction(f, search, QStringLiteral("Danslesparamtres1"), QStringLiteral("Dans les paramètres"));
    f.Danslescommandesetparamtres1 = scopeAction(f, search, QStringLiteral("Danslescommandesetparamtres1"),
                                                 QStringLiteral("Dans les commandes et paramètres"));
    f.Danslescommandesetparamtres1->setChecked(true);
    f.Danslescommandesetparamtres1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    f.Occurencesuivante1 = f.MenuEdition->addAction(QStringLiteral("Occurence suivante"));
    f.Occurencesuivante1->setObjectName(QStringLiteral("Occurencesuivante1"));
    f.Occurencesuivante1->setShortcut(QKeySequence(Qt::Key_F3));
    f.Remplacer1 = f.MenuEdition->addAction(QStringLiteral("Remplacer"));
    f.Remplacer1->setObjectName(QStringLiteral("Remplacer1"));
    f.Rechercherladclaration1 = f.PopupMenu1->addAction(QStringLiteral("Rechercher la déclaration"));
    f.Rechercherladclaration1->setObjectName(QStringLiteral("Rechercherladclaration1"));

    f.Rechercher3 = f.MenuAide->addAction(QStringLiteral("Rechercher"));
    f.Rechercher3->setObjectName(QStringLiteral("Rechercher3"));

    f.FindDialog2 = new TFindDialog(&f);
    f.FindDialog2->setObjectName(QStringLiteral("FindDialog2"));
    f.FindDialog1 = new TFindDialog(&f);
    f.FindDialog1->setObjectName(QStringLiteral("FindDialog1"));
    f.ReplaceDialog1 = new TReplaceDialog(&f);
    f.ReplaceDialog1->setObjectName(QStringLiteral("ReplaceDialog1"));

    using F = TForm1;
    QObject::connect(f.Danslescommandes1, &QAction::triggered, &f, &F::Danslescommandes1Click);
    QObject::connect(f.Danslesparamtres1, &QAction::triggered, &f, &F::Danslesparamtres1Click);
    QObject::connect(f.Danslescommandesetparamtres1, &QAction::triggered, &f, &F::Danslescommandesetparamtres1Click);
    QObject::connect(f.Occurencesuivante1, &QAction::triggered, &f, &F::Occurencesuivante1Click);
    QObject::connect(f.Remplacer1, &QAction::triggered, &f, &F::Remplacer1Click);
    QObject::connect(f.Rechercherladclaration1, &QAction::triggered, &f, &F::Rechercherladclaration1Click);
    QObject::connect(f.Rechercher3, &QAction::triggered, &f, &F::Rechercher3Click);
    QObject::connect(f.FindDialog2, &TFindDialog::find, &f, &F::FindDialog2Find);
    QObject::connect(f.FindDialog1, &TFindDialog::find, &f, &F::FindDialog1Find);
    QObject::connect(f.ReplaceDialog1, &TReplaceDialog::replace, &f, &F::ReplaceDialog1Replace);
}

bool TForm1::StrExist(const QString& text, const QString& sub) {
    return !text.isEmpty() && text.contains(sub, Qt::CaseInsensitive);
}

void TForm1::Danslescommandes1Click() { chooseScope(*this, Danslescommandes1); }
void TForm1::Danslesparamtres1Click() { chooseScope(*this, Danslesparamtres1); }
void TForm1::Danslescommandesetparamtres1Click() { chooseScope(*this, Danslescommandesetparamtres1); }

// A step starts after the selected row, or on it when the search starts over
// (just opened, nothing selected, or after "not found").
void TForm1::FindDialog2Find() {
    TListView* list = ListView1;
    const int n = list->count();
    if (n == 0) return;
    FindDialog2->close();
    const bool down = FindDialog2->down();
    const QString text = FindDialog2->findText();
    bool fromStart = FindDialog2->fromStart;
    FindDialog2->fromStart = false;
    int from = list->selectedIndex();
    if (from < 0) {
        from = down ? 0 : n - 1;
        Select_unique(list, from);
        fromStart = true;
    }
    const bool commands = !Danslesparamtres1->isChecked();
    const bool params = !Danslescommandes1->isChecked();
    const int step = down ? 1 : -1;
    for (int r = fromStart ? from : from + step; r >= 0 && r < n; r += step) {
        if ((commands && StrExist(list->keyword(r), text)) || (params && StrExist(list->params(r), text))) {
            Select_unique(list, r);
            list->setFocus();
            return;
        }
    }
    MessageDlg(QStringLiteral("La chaine '") + text + QStringLiteral("' n'a pas été trouvée."), MsgType::Information,
               mbOK);
    FindDialog2->show();
    Select_unique(list, down ? 0 : n - 1);
    FindDialog2->fromStart = true;
}

void TForm1::Occurencesuivante1Click() {
    if (FindDialog2->findText().isEmpty()) FindDialog2->show();
    else FindDialog2Find();
}

void TForm1::Remplacer1Click() { ReplaceDialog1->show(); }

// Text is replaced inside each field only, so a row keeps its fields in place:
// neither text may hold the separator. Replace all starts from the first row.
void TForm1::ReplaceDialog1Replace(bool all) {
    TListView* list = ListView1;
    if (list->count() == 0) return;
    const QString text = ReplaceDialog1->findText();
    const QString by = ReplaceDialog1->replaceText();
    if (text.isEmpty()) return;
    if (text.contains(ParamSeparator()) || by.contains(ParamSeparator())) {
        MessageDlg(QStringLiteral("Le texte recherché et le texte de remplacement ne peuvent pas contenir le "
                                  "séparateur de paramètres \"%1\".")
                       .arg(ParamSeparator()),
                   MsgType::Warning, mbOK);
        return;
    }
    if (mdlfnct::GetVarType(text) != QLatin1String("No_Type")) {
        AddHistory(0, HistoryAction::GroupBegin, QString(), QString());
        ChangeVarName(text, by, true);
        AddHistory(0, HistoryAction::GroupEnd, QString(), QString());
        MessageDlg(QStringLiteral("Remplacement terminé."), MsgType::Information, mbOK);
        ReplaceDialog1->close();
        return;
    }
    int from = 0;
    if (!all) {
        if (list->selectedIndex() < 0) Select_unique(list, 0);
        from = list->selectedIndex();
    }
    int changed = 0;
    for (int r = from; r < list->count(); ++r) {
        const QString before = list->params(r);
        if (!editing::FieldsContain(before, text)) continue;
        RowEditing().previousParams = before;
        {
            EditModeAs modifying(true);
            list->setParams(r, editing::ReplaceInFields(before, text, by));
            SaveBeforeChange(r);
        }
        ++changed;
        if (!all) {
            Select_unique(list, r);
            return;
        }
    }
    if (changed > 0)
        MessageDlg(QStringLiteral("Remplacement terminé."), MsgType::Information, mbOK);
    else
        MessageDlg(QStringLiteral("La chaine \"") + text + QStringLiteral("\" n'a pas été trouvée."),
                   MsgType::Information, mbOK);
    ReplaceDialog1->close();
}

void TForm1::Rechercherladclaration1Click() {
    const int row = ListView1->selectedIndex();
    if (row < 0) return;
    const QString name = ListView1->params(row).mid(5);
    const int found = procedure_exists(ListView1, name);
    if (found >= 0) Select_unique(ListView1, found);
    else MessageDlg(QStringLiteral("Définition de procédure introuvable. [") + name + u']', MsgType::Information, mbOK);
}

void TForm1::Rechercher1Click() {
    FindDialog1->move(mapToGlobal(rect().center()));
    FindDialog1->show();
}

void TForm1::FindDialog1Find() {
    if (!RichEdit1) return;
    QTextCursor at = RichEdit1->textCursor();
    const int from = at.hasSelection() ? at.selectionEnd() : 0;
    QTextDocument::FindFlags flags;
    if (FindDialog1->matchCase()) flags |= QTextDocument::FindCaseSensitively;
    if (FindDialog1->wholeWord()) flags |= QTextDocument::FindWholeWords;
    const QTextCursor found = RichEdit1->document()->find(FindDialog1->findText(), from, flags);
    if (found.isNull()) return;
    RichEdit1->setFocus();
    RichEdit1->setTextCursor(found);
}

void TForm1::Rechercher3Click() {
    if (QWidget* focused = QApplication::focusWidget()) FormHelpRequest(focused->window());
}
