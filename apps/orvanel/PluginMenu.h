#pragma once
// The main window's entry "Gestion des plug-ins".

class TForm1;

// Adds the entry to the Tools menu: it opens the options dialog on its plug-ins tab.
void AddPluginMenu(TForm1& form);
// The entry's handler.
void Gestiondesnouvellecommandes1Click();
