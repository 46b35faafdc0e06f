#pragma once
// A control given its component name, by which language files find it.
#include <QString>

template <class W>
W* Named(W* control, const QString& name) {
    control->setObjectName(name);
    return control;
}
