#pragma once
// One end of the socket between the program and a plug-in's host program:
// it calls the other end and serves the other end's calls, nested both ways
// (a plug-in calls back before its own call returns). Plain C++ (POSIX).
#include "platform/PluginWire.h"

#include <functional>

namespace pluginwire {

class Channel {
public:
    // Answers one call of the other end with a Return or a Failure.
    using Server = std::function<Message(const Message& call)>;
    // Called after every 10 ms without a byte: false gives the wait up.
    using Waiter = std::function<bool()>;
    enum class Outcome { Answered, Closed, GaveUp, Damaged };
    struct Result {
        Outcome outcome = Outcome::Closed;
        Message message;  // the Return or Failure, when answered
    };

    Channel(int fd, Server serve) : fd_(fd), serve_(std::move(serve)) {}

    // Sends a call and waits for its answer, serving the calls that come meanwhile.
    Result call(const Message& message, const Waiter& wait);
    // Serves calls until the other end closes or the wait is given up.
    Outcome serve(const Waiter& wait);
    // True unless the other end runs a call of ours (then it hears nothing
    // until that call returns): it is idle, or waits for one of our answers.
    bool otherEndListens() const { return listens_; }
    // Forgets the socket (its owner closes it): the calls still waiting end as closed.
    void forget() { fd_ = -1; }

private:
    Outcome next(Message& message, const Waiter& wait);
    Outcome answer(const Message& call);
    bool send(const Message& message);

    int fd_;
    Server serve_;
    std::string received_;  // bytes read, not yet a whole frame
    bool listens_ = true;   // the innermost call under way is theirs, or there is none
};

}  // namespace pluginwire
