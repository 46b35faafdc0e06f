#include "core/FileDialog.h"

#include "core/Services.h"

#include <QWidget>

TFileDialog::TFileDialog(QWidget* owner, Kind kind, const QString& objectName)
    : QObject(owner), kind_(kind) {
    setObjectName(objectName);
}

bool TFileDialog::Execute() { return Services().ChooseFile(*this); }
