#pragma once
// The messages between the program and a plug-in's host program
// (apps/pluginhost), both ways over one socket. A frame is a 32-bit
// little-endian length and that many bytes of body: a kind, a name, texts and
// numbers. Plain C++ without Qt: the host program speaks it too.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pluginwire {

enum class Kind : uint8_t {
    Call = 1,     // name: the function called, with its arguments
    Return = 2,   // the result of the last call
    Failure = 3,  // the call ended by an exception; name: its text
};

struct Message {
    Kind kind = Kind::Call;
    std::string name;
    std::vector<std::string> texts;
    std::vector<int64_t> numbers;

    std::string text(size_t i) const { return i < texts.size() ? texts[i] : std::string(); }
    int64_t number(size_t i) const { return i < numbers.size() ? numbers[i] : 0; }
    bool operator==(const Message&) const = default;
};

// Bigger frames, or more texts or numbers, are refused as damaged.
inline constexpr uint32_t kMaxBody = 16u << 20;
inline constexpr uint32_t kMaxItems = 65536;

// A whole frame: length, then body.
std::string encode(const Message& message);
// A body (the bytes after the length): the message, or nothing with the
// reason in `error`. Never reads past the bytes given.
std::optional<Message> decode(std::string_view body, std::string* error = nullptr);
// The length a frame's first 4 bytes announce.
uint32_t frameLength(std::string_view header);

}  // namespace pluginwire
