#pragma once
// Start-up and the main window's life: what other topics need of them.
// The start-up flags themselves are declared in core/MacroFile.h.
#include <QString>
#include <QStringList>

class TXPMenu;

// The XP look of the program, created by TForm1::FormCreate.
extern TXPMenu* MainXPMenu;
// Command descriptions: every line of the language's ".lng" file, loaded at start-up.
extern QStringList DescriptionLines;

// The program's arguments, the program itself first. Tests set their own
// (an empty list gives the real ones back).
QStringList ProgramArguments();
void SetProgramArguments(const QStringList& arguments);

// Opens a file with the desktop's handler for it (a program is started);
// fragment, when given, names a place inside it. False when that failed.
bool ShellOpen(const QString& path, const QString& fragment = QString());

// The help file beside the program, in French.
inline const QString kHelpFileName = QStringLiteral("aide.html");
// The help file of the language the options name: "aide-<language>.html"
// beside the program when there is one, else the French one.
QString HelpFilePath();
// Opens the help file at a help context (0: its first page); when that
// fails, says so in a message box. False on failure.
bool OpenHelp(int context);

// Texts of the tray icon shown while a macro runs without the editor.
QString TrayTooltip(const QString& macroName);
QString TrayBalloonText(const QString& macroName);
// Breaks a line after a blank, "-" or tab so that no line passes maxCol when it can be helped.
QString WrapText(const QString& line, int maxCol);
