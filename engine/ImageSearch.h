#pragma once
// Finding a picture inside a bigger one, every pixel equal in full colour.
//
// Positions are tried in reading order (top row first, left to right), so
// the n-th occurrence is well defined, but only where one pixel of the
// reference, the anchor, matches: the anchor is the reference pixel whose
// colour is the rarest in a sample of the capture, and the capture's rows are
// scanned for it a block of pixels at a time. A position found so is checked
// first at the reference pixels that lately refused others, then row by row.
// The work stays near one read of the capture, also on a plain screen.
#include <QImage>
#include <QPoint>
#include <QString>
#include <functional>

// A reference picture read from its file's bytes: "" when it is whole, else
// why not (the picture reader's reason, or "fichier tronqué" for a Windows
// bitmap or a JPEG that ends before its data does), the picture then null.
QString ReadReferencePicture(const QByteArray& bytes, QImage& picture);

class TImageMatcher {
public:
    explicit TImageMatcher(const QImage& reference);

    enum class Outcome { Found, Absent, Stopped };
    struct Result {
        Outcome outcome = Outcome::Absent;
        QPoint at;  // Found: the top-left pixel of the occurrence in the capture
    };
    // The n-th occurrence (n from 1). keepGoing is asked every few
    // milliseconds of a long search; false stops it (Stopped).
    Result Find(const QImage& capture, int n, const std::function<bool()>& keepGoing = {}) const;

private:
    QImage reference_;  // 32 bits per pixel, opaque
};
