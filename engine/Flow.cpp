// Flow commands: label lookup and the "Pause" command.
#include "core/Variables.h"
#include "engine/Handlers.h"

#include <QCoreApplication>

int FindLabelRow(const TMacroDocument& list, const QString& name) {
    const int found = list.LabelRow(GetParam(name)[1]);
    QCoreApplication::processEvents();
    return found;
}

// The amount may be a variable, and so may the whole parameter string.
CommandResult ExecPause(CommandCall& c) {
    TParamFields f = GetParam(c.Value(c.params));
    f[1] = c.Value(f[1]);
    QString params;
    for (int i = 1; i < f.Count && i <= 20; ++i) params += f[i] + CarSepParam;
    c.ctx.Pause(params);
    return Done();
}
