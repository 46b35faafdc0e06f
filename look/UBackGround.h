#pragma once
// Backgrounds painted into bitmaps: a horizontal gradient, the decorative
// "Bézier aléatoire" sweep of random cubic curves over a gradient, and the
// banner strip at the top of several windows. Every conversion of a real value
// to a coordinate or a colour channel rounds half to even and raises
// ERangeError when the result does not fit.
#include "look/Colors.h"

#include <QImage>
#include <QPoint>
#include <QVector>
#include <array>
#include <stdexcept>

class QLabel;

class ERangeError : public std::range_error {
public:
    using std::range_error::range_error;
};

// What the painter draws with.
class TCanvas {
public:
    virtual ~TCanvas() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;  // from the pen position, which moves there
    // Outlined with the pen, filled with the brush; right and bottom excluded.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void PolyBezier(const std::array<QPoint, 4>& points) = 0;

    TColor PenColor = 0;
    int PenWidth = 1;
    TColor BrushColor = clWhite;
};

// A canvas over an image.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(QImage& image) : image_(image) {}
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    void MoveTo(int x, int y) override { pen_ = {x, y}; }
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void PolyBezier(const std::array<QPoint, 4>& points) override;

private:
    QImage& image_;
    QPoint pen_;
};

namespace UBackGround {

// Colours of the "Bézier aléatoire" background; zero until the settings are loaded.
struct TBezierColors {
    TColor gradientStart = 0, gradientEnd = 0, stroke = 0;
};
TBezierColors& BezierColors();

using TPoints = QVector<QPoint>;

// P*t + Q*(1-t), in single precision.
QPoint LerpPoint(QPoint P, QPoint Q, float t);
// C[i] = LerpPoint(B[i], A[i], t) for i < N: A at t = 0, B at t = 1.
void LerpPolygon(TPoints A, TPoints B, int N, float t, TPoints& C);
// The point at t of the cubic Bézier curve P0..P3, in single precision.
QPoint BezierPoint(QPoint P0, QPoint P1, QPoint P2, QPoint P3, float t);

// Columns 0..W from C1 to C2 (C2 lands on the column just outside); the pen is left at C2.
void DrawHorzGradient(TCanvas& canvas, TColor C1, TColor C2);
// The gradient of BezierColors() under (W*H) div 6000 + 1 curves and lines.
void DrawRandomBezier(TCanvas& canvas);
void DrawRandomBezier(QImage& bitmap);
// A white banner with a 5-pixel blue-to-white strip along its bottom edge,
// sized to the image control.
void DrawBanner(QLabel* image);

}  // namespace UBackGround
