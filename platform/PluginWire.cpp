#include "platform/PluginWire.h"

namespace pluginwire {

namespace {

void put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

void putText(std::string& out, const std::string& s) {
    put32(out, uint32_t(s.size()));
    out += s;
}

// Reads from the front of the bytes; false once they run short.
struct Reader {
    std::string_view rest;

    bool take(size_t n, std::string_view& got) {
        if (rest.size() < n) return false;
        got = rest.substr(0, n);
        rest.remove_prefix(n);
        return true;
    }
    bool u32(uint32_t& v) {
        std::string_view b;
        if (!take(4, b)) return false;
        v = 0;
        for (int i = 0; i < 4; ++i) v |= uint32_t(uint8_t(b[size_t(i)])) << (8 * i);
        return true;
    }
    bool i64(int64_t& v) {
        uint32_t low = 0, high = 0;
        if (!u32(low) || !u32(high)) return false;
        v = int64_t(uint64_t(high) << 32 | low);
        return true;
    }
    bool text(std::string& s) {
        uint32_t n = 0;
        std::string_view b;
        if (!u32(n) || !take(n, b)) return false;
        s.assign(b);
        return true;
    }
    // A count of items of at least `each` bytes that the bytes left can hold.
    bool count(uint32_t& n, size_t each) { return u32(n) && n <= kMaxItems && size_t(n) * each <= rest.size(); }
};

std::optional<Message> fail(std::string* error, const char* why) {
    if (error) *error = why;
    return std::nullopt;
}

}  // namespace

std::string encode(const Message& m) {
    std::string body;
    body.push_back(char(m.kind));
    putText(body, m.name);
    put32(body, uint32_t(m.texts.size()));
    for (const std::string& t : m.texts) putText(body, t);
    put32(body, uint32_t(m.numbers.size()));
    for (int64_t n : m.numbers) {
        put32(body, uint32_t(uint64_t(n) & 0xFFFFFFFFu));
        put32(body, uint32_t(uint64_t(n) >> 32));
    }
    std::string frame;
    put32(frame, uint32_t(body.size()));
    return frame + body;
}

uint32_t frameLength(std::string_view header) {
    Reader r{header};
    uint32_t n = 0;
    return r.u32(n) ? n : 0;
}

std::optional<Message> decode(std::string_view body, std::string* error) {
    Reader r{body};
    std::string_view kind;
    if (!r.take(1, kind)) return fail(error, "empty message");
    Message m;
    m.kind = Kind(uint8_t(kind[0]));
    if (m.kind != Kind::Call && m.kind != Kind::Return && m.kind != Kind::Failure) return fail(error, "unknown kind");
    if (!r.text(m.name)) return fail(error, "name cut short");
    uint32_t texts = 0;
    if (!r.count(texts, 4)) return fail(error, "bad count of texts");
    m.texts.resize(texts);
    for (std::string& t : m.texts)
        if (!r.text(t)) return fail(error, "text cut short");
    uint32_t numbers = 0;
    if (!r.count(numbers, 8)) return fail(error, "bad count of numbers");
    m.numbers.resize(numbers);
    for (int64_t& n : m.numbers)
        if (!r.i64(n)) return fail(error, "number cut short");
    if (!r.rest.empty()) return fail(error, "bytes after the message");
    return m;
}

}  // namespace pluginwire
