#include "look/XPColors.h"

#include <QImage>
#include <algorithm>
#include <cmath>

namespace {
struct Rgb {
    int r, g, b;
};

Rgb channels(TColor c) {
    const QColor q = ColorToQColor(c);
    return {q.red(), q.green(), q.blue()};
}

TColor color(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }

// Applies a colour function to every pixel, keeping its alpha.
template <typename F>
void eachPixel(QImage& image, F f) {
    if (image.format() != QImage::Format_ARGB32) image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            const QColor c = ColorToQColor(f(color(qRed(p), qGreen(p), qBlue(p))));
            line[x] = qRgba(c.red(), c.green(), c.blue(), qAlpha(p));
        }
    }
}
}  // namespace

TColor Shade(TColor c, int n) {
    const Rgb v = channels(c);
    return color(std::clamp(v.r - n, 0, 255), std::clamp(v.g - n + 2, 0, 255), std::clamp(v.b - n, 0, 255));
}

TColor Lighten(TColor c, int p) {
    p = std::min(p, 100);
    const Rgb v = channels(c);
    auto up = [p](int ch) { return ch + int(std::nearbyint((255 - ch) * p / 100.0)); };
    return color(up(v.r), up(v.g), up(v.b));
}

TColor Gray(TColor c, int delta) {
    const Rgb v = channels(c);
    const int g = std::min((v.r + v.g + v.b) / 3 + delta, 240);
    return color(g, g, g);
}

void GrayBitmap(QImage& image, int delta) {
    eachPixel(image, [delta](TColor c) { return Gray(c, delta); });
}

void DimBitmap(QImage& image, int p) {
    eachPixel(image, [p](TColor c) { return Lighten(c, p); });
}
