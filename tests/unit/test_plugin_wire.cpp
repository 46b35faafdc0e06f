// The messages between the program and the plug-ins' host program.
#include "platform/PluginChannel.h"
#include "platform/PluginWire.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using pluginwire::Kind;
using pluginwire::Message;

namespace {

std::string bodyOf(const Message& m) { return pluginwire::encode(m).substr(4); }

TEST(PluginWire, MessagesComeBackAsTheyWent) {
    const Message cases[] = {
        {},
        {Kind::Call, "ExecuteOrder", {std::string("é;\0x", 5)}, {}},
        {Kind::Return, "", {"", "deux"}, {0, -1, INT64_MIN, INT64_MAX}},
        {Kind::Failure, "en panne", {}, {}},
    };
    for (const Message& m : cases) {
        const std::string frame = pluginwire::encode(m);
        EXPECT_EQ(pluginwire::frameLength(frame), frame.size() - 4);
        const std::optional<Message> back = pluginwire::decode(std::string_view(frame).substr(4));
        ASSERT_TRUE(back) << m.name;
        EXPECT_EQ(*back, m);
    }
}

TEST(PluginWire, DamagedBodiesAreRefusedWithTheirReason) {
    const std::string good = bodyOf({Kind::Return, "n", {"texte"}, {7}});
    const struct {
        std::string body;
        const char* error;
    } cases[] = {
        {"", "empty message"},
        {"\x09" + good.substr(1), "unknown kind"},
        {good.substr(0, 3), "name cut short"},
        {good.substr(0, 10), "bad count of texts"},
        {good.substr(0, 16), "text cut short"},
        {good.substr(0, good.size() - 3), "bad count of numbers"},
        {good + "x", "bytes after the message"},
        // A count far beyond the bytes left allocates nothing.
        {std::string("\x02\0\0\0\0\xff\xff\xff\x7f", 9), "bad count of texts"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(pluginwire::decode(c.body, &error)) << c.error;
        EXPECT_EQ(error, c.error);
    }
}

// Calls nest both ways: the other end may call back before it answers. While
// it runs a call of ours it hears nothing else; while it waits for our answer
// it does.
TEST(PluginChannel, CallsAreServedWhileACallWaits) {
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    pluginwire::Channel* host = nullptr;
    pluginwire::Channel hostEnd(pair[1], [&](const Message& c) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));  // busy with the call
        const pluginwire::Channel::Result back = host->call({Kind::Call, "back", {c.text(0)}, {}}, nullptr);
        return Message{Kind::Return, "", {"host:" + back.message.text(0)}, {}};
    });
    host = &hostEnd;
    std::thread serving([&] { EXPECT_EQ(hostEnd.serve(nullptr), pluginwire::Channel::Outcome::Closed); });
    pluginwire::Channel* program = nullptr;
    std::vector<bool> listensWhileBusy, listensWhileItWaits;
    pluginwire::Channel programEnd(pair[0], [&](const Message& c) {
        listensWhileItWaits.push_back(program->otherEndListens());
        return Message{Kind::Return, "", {"program:" + c.text(0)}, {}};
    });
    program = &programEnd;
    EXPECT_TRUE(programEnd.otherEndListens()) << "idle";
    const pluginwire::Channel::Result r = programEnd.call({Kind::Call, "f", {"x"}, {}}, [&] {
        listensWhileBusy.push_back(programEnd.otherEndListens());
        return true;
    });
    EXPECT_EQ(r.outcome, pluginwire::Channel::Outcome::Answered);
    EXPECT_EQ(r.message.text(0), "host:program:x");
    EXPECT_EQ(listensWhileItWaits, std::vector<bool>{true});
    ASSERT_FALSE(listensWhileBusy.empty());
    EXPECT_EQ(listensWhileBusy.front(), false);
    EXPECT_TRUE(programEnd.otherEndListens());
    close(pair[0]);
    serving.join();
    close(pair[1]);
}

// A call that comes right behind an answer stays in the socket once the
// answer is read: whoever watches the socket for calls still sees it.
TEST(PluginChannel, AnAnswerIsReadWithoutWhatFollowsIt) {
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    pluginwire::Channel programEnd(pair[0], [](const Message&) { return Message{Kind::Return, "", {}, {}}; });
    const std::string both = pluginwire::encode({Kind::Return, "", {"réponse"}, {}}) +
                             pluginwire::encode({Kind::Call, "SendMessage", {}, {2263}});
    ASSERT_EQ(write(pair[1], both.data(), both.size()), ssize_t(both.size()));
    const pluginwire::Channel::Result r = programEnd.call({Kind::Call, "f", {}, {}}, nullptr);
    ASSERT_EQ(r.outcome, pluginwire::Channel::Outcome::Answered);
    EXPECT_EQ(r.message.text(0), "réponse");
    pollfd p{pair[0], POLLIN, 0};
    EXPECT_EQ(poll(&p, 1, 0), 1) << "the call behind the answer is still to be read";
    close(pair[0]);
    close(pair[1]);
}

}  // namespace
