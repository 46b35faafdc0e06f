#pragma once
// JPEG files written with libjpeg, at its default quality.
#include <QImage>
#include <QString>

// False when the file could not be written (a partly written file is removed).
bool SaveJpeg(const QImage& image, const QString& fileName);
