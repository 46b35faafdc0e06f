#pragma once
// Pictures drawn for the program (core/icons), each twice: on a 24-pixel grid
// and on a 16-pixel grid, so that both sizes stay sharp; the doubles serve
// larger displays.
#include <QIcon>
#include <QPixmap>
#include <QString>

// The picture of an SVG file drawn size x size pixels; null when it cannot be read.
QPixmap RenderSvg(const QString& file, int size);
// The icon drawn in the resource files base + ".svg" (24-pixel grid) and
// base + "-16.svg" (16-pixel grid); null when neither exists.
QIcon DrawnIcon(const QString& base);
