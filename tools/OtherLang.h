#pragma once
// A macro as text of another language, described by a linkage file
// ("<language>.OtherLangEditor" of the program folder): exported to a file,
// copied to the clipboard, imported back into rows.
#include "core/MacroList.h"

#include <QString>
#include <QStringList>
#include <QVector>

class TForm1;
class TListView;

struct TLinkageFile {
    QString TypeFileName, TypeFileExt;
    QString SeparatorPrm;  // the other language's parameter separator
    QString EndCommand;    // what ends a statement
    QString StringCar;     // the quote of its texts
    QString Open, Close;   // the brackets around the parameters
    QString AffectationOperator;
    QVector<std::pair<QString, QString>> Aliases;  // keyword, word of the other language, in file order
};

// Who reads a linkage file: each has its own defaults.
enum class LinkageUse { Export, Copy, Import };
// A missing file or key gives the defaults of that use.
TLinkageFile ReadLinkageFile(const QString& path, LinkageUse use);

// The text of rows: a statement or a "//" comment each, every one followed
// by a line break (the export's entries after its header, or the copy).
QString OtherLangRows(const TLinkageFile& link, const QVector<MacroCommand>& rows);
// The rows one line of text of the other language gives (an assignment
// counts the variables the macro declares at that moment).
QVector<MacroCommand> OtherLangStatements(const TLinkageFile& link, const QString& line);

// The linkage file an imported text names on its first line that is not
// blank ("LangEditor=<name>", any case): its name, lowered, and the line
// after it (where the statements start); false when that line names none.
bool LinkageNameOf(const QStringList& lines, QString& name, qsizetype& next);

// "Macro > Exporter vers OtherLangage": the whole macro into a text file.
void ExporterversOtherLangage1Click();
// "Copier au format... > OtherLangEditor": the selected rows (all without a
// selection) as text on the clipboard; an empty path means the built-in defaults.
void CopyOtherLangText(const QString& linkagePath);
// Appends the rows of a text file of another language to list (null: ListView1),
// then checks the list. A file without its "LangEditor=" line, or whose
// linkage file is missing, gives an error in the check list and no rows.
void ImportOtherLangText(const QString& fileName, TListView* list);
// The menu items of the export and the copy.
void BuildOtherLangMenus(TForm1& form);
