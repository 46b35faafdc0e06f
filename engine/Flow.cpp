// Flow commands: label lookup and the "Pause" command.
#include "core/Variables.h"
#include "engine/Handlers.h"

#include <QCoreApplication>

int FindLabelRow(const TMacroDocument& list, const QString& label) {
    const int found = list.FindRow(QStringLiteral("Label"), label);
    QCoreApplication::processEvents();
    return found;
}

// The amount may be a variable, and so may the whole parameter string.
CommandResult ExecPause(CommandCall& c) {
    const QChar separator = c.ctx.Separator();
    const ParamView p(Command::Pause, c.Value(c.params), separator);
    c.ctx.PauseMs(PauseDuration(c.Value(p.text(1)), p.text(2)));
    return Done();
}
