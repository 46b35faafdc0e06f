// Painting of menu items in the XP look.
#include "look/XPColors.h"
#include "look/XPMenu.h"
#include "look/XPPaint.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

using namespace xppaint;

namespace {
// Shifted copies of a default item's text, with the shade of each.
constexpr struct {
    int dx, dy, shade;
} kDefaultShadow[] = {{1, 0, 30}, {1, 2, 30}, {0, 1, 40}, {1, 1, 60}};
}  // namespace

void TXPMenu::DrawMenuItem(QPainter& canvas, const QRect& r, const TMenuItemInfo& item, bool selected, bool hot) {
    if (!active_) return;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    ComputeColors(canvas.device());
    canvas.setFont(Font);
    const bool top = item.topLevel;
    const bool rtl = item.rightToLeft;
    const Box l = Box::of(r);
    const bool hasGlyph = !item.glyph.isNull();
    const int glyphWidth = hasGlyph ? item.glyph.width() : 0;

    const Box icon = rtl ? Box{l.r - IconWidth, l.t, l.r, l.b} : Box{l.l, l.t, l.l + IconWidth, l.b};
    Box g = hasGlyph ? Box{icon.l + 1, icon.t + 2, icon.r - 3, icon.b - 2}
                     : Box{icon.l + (icon.width() - 10) / 2, icon.t + (icon.height() - 10) / 2, 0, 0};
    if (!hasGlyph) g.r = g.l + 10, g.b = g.t + 10;
    if (glyphWidth > IconWidth) g.r = g.l + glyphWidth;
    if (top) g.t -= 1, g.b -= 1;

    Box t = l;
    if (!rtl) t.l = std::max(l.l + (top ? 4 : IconWidth), glyphWidth + l.l + 4);
    else t.r = std::min(l.r - (top ? 4 : IconWidth), l.r - glyphWidth - 8);
    if (top) {
        t = l;
        if (hasGlyph) rtl ? t.r += 5 : t.l -= 5;
    }

    if (top) {
        if (DrawMenuBar) BarColor = MenuBarColor;
        fill(canvas, l, BarColor);
    } else if (HighColor && Gradient) {
        for (int x = l.l, s = 0; x < l.r + 2; ++x) {
            const int column = rtl ? l.r + 1 - (x - l.l) : x;
            s = std::min(96, s + (x == l.l ? 1 : x < l.l + IconWidth + 5 ? 3 : 1));
            fill(canvas, {column, l.t, column + 1, l.b}, Lighten(IconColumnColor, s));
        }
    } else {
        fill(canvas, l, ItemColor);
        fill(canvas, icon, IconColumnColor);
    }

    if (selected && DrawSelect) {
        if (top) drawTopLevelBar(canvas, l.rect());
        else if (item.enabled) rectangle(canvas, {l.l, l.t + 1, l.r - (FlatMenu ? 1 : 0), l.b - 1}, SelectFrameColor, SelectFillColor);
    } else if (top && hot && item.enabled) {
        rectangle(canvas, {l.l, l.t, l.r - kBarFrameInset + 1, l.b}, SelectFrameColor, SelectFillColor);
    }

    if (item.checked) drawCheck(canvas, g.rect(), item, selected);

    if (hasGlyph) {
        int x = g.l + (glyphWidth < IconWidth ? (IconWidth - glyphWidth) / 2 - 1 : 2);
        if (rtl && glyphWidth >= IconWidth) x = g.r - glyphWidth - 2;
        int y = g.t + 1 + 2;
        if (top) x = rtl ? g.r - glyphWidth - 5 : g.l + 1, y = g.t + 1;
        if (selected && item.enabled && top) x -= 1, y -= 2;
        else if (selected && item.enabled && !item.checked) x -= 1, y -= 1;
        DrawGlyph(canvas, item.glyph, x, y, selected && !top, item.enabled, item.checked);
    }

    if (item.separator()) {
        const int y = t.t + int(std::nearbyint((t.b - t.t) / 2.0));
        line(canvas, rtl ? t.l : t.l + 7, y, rtl ? t.r - 7 : t.r, y, SeparatorLineColor);
    } else {
        rtl ? t.r -= kCaptionInset : t.l += kCaptionInset;
        t.t += (t.height() - QFontMetrics(Font).height()) / 2;
        drawCaption(canvas, t.rect(), item, selected);
    }
    canvas.restore();
}

void TXPMenu::drawCaption(QPainter& canvas, QRect t, const TMenuItemInfo& item, bool selected) {
    TColor color = FontColor;
    if (selected) color = SelectTextColor;
    if (selected && item.topLevel && UseSystemColors) color = ReadableColor(IconColumnColor);
    if (!item.enabled) color = DisabledTextColor;
    const int align = (item.rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop | Qt::TextShowMnemonic |
                      Qt::TextExpandTabs | Qt::TextSingleLine;
    const QString text = QLatin1Char(' ') + item.caption;
    if (item.enabled && item.isDefault) {
        const QImage* under = dynamic_cast<QImage*>(canvas.device());
        for (const auto& s : kDefaultShadow) {
            const QRect shifted = t.translated(s.dx, s.dy);
            const TColor p = under && under->valid(shifted.topLeft()) ? QColorToColor(under->pixelColor(shifted.topLeft()))
                                                                      : ItemColor;
            canvas.setPen(ColorToQColor(Shade(p, s.shade)));
            canvas.drawText(shifted, align, text);
        }
    }
    canvas.setPen(ColorToQColor(color));
    canvas.drawText(t, align, text);
    if (item.shortcut.isEmpty()) return;
    const QRect keys = item.rightToLeft ? t.adjusted(10, 0, 0, 0) : t.adjusted(0, 0, -10, 0);
    canvas.drawText(keys, (item.rightToLeft ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop | Qt::TextSingleLine,
                    item.shortcut + QLatin1Char(' '));
}

void TXPMenu::drawCheck(QPainter& canvas, const QRect& box, const TMenuItemInfo& item, bool selected) {
    const Box g = Box::of(box);
    const bool glyph = !item.glyph.isNull();
    TColor frame = item.radio || glyph ? SelectFrameColor : CheckFrameColor;
    if (!item.enabled) frame = DisabledTextColor;
    const TColor area = selected ? CheckAreaSelectedColor : CheckAreaColor;
    canvas.setPen(ColorToQColor(frame));
    canvas.setBrush(ColorToQColor(area));
    if (item.radio) {
        if (glyph) {
            canvas.drawRoundedRect(QRectF(g.l, g.t, g.width() - 1, g.height() - 1), 3, 3);
        } else {
            canvas.drawEllipse(g.l, g.t, g.width() - 1, g.height() - 1);
            canvas.setBrush(ColorToQColor(frame));
            canvas.drawEllipse(g.l + 2, g.t + 2, g.width() - 5, g.height() - 5);
        }
        return;
    }
    rectangle(canvas, g, frame, area);
    if (glyph) return;
    // The tick: five strokes, each pair of neighbours parallel, inside the box.
    const TColor tick = item.enabled ? 0 : DisabledTextColor;
    const int L = g.l, T = g.t, R = g.r, B = g.b;
    line(canvas, L + 1, T + 5, L + 4, B - 2, tick);
    line(canvas, L + 2, T + 5, L + 4, B - 3, tick);
    line(canvas, L + 2, T + 4, L + 5, B - 3, tick);
    line(canvas, L + 4, B - 3, R - 2, T + 2, tick);
    line(canvas, L + 4, B - 2, R - 2, T + 3, tick);
}

void TXPMenu::drawTopLevelBar(QPainter& canvas, const QRect& bar) {
    const Box b = Box::of(bar);
    fill(canvas, b, SelectFillColor);
    if (!HighColor) {
        const TColor shade = Shade(MenuBarColor, 70);
        polyline(canvas, {{b.l, b.b - 1}, {b.l, b.t}, {b.r - 3, b.t}, {b.r - 3, b.b}}, SelectFrameColor);
        fill(canvas, {b.r - 2, b.t + 2, b.r, b.b}, shade);
        fill(canvas, {b.r - 2, b.t, b.r, b.t + 2}, MenuBarColor);
        return;
    }
    const int frame = b.r - kBarFrameInset;
    polyline(canvas, {{b.l, b.b - 1}, {b.l, b.t}, {frame, b.t}, {frame, b.b}}, SelectFrameColor);
    const TColor c = BarColor;
    fill(canvas, {b.r - 7, b.t, b.r, b.b}, Shade(c, 10));
    fill(canvas, {b.r - 7, b.t + 3, b.r - 2, b.b}, Shade(c, 30));
    fill(canvas, {b.r - 7, b.t + 5, b.r - 3, b.b}, Shade(c, 60));
    fill(canvas, {b.r - 7, b.t + 6, b.r - 5, b.b}, Shade(c, 100));
    polyline(canvas, {{b.r - 5, b.t + 1}, {b.r - 1, b.t + 1}, {b.r - 1, b.t + 6}}, c);
    polyline(canvas, {{b.r - 3, b.t + 2}, {b.r - 2, b.t + 2}, {b.r - 2, b.t + 3}, {b.r - 3, b.t + 3}}, c);
    polyline(canvas, {{b.r - 6, b.t + 3}, {b.r - 3, b.t + 3}, {b.r - 3, b.t + 6}, {b.r - 4, b.t + 6}, {b.r - 4, b.t + 3}},
             Shade(c, 10));
    polyline(canvas, {{b.r - 5, b.t + 5}, {b.r - 4, b.t + 5}, {b.r - 4, b.t + 9}}, Shade(c, 30));
    polyline(canvas, {{b.r - 6, b.t + 5}, {b.r - 6, b.t + 7}}, Shade(c, 40));
}

void TXPMenu::DrawGlyph(QPainter& canvas, QImage glyph, int x, int y, bool selected, bool enabled, bool checked) {
    glyph = glyph.convertToFormat(QImage::Format_ARGB32);
    if (!enabled) {
        GrayBitmap(glyph, GrayLevel);
        DimBitmap(glyph, 40);
    } else if (!selected && !checked && HighColor) {
        DimBitmap(glyph, DimLevel);
    } else if (selected && !checked) {
        const QRgb background = glyph.pixel(0, glyph.height() - 1);
        const QColor shadow = ColorToQColor(Shade(SelectFillColor, 50));
        canvas.setPen(shadow);
        for (int py = 0; py < glyph.height(); ++py)
            for (int px = 0; px < glyph.width(); ++px)
                if (glyph.pixel(px, py) != background) canvas.drawPoint(x + 2 + px, y + 2 + py);
    }
    canvas.drawImage(x, y, glyph);
}
