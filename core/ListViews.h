#pragma once
// How the command list shows the macro: colours per command, comment rows,
// indentation under "Examine", hints.
#include <QColor>
#include <QString>
#include <QVector>

class TListView;

// Each row's indentation in icon widths: 0, -1 for "Label" and "Goto", the
// indentation of an "Examine" row plus 2 for the two rows that follow it.
QVector<int> ListIndents(const TListView& list);
// The background of a row: the colour the options give its command; the
// "Examine" colour (white when none) for the two rows after an "Examine";
// invalid for the list's own.
QColor RowColour(const TListView& list, int row);
// The hint of a row: while stepping or stopped at a breakpoint, a variable's
// value or an "Examine" row's condition; while idle, the rows of the macro an
// "Execute" row runs. Empty when there is none.
QString ListHint(const TListView& list, int row);
