#pragma once
// The colour arithmetic of the XP look. Each function takes a colour value
// (system colours are looked up first) and gives a plain one.
#include "look/Colors.h"

class QImage;

// Darker by n: red - n, green - n + 2, blue - n, each kept within 0..255.
TColor Shade(TColor c, int n);
// Each channel moved p percent (at most 100) of the way to 255, rounded half to even.
TColor Lighten(TColor c, int p);
// The gray of the channels' mean plus delta, at most 240.
TColor Gray(TColor c, int delta);
// Every pixel of the image through Gray or Lighten; transparency is kept.
void GrayBitmap(QImage& image, int delta);
void DimBitmap(QImage& image, int p);
