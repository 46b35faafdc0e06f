#pragma once
// The byte layout of a resource container: whatever the file held before
// (its prefix), then entries (a 292-byte header and that many compressed
// bytes each), then a 28-byte trailer. Integers are 32-bit little-endian,
// texts Windows-1252 up to their first zero byte. Plain C++ without Qt: the
// export stub reads containers with it too.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace container {

inline constexpr std::string_view kEntryMarker = "<$1801%%ODCDPH$>";
inline constexpr std::string_view kSignature = "rmResourcesFiles";
inline constexpr int kHeaderSize = 292;
inline constexpr int kTrailerSize = 28;
inline constexpr int kMaxNameLength = 260;     // the name field holds it and its zero
inline constexpr int kMaxPasswordLength = 7;

struct ResourceEntryHeader {
    std::string name;  // Windows-1252 bytes
    int32_t compressedSize = 0;
    int32_t uncompressedSize = 0;
    int32_t attributes = 0;
};
using HeaderBytes = std::array<char, kHeaderSize>;
// A name longer than its field is cut to it (callers refuse such names first).
HeaderBytes EncodeHeader(const ResourceEntryHeader& header);
// False when the bytes do not begin with the marker.
bool DecodeHeader(const char* bytes, ResourceEntryHeader& header);

struct ResourceContainerTrailer {
    int32_t dataOffset = 0;  // file position of the first entry header
    std::string password;    // scrambled, at most 7 bytes
};
using TrailerBytes = std::array<char, kTrailerSize>;
TrailerBytes EncodeTrailer(const ResourceContainerTrailer& trailer);
// False when the bytes do not begin with the signature.
bool DecodeTrailer(const char* bytes, ResourceContainerTrailer& trailer);

struct Entry {
    int64_t dataPosition = 0;  // of its first compressed byte
    ResourceEntryHeader header;
};
struct Contents {
    bool isContainer = false;  // the file ends in a trailer
    ResourceContainerTrailer trailer;
    std::vector<Entry> entries;  // in file order
    std::string error;           // set when a stored offset or size does not fit the file
};
// Reads the trailer and the entries of an open file of that size. Every
// offset and size is checked against the file: a damaged container gives an
// error, never a read outside the file or a scan that does not end. Bytes
// between entries that hold no marker are skipped in growing steps.
Contents ReadContents(int fd, int64_t fileSize);

}  // namespace container
