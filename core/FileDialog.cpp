#include "core/FileDialog.h"

#include "core/Services.h"

#include <QFileInfo>
#include <QWidget>

TFileDialog::TFileDialog(QWidget* owner, Kind kind, const QString& objectName)
    : QObject(owner), kind_(kind) {
    setObjectName(objectName);
}

bool TFileDialog::Execute() {
    if (!Services().ChooseFile(*this)) return false;
    if (kind_ == Save && !DefaultExt.isEmpty() && QFileInfo(FileName).suffix().isEmpty())
        FileName += u'.' + DefaultExt;
    return true;
}
