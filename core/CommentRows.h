#pragma once
// Comment rows: a command turned into a comment for a while, and back.
#include "core/MacroList.h"

#include <QFontMetrics>
#include <optional>

// "// " + keyword + " {" + parameters + "}".
QString CommentedOut(const MacroCommand& row);
// The command a comment made by CommentedOut holds, with its icon; none when
// the text has not that shape or its parts would not fit in a row.
std::optional<MacroCommand> RestoredFromComment(const QString& params);
// The text between two runs of stars, as many as fill the column (none when
// it is full already); never longer than a row holds.
QString FramedWithStars(const QString& text, int columnWidth, const QFontMetrics& metrics);
