// Lines over a socket pair, both ends in this process: whole lines however
// full the socket gets, the end told once, a channel its own handler
// destroys.
#ifdef VELORA_GTK

#include <glib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "gtk/pagewindow/LineChannel.h"

namespace velora::gtk {
namespace {

using controls::RemoteFields;

struct Pair {
    Pair() { EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0); }
    int ends[2] = {-1, -1};
};

// Runs the main context until `done` or five seconds have passed.
template <class Condition>
bool RunUntil(Condition done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < end) g_main_context_iteration(nullptr, FALSE);
    return done();
}

TEST(LineChannel, WholeLinesEitherWayAlsoPastWhatTheSocketHoldsAndTheEndOnce) {
    Pair pair;
    std::vector<RemoteFields> atA, atB;
    int endsAtA = 0;
    auto a = std::make_unique<LineChannel>(
        pair.ends[0], [&](const RemoteFields& fields) { atA.push_back(fields); }, [&] { ++endsAtA; });
    auto b = std::make_unique<LineChannel>(
        pair.ends[1], [&](const RemoteFields& fields) { atB.push_back(fields); }, [] {});

    // Several megabytes: far more than the socket buffers, so that the
    // sender waits for the socket and nothing blocks.
    const std::string caption(200000, 'x');
    for (int i = 0; i < 20; ++i) a->Send({"set", "form", "Caption", caption + std::to_string(i)});
    a->Send({"navigate", "http://127.0.0.1/send?a=1\tb"});
    b->Send({"close"});
    ASSERT_TRUE(RunUntil([&] { return atB.size() == 21 && atA.size() == 1; }));
    EXPECT_EQ(atB[19][3], caption + "19");
    EXPECT_EQ(atB[20], (RemoteFields{"navigate", "http://127.0.0.1/send?a=1\tb"}));
    EXPECT_EQ(atA[0], RemoteFields{"close"});

    // The other end goes: told once; what is sent afterwards goes nowhere.
    b.reset();
    ASSERT_TRUE(RunUntil([&] { return endsAtA == 1; }));
    a->Send({"front"});
    for (int i = 0; i < 10; ++i) g_main_context_iteration(nullptr, FALSE);
    EXPECT_EQ(endsAtA, 1);
}

TEST(LineChannel, AHandlerMayDestroyItsChannelAndABrokenLineIsDropped) {
    Pair pair;
    std::vector<RemoteFields> received;
    std::unique_ptr<LineChannel> channel;
    channel = std::make_unique<LineChannel>(
        pair.ends[0],
        [&](const RemoteFields& fields) {
            received.push_back(fields);
            if (fields[0] == "last") channel.reset();
        },
        [] { ADD_FAILURE() << "a destroyed channel tells of no end"; });
    const std::string lines = "bad\\x\nfront\nlast\nnever\n";
    ASSERT_EQ(write(pair.ends[1], lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
    ASSERT_TRUE(RunUntil([&] { return channel == nullptr; }));
    EXPECT_EQ(received, (std::vector<RemoteFields>{{"front"}, {"last"}}));
    close(pair.ends[1]);
}

}  // namespace
}  // namespace velora::gtk

#endif  // VELORA_GTK
