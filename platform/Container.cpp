#include "platform/Container.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>

namespace container {

namespace {

void putInt(char* at, int32_t value) {
    const auto u = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

int32_t getInt(const char* at) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= uint32_t(static_cast<unsigned char>(at[i])) << (8 * i);
    return static_cast<int32_t>(u);
}

void putText(char* field, int width, std::string_view text) {
    std::memcpy(field, text.data(), std::min<size_t>(text.size(), size_t(width)));
}

std::string getText(const char* field, int width) {
    return std::string(field, std::find(field, field + width, '\0'));
}

bool readAt(int fd, int64_t position, char* out, int size) {
    int done = 0;
    while (done < size) {
        const ssize_t n = pread(fd, out + done, size_t(size - done), off_t(position + done));
        if (n <= 0) return false;
        done += int(n);
    }
    return true;
}

constexpr int kNameAt = 16, kCompressedAt = 280, kUncompressedAt = 284, kAttributesAt = 288;
constexpr int kDataOffsetAt = 16, kPasswordAt = 20;

}  // namespace

HeaderBytes EncodeHeader(const ResourceEntryHeader& header) {
    HeaderBytes b{};
    putText(b.data(), 16, kEntryMarker);
    putText(b.data() + kNameAt, kMaxNameLength, header.name);
    putInt(b.data() + kCompressedAt, header.compressedSize);
    putInt(b.data() + kUncompressedAt, header.uncompressedSize);
    putInt(b.data() + kAttributesAt, header.attributes);
    return b;
}

bool DecodeHeader(const char* bytes, ResourceEntryHeader& header) {
    if (std::string_view(bytes, 16) != kEntryMarker) return false;
    header.name = getText(bytes + kNameAt, kMaxNameLength + 1);
    header.compressedSize = getInt(bytes + kCompressedAt);
    header.uncompressedSize = getInt(bytes + kUncompressedAt);
    header.attributes = getInt(bytes + kAttributesAt);
    return true;
}

TrailerBytes EncodeTrailer(const ResourceContainerTrailer& trailer) {
    TrailerBytes b{};
    putText(b.data(), 16, kSignature);
    putInt(b.data() + kDataOffsetAt, trailer.dataOffset);
    putText(b.data() + kPasswordAt, kMaxPasswordLength, trailer.password);
    return b;
}

bool DecodeTrailer(const char* bytes, ResourceContainerTrailer& trailer) {
    if (std::string_view(bytes, 16) != kSignature) return false;
    trailer.dataOffset = getInt(bytes + kDataOffsetAt);
    trailer.password = getText(bytes + kPasswordAt, kTrailerSize - kPasswordAt);
    return true;
}

Contents ReadContents(int fd, int64_t fileSize) {
    Contents c;
    TrailerBytes tail{};
    if (fileSize < kTrailerSize || !readAt(fd, fileSize - kTrailerSize, tail.data(), kTrailerSize) ||
        !DecodeTrailer(tail.data(), c.trailer))
        return c;
    c.isContainer = true;
    const int64_t end = fileSize - kTrailerSize;
    if (c.trailer.dataOffset < 0 || c.trailer.dataOffset > end) {
        c.error = "la position des entrées (" + std::to_string(c.trailer.dataOffset) + ") est hors du fichier";
        return c;
    }
    int64_t position = c.trailer.dataOffset;
    int64_t step = 0;
    HeaderBytes bytes{};
    while (position + kHeaderSize <= end) {
        if (!readAt(fd, position, bytes.data(), kHeaderSize)) {
            c.error = "lecture impossible à la position " + std::to_string(position);
            return c;
        }
        Entry e;
        if (!DecodeHeader(bytes.data(), e.header)) {
            position += kHeaderSize + ++step;
            continue;
        }
        e.dataPosition = position + kHeaderSize;
        const ResourceEntryHeader& h = e.header;
        if (h.compressedSize < 0 || h.uncompressedSize < 0 || h.compressedSize > end - e.dataPosition) {
            c.error = "l'entrée à la position " + std::to_string(position) + " a une taille invalide (" +
                      std::to_string(h.compressedSize) + ")";
            return c;
        }
        position = e.dataPosition + h.compressedSize;
        c.entries.push_back(std::move(e));
    }
    return c;
}

}  // namespace container
