#include "platform/PluginChannel.h"

#include <algorithm>
#include <cerrno>
#include <utility>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pluginwire {

namespace {
constexpr int kSliceMs = 10;
}

bool Channel::send(const Message& message) {
    if (fd_ < 0) return false;
    const std::string frame = encode(message);
    size_t done = 0;
    while (done < frame.size()) {
        const ssize_t n = ::send(fd_, frame.data() + done, frame.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

// Reads no byte past the frame under way: what follows stays in the socket,
// where its owner's notifier sees it.
Channel::Outcome Channel::next(Message& message, const Waiter& wait) {
    for (;;) {
        if (fd_ < 0) return Outcome::Closed;
        size_t wanted = 4;
        if (received_.size() >= 4) {
            const uint32_t length = frameLength(received_);
            if (length > kMaxBody) return Outcome::Damaged;
            wanted = 4 + size_t(length);
            if (received_.size() == wanted) {
                std::optional<Message> m = decode(std::string_view(received_).substr(4));
                received_.clear();
                if (!m) return Outcome::Damaged;
                message = std::move(*m);
                return Outcome::Answered;
            }
        }
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, kSliceMs);
        if (ready < 0 && errno != EINTR) return Outcome::Closed;
        if (ready <= 0) {
            if (wait && !wait()) return Outcome::GaveUp;
            continue;
        }
        char bytes[65536];
        const ssize_t n = ::read(fd_, bytes, std::min(sizeof bytes, wanted - received_.size()));
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) return Outcome::Closed;
        received_.append(bytes, size_t(n));
    }
}

Channel::Outcome Channel::answer(const Message& call) {
    const bool listened = std::exchange(listens_, true);
    const Message reply = serve_(call);
    listens_ = listened;
    return send(reply) ? Outcome::Answered : Outcome::Closed;
}

Channel::Result Channel::call(const Message& message, const Waiter& wait) {
    Result result;
    if (!send(message)) return result;
    const bool listened = std::exchange(listens_, false);
    for (;;) {
        result.outcome = next(result.message, wait);
        if (result.outcome != Outcome::Answered || result.message.kind != Kind::Call) break;
        if ((result.outcome = answer(result.message)) != Outcome::Answered) break;
    }
    listens_ = listened;
    return result;
}

Channel::Outcome Channel::serve(const Waiter& wait) {
    for (;;) {
        Message m;
        const Outcome o = next(m, wait);
        if (o != Outcome::Answered) return o;
        if (m.kind != Kind::Call) return Outcome::Damaged;  // an answer nobody asked for
        if (answer(m) != Outcome::Answered) return Outcome::Closed;
    }
}

}  // namespace pluginwire
