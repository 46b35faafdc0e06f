#pragma once
// The registry of keyboard layouts the X keyboard extension installs
// ("/usr/share/X11/xkb/rules/evdev.xml"): each layout, then its variants.
#include "platform/Platform.h"

#include <QIODevice>

namespace platform {

inline constexpr char kXkbRegistry[] = "/usr/share/X11/xkb/rules/evdev.xml";

// A layout's identifier is its name ("fr"), a variant's the layout's name with
// the variant's in brackets ("fr(oss)"); each is named by its description.
// Empty when the registry cannot be read.
QVector<KeyboardLayoutInfo> ReadXkbLayouts(QIODevice& registry);
QVector<KeyboardLayoutInfo> ReadXkbLayouts(const QString& file = QString::fromLatin1(kXkbRegistry));

}  // namespace platform
