#pragma once
// Export of the open macro to a stand-alone program: the stub "DivOV.exe"
// followed by a container that holds this program, the macro with the paths
// of its files bound below the folder it runs from, those files, the
// language file, a trimmed "config.ini" and the plug-ins the macro uses.
#include <QString>

// The canonical folder of a file without its leading "/" ("" for "/"): where
// the export packs it, below the folder the exported macro runs from.
QString ExportPathHelper(const QString& path);
// Writes the macro with the 21 declarations and a binding row before each
// row that names a confirmed file (replaced by its virtual name). False,
// after a message, when a row would pass 255 characters or the file cannot
// be written.
bool RewriteExportPaths(const QString& preparedMacro);
// The whole export, from the wizard to "<macro>.exe" beside the macro. Any
// failure is a message naming its file; what the export wrote is removed.
void Exporterversexecutable1Click();
