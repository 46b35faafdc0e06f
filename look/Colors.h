#pragma once
// Colour values as the settings store them: 32-bit, red in the low byte, then
// green, then blue. A value whose high byte is $80 or $FF names a system
// colour (index in the low byte), looked up when painting.
#include <QColor>

using TColor = qint32;

constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindowText = TColor(0x80000008);  // -2147483640
constexpr TColor clWindow = TColor(0x80000005);
constexpr TColor clMenuText = TColor(0x80000007);
constexpr TColor clHighlight = TColor(0x8000000D);
constexpr TColor clBtnFace = TColor(0x8000000F);
constexpr TColor clBtnShadow = TColor(0x80000010);
constexpr TColor clInactiveCaption = TColor(0x80000013);

bool IsSystemColor(TColor c);
// The colour to paint with; system colours come from the application palette.
QColor ColorToQColor(TColor c);
// A plain colour value of a painted colour.
TColor QColorToColor(const QColor& c);
