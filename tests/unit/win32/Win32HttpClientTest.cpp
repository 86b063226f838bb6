// Real downloads through the Windows HTTP client from the local HTTP
// server, with the events handed to this thread's message loop: every HTTP
// client's promises, and the order of the progress events.

#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "platform/HttpClientContract.h"
#include "support/LocalHttpServer.h"
#include "win32/Win32Side.h"

namespace velora::platform::testing {

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, HttpClientContract, win32::testing::Win32Side);

}  // namespace velora::platform::testing

namespace velora::win32 {
namespace {

using fakes::LocalHttpServer;
using fakes::Reply;

class Win32Download : public platform::testing::HttpClientContract<testing::Win32Side> {};

TEST_F(Win32Download, ProgressComesInOrderOnTheMessageLoopAndTheLastBeforeCompletion) {
    std::string body(1024 * 1024, '\0');
    for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>('a' + i % 26);
    const std::string headers = "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    // About 0.7 s: time for progress to be queued while a sent event overtakes it.
    LocalHttpServer server({Reply::Paced(headers + body, 32 * 1024, 20)});
    ASSERT_NE(server.Port(), 0) << "no listening socket";
    std::vector<std::int64_t> positions;  // -1 for the completion
    grabber.OnProgress = [&](component::TComponent*, std::int64_t position, std::int64_t, const std::string&, bool&) {
        offUiThread += std::this_thread::get_id() != uiThread;
        positions.push_back(position);
    };
    grabber.OnDoneStream = [&, done = grabber.OnDoneStream](component::TComponent* sender, net::TMemoryStream& stream,
                                                           std::int32_t size, const std::string& url) {
        positions.push_back(-1);
        done(sender, stream, size, url);
    };
    grabber.SetUrl(server.Url());
    ASSERT_TRUE(Fetch());
    // Let whatever was still queued arrive: it must not show.
    const std::size_t atEnd = positions.size();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    EXPECT_EQ(positions.size(), atEnd);

    EXPECT_EQ(received, body);
    const auto completion = std::find(positions.begin(), positions.end(), -1);
    ASSERT_NE(completion, positions.end());
    ASSERT_GE(completion - positions.begin(), 2);
    // Growing up to the whole reply, which the last progress before the
    // completion reports, once; only the status notifications of the
    // closing handles come after it, with the same count.
    const auto size = static_cast<std::int64_t>(body.size());
    EXPECT_EQ(*(completion - 1), size);
    EXPECT_EQ(std::count(positions.begin(), completion, size), 1) << ::testing::PrintToString(positions);
    EXPECT_TRUE(std::is_sorted(positions.begin(), completion)) << ::testing::PrintToString(positions);
    for (auto later = completion + 1; later != positions.end(); ++later) EXPECT_EQ(*later, *(completion - 1));
    EXPECT_EQ(offUiThread, 0);
}

}  // namespace
}  // namespace velora::win32

#endif  // _WIN32
