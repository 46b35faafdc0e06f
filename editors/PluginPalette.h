#pragma once
// The palette side of the command plug-ins (engine/GestionCommande.h): their
// buttons, the rows they add and edit, their nodes in the command tree, and
// the answers to their messages while they run or edit.
#include <QObject>

class QAbstractButton;
class QTreeWidget;
class TForm1;

// The palette follows the plug-ins loaded and removed, for as long as owner lives.
void InstallPluginPalette(QObject& owner);
// A palette button of a plug-in: its description, then a new row from NewOrdre.
void OnClickNewOrder(QAbstractButton* button);
// The edit entry for a plug-in row of ListView1: ChangeOrdre rewrites its
// parameters. False when its keyword is no loaded plug-in.
bool EditPluginRow(int row);
// The command tree's node "Plugins": one child per category, under it one
// node per plug-in command (text: its keyword).
void AddPluginNodes(QTreeWidget* tree);

// The main window answers the plug-ins' messages (2258 to 2265), until it is
// destroyed (editors/PluginProtocol.cpp).
void InstallPluginMessages(TForm1& form);
