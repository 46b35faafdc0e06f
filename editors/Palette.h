#pragma once
// The command palette of the main window and the edit entry of its rows.
#include <QString>

class TForm1;

// The palette buttons on the pages of PageControl2, one per command of the
// command table that has a place there.
void BuildPalette(TForm1& form);
// Opens the dialog of a command for adding, as its palette button does, then
// presets it as the command tree asks (a choice's word or caption, a
// procedure's role, the Execute dialog's text); an empty preset leaves it as
// it opened.
void ShowCommandDialog(const QString& keyword, const QString& preset = QString());
// The edit entry (TForm1::Editer1Click has set RowEditing().modifying and RowEditing().previousParams
// for the selected row): opens the dialog of the row's keyword for modifying
// it, edits an "Inclusion" row's file, or hands a plug-in row to its library.
void EditSelectedRow(const QString& keyword);
// Opens the dialog that adds a row of that keyword (the comment dialog for "Commentaire").
void OpenDialogForAdding(const QString& keyword);
