#include "core/FileDialog.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QStringList>

namespace {
TFileDialog::Answerer& answerer() {
    static TFileDialog::Answerer a;
    return a;
}
}  // namespace

TFileDialog::TFileDialog(QWidget* owner, Kind kind, const QString& objectName)
    : QObject(owner), kind_(kind) {
    setObjectName(objectName);
}

void TFileDialog::setAnswerer(Answerer a) { answerer() = std::move(a); }

bool TFileDialog::Execute() {
    if (answerer()) return answerer()(*this);
    // Nobody could ever answer a dialog on the offscreen platform.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return false;
    // "Name|*.a|Other|*.b" becomes "Name (*.a);;Other (*.b)".
    const QStringList parts = Filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + u')';
    QString selected = filters.value(FilterIndex - 1);
    auto* owner = qobject_cast<QWidget*>(parent());
    const QString name =
        kind_ == Open ? QFileDialog::getOpenFileName(owner, QString(), FileName, filters.join(QStringLiteral(";;")), &selected)
                      : QFileDialog::getSaveFileName(owner, QString(), FileName, filters.join(QStringLiteral(";;")), &selected);
    if (name.isEmpty()) return false;
    FileName = name;
    FilterIndex = int(filters.indexOf(selected)) + 1;
    return true;
}
