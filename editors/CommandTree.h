#pragma once
// What the command tree of the main window does: a click shows the node's
// description, a double-click opens its command's dialog with the node's
// preset, F1 opens the help topic "define.h" gives the node. Also the
// description panel's pop-up menu.
#include <QString>

#include <functional>

class TForm1;

// Fills the tree with the built-in nodes and connects the tree and the
// description panel (their pop-up menus included).
void BuildCommandTreeView(TForm1& form);
void TreeView1Click();
void TreeView1DblClick();
// The Fonction dialog opened for adding, on that category and function.
void Openform13withparam(const QString& category, const QString& item);
// How that dialog is opened and preset: by default its palette button, then
// its presets, the category first. Replaceable while the dialog changes.
extern std::function<void(const QString& category, const QString& item)> PresetFonctionDialog;
// The help context "define.h" of the program folder gives a node path; 0 when none.
int DefineHelpContext(const QString& path);
// "Enregistrer l'ensemble des descriptions" and "Envoyer à l'auteur".
void Enregistrer2Click();
void Envoyeralauteur1Click();
