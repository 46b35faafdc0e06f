#include "engine/ImageSearch.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using Pixel = quint32;
constexpr int kSamples = 16384;  // capture pixels read to rank the reference's colours
constexpr size_t kProbes = 4;   // reference pixels tried before the full comparison
constexpr auto kPumpEvery = std::chrono::milliseconds(5);

// A picture file that ends before its data does, which the picture reader
// would fill up with black: a Windows bitmap shorter than its headers say, a
// JPEG whose last scan has no end marker.
bool cutShort(const QByteArray& bytes) {
    const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
    const qint64 size = bytes.size();
    if (bytes.startsWith("\xFF\xD8"))
        return bytes.lastIndexOf(QByteArrayView("\xFF\xD9")) < bytes.lastIndexOf(QByteArrayView("\xFF\xDA"));
    if (!bytes.startsWith("BM")) return false;
    if (size < 26) return true;
    const qint64 declared = qFromLittleEndian<quint32>(d + 2), offset = qFromLittleEndian<quint32>(d + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(d + 14);
    qint64 width, height, bits, compression = 0;
    if (infoSize == 12) {  // the old header: 16-bit sizes, no compression
        width = qFromLittleEndian<quint16>(d + 18);
        height = qFromLittleEndian<quint16>(d + 20);
        bits = qFromLittleEndian<quint16>(d + 24);
    } else {
        if (size < 34) return true;
        width = qAbs(qint64(qFromLittleEndian<qint32>(d + 18)));
        height = qAbs(qint64(qFromLittleEndian<qint32>(d + 22)));
        bits = qFromLittleEndian<quint16>(d + 28);
        compression = qFromLittleEndian<quint32>(d + 30);
    }
    if (declared > size || offset > size) return true;
    if (compression != 0 && compression != 3 && compression != 6) return false;  // run lengths: no size to know
    const qint64 row = (width * bits + 31) / 32 * 4;
    return row > 0 && height > (size - offset) / row;
}

QImage opaque32(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

const Pixel* row(const QImage& image, int y) { return reinterpret_cast<const Pixel*>(image.constScanLine(y)); }

// How often each colour of the reference occurs, in the reference and in a
// sample of the capture (open addressing over a table twice their number).
class ColourTable {
public:
    struct Entry {
        Pixel colour = 0;
        int inReference = 0;  // 0: free slot
        int inSample = 0;
    };

    explicit ColourTable(const QImage& reference) {
        std::vector<Pixel> pixels;
        pixels.reserve(size_t(reference.width()) * size_t(reference.height()));
        for (int y = 0; y < reference.height(); ++y)
            pixels.insert(pixels.end(), row(reference, y), row(reference, y) + reference.width());
        std::sort(pixels.begin(), pixels.end());
        const size_t distinct = size_t(std::unique(pixels.begin(), pixels.end()) - pixels.begin());
        mask_ = std::bit_ceil(distinct * 2) - 1;
        slots_.resize(mask_ + 1);
        for (int y = 0; y < reference.height(); ++y)
            for (int x = 0; x < reference.width(); ++x) ++slot(row(reference, y)[x]).inReference;
    }

    void countSample(const QImage& capture) {
        const qint64 width = capture.width();
        const qint64 total = width * capture.height();
        qint64 step = std::max<qint64>(1, total / kSamples) | 1;
        if (width % step == 0) step += 2;  // the samples would stay in a few columns
        for (qint64 i = 0; i < total; i += step)
            if (Entry* e = find(row(capture, int(i / width))[i % width])) ++e->inSample;
    }

    // Rarest in the capture first, then rarest in the reference.
    std::vector<Entry> ranked() const {
        std::vector<Entry> used;
        for (const Entry& e : slots_)
            if (e.inReference) used.push_back(e);
        std::sort(used.begin(), used.end(), [](const Entry& a, const Entry& b) {
            return a.inSample != b.inSample ? a.inSample < b.inSample : a.inReference < b.inReference;
        });
        return used;
    }

private:
    size_t hash(Pixel c) const { return (c * 0x9E3779B1u) & mask_; }
    Entry& slot(Pixel c) {
        size_t i = hash(c);
        while (slots_[i].inReference && slots_[i].colour != c) i = (i + 1) & mask_;
        slots_[i].colour = c;
        return slots_[i];
    }
    Entry* find(Pixel c) {
        for (size_t i = hash(c); slots_[i].inReference; i = (i + 1) & mask_)
            if (slots_[i].colour == c) return &slots_[i];
        return nullptr;
    }

    size_t mask_ = 0;
    std::vector<Entry> slots_;
};

struct Probe {
    int x = 0;
    int y = 0;
    Pixel colour = 0;
};

// The first pixel of the reference, in reading order, of that colour.
Probe firstOfColour(const QImage& reference, Pixel colour) {
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x)
            if (row(reference, y)[x] == colour) return {x, y, colour};
    return {};
}

// Calls onHit(x) for each x < n with p[x] == value, in order, until it answers true.
template <class F>
bool forEachEqual(const Pixel* p, int n, Pixel value, F&& onHit) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i key = _mm_set1_epi32(int(value));
    auto equal = [&](int at) { return _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at)), key); };
    for (; x + 16 <= n; x += 16) {
        const __m128i any = _mm_or_si128(_mm_or_si128(equal(x), equal(x + 4)), _mm_or_si128(equal(x + 8), equal(x + 12)));
        if (!_mm_movemask_epi8(any)) continue;
        for (int k = x; k < x + 16; ++k)
            if (p[k] == value && onHit(k)) return true;
    }
#endif
    for (; x < n; ++x)
        if (p[x] == value && onHit(x)) return true;
    return false;
}

// One search: the capture, the reference, and the pixels that refused positions lately.
class Search {
public:
    Search(const QImage& capture, const QImage& reference, std::vector<Probe> probes)
        : capture_(capture), reference_(reference), probes_(std::move(probes)) {}

    // Every pixel of the reference equals the capture's, the reference's top-left at (left, top).
    bool MatchAt(int left, int top) {
        for (size_t i = 0; i < probes_.size(); ++i) {
            const Probe& p = probes_[i];
            if (row(capture_, top + p.y)[left + p.x] != p.colour) {
                std::rotate(probes_.begin(), probes_.begin() + qsizetype(i), probes_.begin() + qsizetype(i) + 1);
                return false;
            }
        }
        const int w = reference_.width();
        for (int y = 0; y < reference_.height(); ++y) {
            const Pixel* want = row(reference_, y);
            const Pixel* have = row(capture_, top + y) + left;
            if (std::memcmp(want, have, size_t(w) * sizeof(Pixel)) == 0) continue;
            int x = 0;
            while (want[x] == have[x]) ++x;
            learn({x, y, want[x]});
            return false;
        }
        return true;
    }

private:
    void learn(const Probe& p) {
        if (probes_.size() == kProbes) probes_.pop_back();
        probes_.insert(probes_.begin(), p);
    }

    const QImage& capture_;
    const QImage& reference_;
    std::vector<Probe> probes_;
};

}  // namespace

TImageMatcher::TImageMatcher(const QImage& reference) : reference_(opaque32(reference)) {}

TImageMatcher::Result TImageMatcher::Find(const QImage& image, int n, const std::function<bool()>& keepGoing) const {
    const int w = reference_.width();
    const int h = reference_.height();
    if (n < 1 || w < 1 || h < 1 || image.width() < w || image.height() < h) return {};
    const QImage capture = opaque32(image);

    ColourTable colours(reference_);
    colours.countSample(capture);
    const std::vector<ColourTable::Entry> ranked = colours.ranked();
    const Probe anchor = firstOfColour(reference_, ranked.front().colour);
    std::vector<Probe> probes;
    for (size_t i = 1; i < ranked.size() && probes.size() < kProbes; ++i)
        probes.push_back(firstOfColour(reference_, ranked[i].colour));
    Search search(capture, reference_, std::move(probes));

    using Clock = std::chrono::steady_clock;
    auto pumpAt = Clock::now() + kPumpEvery;
    int found = 0;
    Result result;
    const int positions = capture.width() - w + 1;
    for (int top = 0; top + h <= capture.height(); ++top) {
        const bool reached = forEachEqual(row(capture, top + anchor.y) + anchor.x, positions, anchor.colour, [&](int left) {
            if (!search.MatchAt(left, top) || ++found < n) return false;
            result = {Outcome::Found, QPoint(left, top)};
            return true;
        });
        if (reached) return result;
        if (keepGoing && Clock::now() >= pumpAt) {
            if (!keepGoing()) return {Outcome::Stopped, {}};
            pumpAt = Clock::now() + kPumpEvery;
        }
    }
    return {};
}

QString ReadReferencePicture(const QByteArray& bytes, QImage& picture) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    picture = reader.read();
    if (picture.isNull()) return reader.errorString();
    if (cutShort(bytes)) {
        picture = QImage();
        return QStringLiteral("fichier tronqué");
    }
    return QString();
}
