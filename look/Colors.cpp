#include "look/Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {
// System colour index -> palette role (the usual meaning of each index).
QPalette::ColorRole systemRole(int index) {
    switch (index) {
        case 5: return QPalette::Base;               // window background
        case 8: return QPalette::Text;               // window text
        case 13: return QPalette::Highlight;
        case 14: return QPalette::HighlightedText;
        case 16: return QPalette::Dark;              // button shadow
        case 17: return QPalette::PlaceholderText;   // grey text
        case 18: return QPalette::ButtonText;
        case 20: return QPalette::Light;             // button highlight
        case 21: return QPalette::Shadow;
        case 22: return QPalette::Midlight;
        case 23: return QPalette::ToolTipText;
        case 24: return QPalette::ToolTipBase;
        case 7: return QPalette::WindowText;         // menu text
        default: return QPalette::Window;            // faces, menus, captions
    }
}
}  // namespace

bool IsSystemColor(TColor c) {
    const quint32 high = quint32(c) >> 24;
    return high == 0x80 || high == 0xFF;
}

QColor ColorToQColor(TColor c) {
    if (IsSystemColor(c)) return QGuiApplication::palette().color(systemRole(int(c & 0xFF)));
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

TColor QColorToColor(const QColor& c) { return TColor(c.red() | (c.green() << 8) | (c.blue() << 16)); }
