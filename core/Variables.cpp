// Variables, labels, procedures and objects of the macro; the run-time store.
#include "core/Unit1.h"

void TForm1::ReadVariable(const QString& section, const QString& name, const QString& def, QString& value) {
    Q_UNUSED(section);
    Q_UNUSED(name);
    value = def;
}

void TForm1::WriteVariable(const QString& section, const QString& name, const QString& value) {
    Q_UNUSED(section);
    Q_UNUSED(name);
    Q_UNUSED(value);
}

void TForm1::GetInitialValueofVar(const QString& name, QChar quote, QString& value) {
    Q_UNUSED(name);
    Q_UNUSED(quote);
    value.clear();
}
