// Reference pictures of "Trouve image": the bytes of a picture file read as
// the image search reads them (a Windows bitmap or a JPEG cut short is
// refused), then a small one found in a capture that holds it.
#include "engine/ImageSearch.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QImageReader>

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::start();
    QImageReader::setAllocationLimit(32);  // MB: the fuzzer's memory, not what is read
    QImage picture;
    const QString why = ReadReferencePicture(fuzz::bytes(data, size), picture);
    if (why.isEmpty() == picture.isNull()) std::abort();  // a picture, or a reason
    if (picture.isNull() || picture.width() > 64 || picture.height() > 64) return 0;
    const QImage reference = picture.convertToFormat(QImage::Format_RGB32);
    QImage capture(reference.width() + 9, reference.height() + 5, QImage::Format_RGB32);
    capture.fill(Qt::white);
    for (int y = 0; y < reference.height(); ++y)
        std::memcpy(capture.scanLine(y + 4) + 7 * 4, reference.constScanLine(y), size_t(reference.width()) * 4);
    const TImageMatcher::Result found = TImageMatcher(picture).Find(capture, 1);
    if (found.outcome != TImageMatcher::Outcome::Found || found.at.y() > 4 || (found.at.y() == 4 && found.at.x() > 7))
        std::abort();  // found where it lies, or before
    return 0;
}
