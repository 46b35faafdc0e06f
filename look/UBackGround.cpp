#include "look/UBackGround.h"

#include <QDateTime>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <climits>
#include <cmath>
#include <random>

void TBitmapCanvas::LineTo(int x, int y) {
    QPainter p(&image_);
    p.setPen(QPen(ColorToQColor(PenColor), PenWidth));
    p.drawLine(pen_, QPoint(x, y));
    pen_ = {x, y};
}

void TBitmapCanvas::Rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    QPainter p(&image_);
    p.fillRect(QRect(left, top, right - left, bottom - top), ColorToQColor(BrushColor));
    p.setPen(QPen(ColorToQColor(PenColor), PenWidth));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void TBitmapCanvas::PolyBezier(const std::array<QPoint, 4>& points) {
    QPainter p(&image_);
    p.setPen(QPen(ColorToQColor(PenColor), PenWidth));
    QPainterPath path(points[0]);
    path.cubicTo(points[1], points[2], points[3]);
    p.drawPath(path);
}

namespace UBackGround {

TBezierColors& BezierColors() {
    static TBezierColors colors;
    return colors;
}

namespace {
// Round half to even; the result must fit a signed 32-bit integer.
int roundToInt(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= double(INT_MIN) && r <= double(INT_MAX))) throw ERangeError("valeur hors limites");
    return int(r);
}

int channel(double v) {
    const int c = roundToInt(v);
    if (c < 0 || c > 255) throw ERangeError("composante de couleur hors limites");
    return c;
}

int red(TColor c) { return c & 0xFF; }
int green(TColor c) { return (c >> 8) & 0xFF; }
int blue(TColor c) { return (c >> 16) & 0xFF; }
}  // namespace

QPoint LerpPoint(QPoint P, QPoint Q, float t) {
    const float px = float(P.x()), py = float(P.y()), qx = float(Q.x()), qy = float(Q.y());
    const float u = 1.0f - t;
    const float x = px * t + u * qx;
    const float y = py * t + u * qy;
    return {roundToInt(x), roundToInt(y)};
}

void LerpPolygon(TPoints A, TPoints B, int N, float t, TPoints& C) {
    if (N < 0 || N > A.size() || N > B.size() || N > C.size()) throw ERangeError("indice hors limites");
    for (int i = 0; i < N; ++i) C[i] = LerpPoint(B[i], A[i], t);
}

QPoint BezierPoint(QPoint P0, QPoint P1, QPoint P2, QPoint P3, float t) {
    const float t2 = t * t;
    const float t3 = t * t2;
    const float w0 = 1.0f - 3.0f * t + 3.0f * t2 - t3;
    const float w1 = 3.0f * t - 6.0f * t2 + 3.0f * t3;
    const float w2 = 3.0f * t2 - 3.0f * t3;
    const float w3 = t3;
    // Each product is a single; the sum is not.
    auto sum = [&](int a, int b, int c, int d) {
        const float pa = w0 * float(a), pb = w1 * float(b), pc = w2 * float(c), pd = w3 * float(d);
        return double(pa) + double(pb) + double(pc) + double(pd);
    };
    return {roundToInt(sum(P0.x(), P1.x(), P2.x(), P3.x())), roundToInt(sum(P0.y(), P1.y(), P2.y(), P3.y()))};
}

void DrawHorzGradient(TCanvas& canvas, TColor C1, TColor C2) {
    if (C1 < 0 || C2 < 0) throw ERangeError("couleur système dans un dégradé");
    const int W = canvas.Width();
    const int H = canvas.Height();
    if (W >= 1) {  // nothing to paint in an empty bitmap
        const double dr = double(red(C2) - red(C1)) / W;
        const double dg = double(green(C2) - green(C1)) / W;
        const double db = double(blue(C2) - blue(C1)) / W;
        for (int x = 0; x <= W; ++x) {
            const int r = channel(red(C1) + roundToInt(x * dr));
            const int g = channel(green(C1) + roundToInt(x * dg));
            const int b = channel(blue(C1) + roundToInt(x * db));
            canvas.PenColor = TColor(r | (g << 8) | (b << 16));
            canvas.MoveTo(x, 0);
            canvas.LineTo(x, H);
        }
    }
    canvas.PenColor = C2;
}

void DrawRandomBezier(TCanvas& canvas) {
    const int W = canvas.Width();
    const int H = canvas.Height();
    if (H < 1 || W < 1) return;
    TPoints A(4), B(4), C(4);
    DrawHorzGradient(canvas, BezierColors().gradientStart, BezierColors().gradientEnd);
    canvas.PenColor = BezierColors().stroke;
    // Seeded from the clock and a count of the calls: two calls within the same
    // millisecond still draw two pictures.
    static quint32 calls = 0;
    std::seed_seq seed{quint32(QDateTime::currentMSecsSinceEpoch()), ++calls};
    std::mt19937 generator(seed);
    auto random = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(generator)); };
    for (int i = 0; i < 4; ++i) {
        A[i].setX(-W - 5 * random(W));
        A[i].setY(-H - 5 * random(H));
        B[i].setX(W + 5 * random(W));
        B[i].setY(H + 5 * random(H));
    }
    canvas.PenWidth = 1;
    const qint64 steps = qMax<qint64>(1, qint64(W) * H / 6000);
    const double step = 1.0 / double(steps);
    double t = 0;
    for (qint64 pass = 0; pass <= steps; ++pass) {
        LerpPolygon(A, B, 4, float(t), C);
        canvas.PolyBezier({C[0], C[1], C[2], C[3]});
        const QPoint P = BezierPoint(A[0], A[1], A[2], A[3], float(t));
        const QPoint Q = BezierPoint(B[0], B[1], B[2], B[3], float(t));
        canvas.MoveTo(P.x(), P.y());
        canvas.LineTo(Q.x(), Q.y());
        t += step;
    }
}

void DrawRandomBezier(QImage& bitmap) {
    TBitmapCanvas canvas(bitmap);
    DrawRandomBezier(canvas);
}

void DrawBanner(QLabel* image) {
    QImage bitmap(qMax(0, image->width()), qMax(0, image->height()), QImage::Format_RGB32);
    if (bitmap.isNull()) return;
    TBitmapCanvas canvas(bitmap);
    DrawHorzGradient(canvas, 0xCC6633, clWhite);
    canvas.BrushColor = clWhite;
    canvas.Rectangle(0, 0, bitmap.width(), bitmap.height() - 5);
    image->setPixmap(QPixmap::fromImage(bitmap));
}

}  // namespace UBackGround
