// Macro files: reading, writing and password protection.
#include "core/Unit1.h"

void TForm1::buildFilesUi() {}

bool TForm1::OpenFileMacro(const QString& fileName, TListView* list, const QString& statusText, int position) {
    Q_UNUSED(fileName);
    Q_UNUSED(list);
    Q_UNUSED(statusText);
    Q_UNUSED(position);
    return false;
}

bool TForm1::SaveBeforeExit() { return true; }
