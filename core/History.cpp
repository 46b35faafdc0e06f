// Undo history of TForm1. Recording is switched off while loads and replays work.
#include "core/Unit1.h"

bool HistoryEnabled = true;

void TForm1::buildEditingUi() {}

void TForm1::SaveBeforeChange(int row) {
    if (!HistoryEnabled || !ListView1->hasRow(row)) return;
}

void TForm1::AddHistory(int line, const QString& action, const QString& command, const QString& params) {
    if (!HistoryEnabled) return;
    Q_UNUSED(line);
    Q_UNUSED(action);
    Q_UNUSED(command);
    Q_UNUSED(params);
}
