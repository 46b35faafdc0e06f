#pragma once
// Drawing helpers of the XP look, in the classic canvas terms: boxes with the
// right and bottom edges excluded, rectangles outlined in one colour and
// filled in another, lines in one colour, no antialiasing.
#include "look/Colors.h"

#include <QPainter>
#include <QPoint>
#include <QRect>
#include <initializer_list>

namespace xppaint {

struct Box {
    int l = 0, t = 0, r = 0, b = 0;
    static Box of(const QRect& q) { return {q.left(), q.top(), q.left() + q.width(), q.top() + q.height()}; }
    int width() const { return r - l; }
    int height() const { return b - t; }
    QRect rect() const { return QRect(l, t, r - l, b - t); }
    Box shrunk(int dx, int dy) const { return {l + dx, t + dy, r - dx, b - dy}; }
};

inline void fill(QPainter& p, const Box& b, TColor c) {
    if (b.width() > 0 && b.height() > 0) p.fillRect(b.rect(), ColorToQColor(c));
}

// Outlined in pen, filled in brush; a negative brush leaves the inside alone.
inline void rectangle(QPainter& p, const Box& b, TColor pen, TColor brush = -1) {
    if (b.width() <= 0 || b.height() <= 0) return;
    if (brush != -1) fill(p, b, brush);
    p.setPen(ColorToQColor(pen));
    p.setBrush(Qt::NoBrush);
    p.drawRect(b.l, b.t, b.width() - 1, b.height() - 1);
}

inline void line(QPainter& p, int x1, int y1, int x2, int y2, TColor c) {
    p.setPen(ColorToQColor(c));
    p.drawLine(x1, y1, x2, y2);
}

inline void polyline(QPainter& p, std::initializer_list<QPoint> points, TColor c) {
    p.setPen(ColorToQColor(c));
    const QPoint* prev = nullptr;
    for (const QPoint& pt : points) {
        if (prev) p.drawLine(*prev, pt);
        prev = &pt;
    }
}

}  // namespace xppaint
