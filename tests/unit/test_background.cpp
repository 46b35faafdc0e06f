// The background painter: its arithmetic, the gradient, the random curves and the banner.
#include "look/UBackGround.h"
#include "tests/support/TestSupport.h"

#include <QLabel>

using namespace UBackGround;

namespace {

// Records what the painter draws.
class RecordingCanvas : public TCanvas {
public:
    RecordingCanvas(int w, int h) : w_(w), h_(h) {}
    int Width() const override { return w_; }
    int Height() const override { return h_; }
    void MoveTo(int x, int y) override { pen = {x, y}; }
    void LineTo(int x, int y) override {
        lines.append({pen, QPoint(x, y), PenColor});
        pen = {x, y};
    }
    void Rectangle(int, int, int, int) override { ++rectangles; }
    void PolyBezier(const std::array<QPoint, 4>& points) override { curves.append(points); }

    struct Line {
        QPoint from, to;
        TColor color;
    };
    QPoint pen;
    QVector<Line> lines;
    QVector<std::array<QPoint, 4>> curves;
    int rectangles = 0;

private:
    int w_, h_;
};

struct ColoursGuard {
    TColor start = BezierColors().gradientStart, end = BezierColors().gradientEnd, stroke = BezierColors().stroke;
    ~ColoursGuard() {
        BezierColors().gradientStart = start;
        BezierColors().gradientEnd = end;
        BezierColors().stroke = stroke;
    }
};

TEST(BackgroundArithmetic, LerpPointRoundsHalvesToEven) {
    struct Case {
        QPoint p, q;
        float t;
        QPoint expected;
    };
    const Case cases[] = {
        {{10, 20}, {30, 40}, 1.0f, {10, 20}},  // t = 1: P
        {{10, 20}, {30, 40}, 0.0f, {30, 40}},  // t = 0: Q
        {{1, 3}, {0, 0}, 0.5f, {0, 2}},        // 0.5 -> 0, 1.5 -> 2
        {{5, -5}, {0, 0}, 0.5f, {2, -2}},      // 2.5 -> 2, -2.5 -> -2
        {{-7, 7}, {7, -7}, 0.25f, {4, -4}},    // -1.75 + 5.25 = 3.5 -> 4
    };
    for (const Case& c : cases) EXPECT_EQ(LerpPoint(c.p, c.q, c.t), c.expected) << c.t;
}

TEST(BackgroundArithmetic, BezierEndsAtItsFirstAndLastPoints) {
    const QPoint p0(-600, -400), p1(-1200, -2000), p2(-3000, -450), p3(-800, -1900);
    EXPECT_EQ(BezierPoint(p0, p1, p2, p3, 0.0f), p0);
    EXPECT_EQ(BezierPoint(p0, p1, p2, p3, 1.0f), p3);
    // A straight line at its middle: 0.125*0 + 0.375*10 + 0.375*20 + 0.125*30 = 15.
    EXPECT_EQ(BezierPoint({0, 0}, {10, 10}, {20, 20}, {30, 30}, 0.5f), QPoint(15, 15));
    // 0.125*1 + 0.375*2 + 0.375*3 + 0.125*4 = 2.5 -> 2.
    EXPECT_EQ(BezierPoint({1, 0}, {2, 0}, {3, 0}, {4, 0}, 0.5f), QPoint(2, 0));
}

TEST(BackgroundArithmetic, LerpPolygonRunsFromAToBAndChecksItsIndexes) {
    const TPoints A{{0, 0}, {10, 10}}, B{{100, 50}, {20, 30}};
    TPoints C(2);
    LerpPolygon(A, B, 2, 0.0f, C);
    EXPECT_EQ(C, A);
    LerpPolygon(A, B, 2, 1.0f, C);
    EXPECT_EQ(C, B);
    LerpPolygon(A, B, 1, 0.5f, C);
    EXPECT_EQ(C[0], QPoint(50, 25));
    EXPECT_THROW(LerpPolygon(A, B, 3, 0.5f, C), ERangeError);
    TPoints small(1);
    EXPECT_THROW(LerpPolygon(A, B, 2, 0.5f, small), ERangeError);
}

TEST(BackgroundArithmetic, CoordinatesThatDoNotFitRaise) {
    EXPECT_THROW(LerpPoint({INT_MAX, 0}, {INT_MAX, 0}, 0.5f), ERangeError);
}

TEST(Background, GradientPaintsOneColumnMoreThanTheWidth) {
    struct Case {
        int width;
        TColor from, to;
        QVector<int> reds;  // red channel per column
    };
    const Case cases[] = {
        {4, 0x000000, 0x0000FF, {0, 64, 128, 191, 255}},  // 127.5 -> 128
        {2, 0x000000, 0x000005, {0, 2, 5}},               // 2.5 -> 2
        {1, 0x000010, 0x000010, {16, 16}},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas(c.width, 3);
        DrawHorzGradient(canvas, c.from, c.to);
        ASSERT_EQ(canvas.lines.size(), c.width + 1);
        for (int x = 0; x <= c.width; ++x) {
            EXPECT_EQ(canvas.lines[x].from, QPoint(x, 0));
            EXPECT_EQ(canvas.lines[x].to, QPoint(x, 3));
            EXPECT_EQ(canvas.lines[x].color & 0xFF, c.reds[x]) << "column " << x;
        }
        EXPECT_EQ(canvas.lines.last().color, c.to);
        EXPECT_EQ(canvas.PenColor, c.to);
    }
}

TEST(Background, GradientRefusesSystemColoursBeforeDrawing) {
    RecordingCanvas canvas(10, 10);
    EXPECT_THROW(DrawHorzGradient(canvas, clWindowText, clWhite), ERangeError);
    EXPECT_THROW(DrawHorzGradient(canvas, clWhite, -1), ERangeError);
    EXPECT_TRUE(canvas.lines.isEmpty());
}

TEST(Background, RandomBezierDrawsOneCurveAndOneLinePerStep) {
    const ColoursGuard guard;
    BezierColors().gradientStart = 0xDDDBD1;
    BezierColors().gradientEnd = 0xA29B80;
    BezierColors().stroke = 0x123456;
    struct Case {
        int w, h, passes;
    };
    const Case cases[] = {{1, 1, 2}, {600, 400, 41}, {100, 60, 2}, {120, 100, 3}, {59, 101, 2}, {1000, 600, 101}};
    for (const Case& c : cases) {
        RecordingCanvas canvas(c.w, c.h);
        DrawRandomBezier(canvas);
        EXPECT_EQ(canvas.curves.size(), c.passes) << c.w << "x" << c.h;
        ASSERT_EQ(canvas.lines.size(), c.w + 1 + c.passes);
        for (int i = c.w + 1; i < canvas.lines.size(); ++i) EXPECT_EQ(canvas.lines[i].color, BezierColors().stroke);
        // The first curve is A: every control point above and left of the bitmap.
        for (const QPoint& p : canvas.curves.first()) {
            EXPECT_LE(p.x(), -c.w);
            EXPECT_GE(p.x(), -c.w - 5 * (c.w - 1));
            EXPECT_LE(p.y(), -c.h);
        }
    }
}

TEST(Background, RandomBezierOnAnEmptyBitmapDrawsNothing) {
    for (const QSize size : {QSize(0, 10), QSize(10, 0)}) {
        RecordingCanvas canvas(size.width(), size.height());
        DrawRandomBezier(canvas);
        EXPECT_TRUE(canvas.lines.isEmpty());
        EXPECT_TRUE(canvas.curves.isEmpty());
    }
}

TEST(Background, EqualGradientColoursGiveAFlatBackground) {
    const ColoursGuard guard;
    BezierColors().gradientStart = BezierColors().gradientEnd = 0x405060;
    BezierColors().stroke = 0x000000;
    RecordingCanvas canvas(50, 20);
    DrawRandomBezier(canvas);
    for (int x = 0; x <= 50; ++x) EXPECT_EQ(canvas.lines[x].color, 0x405060);
}

TEST(Background, BannerKeepsTheGradientInItsBottomFiveRows) {
    QLabel label;
    label.resize(20, 10);
    DrawBanner(&label);
    const QImage image = label.pixmap().toImage();
    ASSERT_EQ(image.size(), QSize(20, 10));
    for (int y = 0; y < 5; ++y) EXPECT_EQ(image.pixelColor(0, y), QColor(Qt::white)) << y;
    for (int y = 5; y < 10; ++y) EXPECT_EQ(image.pixelColor(0, y), QColor(0x33, 0x66, 0xCC)) << y;
    EXPECT_EQ(image.pixelColor(19, 9), QColor(0xF5, 0xF7, 0xFC));  // 51 + round(19 * 10.2), ...
}

}  // namespace
