// A real download through the Windows HTTP client from a small server on
// 127.0.0.1 that this test runs itself, with the events handed to this
// thread's message loop.

#ifdef _WIN32

#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "net/HttpUrlGrabber.h"
#include "net/MemoryStream.h"
#include "platform/std/StdFileSystem.h"
#include "win32/Win32HttpClient.h"
#include "win32/Win32UiThreadDispatcher.h"
#include "settings/SettingsTestSupport.h"

namespace velora::net::testing {
namespace {

// What the server sends to one connection; a silent reply then keeps the
// connection open without sending anything more, until the client gives up.
// A paced reply goes out in pieces with a pause after each.
struct Reply {
    Reply(const char* bytes) : bytes(bytes) {}
    Reply(std::string bytes, bool thenSilent = false) : bytes(std::move(bytes)), thenSilent(thenSilent) {}
    static Reply Paced(std::string bytes, std::size_t piece, DWORD pauseMs) {
        Reply reply(std::move(bytes));
        reply.piece = piece;
        reply.pauseMs = pauseMs;
        return reply;
    }
    std::string bytes;
    bool thenSilent = false;
    std::size_t piece = 0;  // 0: all at once
    DWORD pauseMs = 0;
};

// Answers each of the given replies to one connection, in turn, and keeps
// the requests it received.
class LocalServer {
public:
    explicit LocalServer(std::vector<Reply> replies) : replies_(std::move(replies)) {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
        started_ = true;
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.S_un.S_un_b = {127, 0, 0, 1};
        int length = sizeof address;
        if (listener_ == INVALID_SOCKET ||
            bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener_, 4) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~LocalServer() {
        // Closing the socket first ends a wait for a client that never came.
        if (listener_ != INVALID_SOCKET) closesocket(listener_);
        if (thread_.joinable()) thread_.join();
        if (started_) WSACleanup();
    }

    int Port() const { return port_; }
    // Valid once the replies have all been sent.
    std::vector<std::string> Requests() {
        if (thread_.joinable()) thread_.join();
        return requests_;
    }
    // How many silent replies the client ended by closing the connection.
    int SilencesEndedByClient() {
        if (thread_.joinable()) thread_.join();
        return silencesEndedByClient_;
    }

private:
    void Serve() {
        for (const Reply& reply : replies_) {
            const SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) return;
            std::string request;
            char buffer[1024];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const int got = recv(client, buffer, sizeof buffer, 0);
                if (got <= 0) break;
                request.append(buffer, got);
            }
            requests_.push_back(request);
            const std::size_t piece = reply.piece ? reply.piece : reply.bytes.size();
            for (std::size_t at = 0; at < reply.bytes.size(); at += piece) {
                const std::size_t length = std::min(piece, reply.bytes.size() - at);
                if (send(client, reply.bytes.data() + at, static_cast<int>(length), 0) <= 0) break;
                if (reply.pauseMs) Sleep(reply.pauseMs);
            }
            if (reply.thenSilent && ClientClosesWithin(client, 30)) ++silencesEndedByClient_;
            closesocket(client);
        }
    }
    static bool ClientClosesWithin(SOCKET client, long seconds) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(client, &readable);
        timeval limit{seconds, 0};
        char byte;
        return select(0, &readable, nullptr, nullptr, &limit) == 1 && recv(client, &byte, 1, 0) <= 0;
    }

    bool started_ = false;
    std::vector<Reply> replies_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::thread thread_;
    std::vector<std::string> requests_;
    int silencesEndedByClient_ = 0;
};

// A grabber on the Windows HTTP client whose events are handed to this
// thread's message loop, with what its transfers delivered.
class Win32Download : public ::testing::Test {
protected:
    void SetUp() override {
        grabber.SetAgent("VELORA Desktop");
        grabber.SetReferer("VELORA Desktop Update");
        grabber.SetProxyMode(pmNoProxy);
        grabber.SetOutputMode(omStream);
        grabber.OnDoneStream = [&](component::TComponent*, TMemoryStream& stream, std::int32_t, const std::string&) {
            offUiThread += GetCurrentThreadId() != uiThread;
            received = stream.Bytes();
            done = true;
        };
        grabber.OnError = [&](component::TComponent*, const std::string& message) {
            offUiThread += GetCurrentThreadId() != uiThread;
            error = message;
            done = true;
        };
        grabber.OnConnectionClosed = [&](component::TComponent*) {
            offUiThread += GetCurrentThreadId() != uiThread;
            if (done) ended = true;  // the last one of a transfer
        };
    }

    // Starts a transfer and runs this thread's message loop until it has
    // ended (or the hang guard gives up).
    bool Fetch() {
        received.clear();
        error.clear();
        done = false;
        ended = false;
        grabber.Start();
        const ULONGLONG deadline = GetTickCount64() + 20000;
        while (GetTickCount64() < deadline) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            if (ended && grabber.State() == stIdle) return true;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        return false;
    }
    static std::string UrlOn(const LocalServer& server) {
        return "http://127.0.0.1:" + std::to_string(server.Port()) + "/update/dw.version";
    }

    platform::StdFileSystem files;
    std::shared_ptr<win32::Win32UiThreadDispatcher> dispatcher =
        std::make_shared<win32::Win32UiThreadDispatcher>();
    THttpUrlGrabber grabber{nullptr, {std::make_shared<win32::Win32HttpClient>(), dispatcher, &files}};
    const DWORD uiThread = GetCurrentThreadId();
    std::string received, error;
    int offUiThread = 0;
    std::atomic<bool> ended{false};
    bool done = false;
};

TEST_F(Win32Download, FetchesFromALocalServerAndReportsABrokenReply) {
    const std::string body = "[version]\r\nstable=1.2.3.4\r\n";
    LocalServer server({
        "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\n\r\n" + body,
        "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly this",
    });
    ASSERT_NE(server.Port(), 0) << "no listening socket";

    grabber.SetUrl(UrlOn(server));
    ASSERT_TRUE(Fetch());
    EXPECT_EQ(received, body);
    EXPECT_EQ(error, "");

    ASSERT_TRUE(Fetch());
    EXPECT_EQ(error, "The transfer was interrupted: received 9 of 100 bytes.");
    EXPECT_EQ(offUiThread, 0);

    const std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].rfind("GET /update/dw.version HTTP/1.0\r\n", 0), 0u) << requests[0];
    EXPECT_NE(requests[0].find("User-Agent: VELORA Desktop\r\n"), std::string::npos) << requests[0];
    EXPECT_NE(requests[0].find("Referer: VELORA Desktop Update\r\n"), std::string::npos) << requests[0];
}

TEST_F(Win32Download, AnErrorPageIsReportedInsteadOfDelivered) {
    LocalServer server({
        "HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: 9\r\n\r\nnot found",
        "HTTP/1.0 500 Internal Server Error\r\n\r\n[version]\r\nstable=99.0\r\n",
    });
    ASSERT_NE(server.Port(), 0) << "no listening socket";

    grabber.SetUrl(UrlOn(server));
    ASSERT_TRUE(Fetch());
    EXPECT_EQ(error, "The server answered with status 404.");
    EXPECT_EQ(received, "");
    // Without a length too: the body of an error is never the file.
    ASSERT_TRUE(Fetch());
    EXPECT_EQ(error, "The server answered with status 500.");
    EXPECT_EQ(received, "");
    EXPECT_EQ(offUiThread, 0);
}

TEST_F(Win32Download, ProgressComesInOrderOnTheMessageLoopAndTheLastBeforeCompletion) {
    std::string body(1024 * 1024, '\0');
    for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>('a' + i % 26);
    const std::string headers = "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    // About 0.7 s: time for progress to be queued while a sent event overtakes it.
    LocalServer server({Reply::Paced(headers + body, 32 * 1024, 20)});
    ASSERT_NE(server.Port(), 0) << "no listening socket";
    std::vector<std::int64_t> positions;  // -1 for the completion
    grabber.OnProgress = [&](component::TComponent*, std::int64_t position, std::int64_t, const std::string&, bool&) {
        offUiThread += GetCurrentThreadId() != uiThread;
        positions.push_back(position);
    };
    grabber.OnDoneStream = [&, done = grabber.OnDoneStream](component::TComponent* sender, TMemoryStream& stream,
                                                           std::int32_t size, const std::string& url) {
        positions.push_back(-1);
        done(sender, stream, size, url);
    };
    grabber.SetUrl(UrlOn(server));
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

TEST(Win32UiThreadDispatcher, QueuedWorkRunsInItsOrderFromTheMessageLoop) {
    auto dispatcher = std::make_shared<win32::Win32UiThreadDispatcher>();
    const DWORD uiThread = GetCurrentThreadId();
    std::vector<std::string> ran;
    int offUiThread = 0;
    auto note = [&](const std::string& what) {
        offUiThread += GetCurrentThreadId() != uiThread;
        ran.push_back(what);
    };

    // Queued on the thread itself, it waits for the message loop too.
    EXPECT_TRUE(dispatcher->PostToUiThread([&] { note("own"); }));
    EXPECT_TRUE(ran.empty());
    std::atomic<bool> sent{false};
    std::thread other([&] {
        for (int i = 1; i <= 3; ++i) dispatcher->PostToUiThread([&, i] { note("queued " + std::to_string(i)); });
        dispatcher->RunOnUiThread([&] { note("sent"); });
        sent = true;
    });
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!(sent && ran.size() == 5) && GetTickCount64() < deadline) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    other.join();

    // The waiting sender may overtake queued work, never the other way round.
    std::vector<std::string> queued;
    for (const std::string& what : ran)
        if (what != "sent") queued.push_back(what);
    EXPECT_EQ(queued, (std::vector<std::string>{"own", "queued 1", "queued 2", "queued 3"}));
    EXPECT_EQ(ran.size(), 5u);
    EXPECT_EQ(offUiThread, 0);
}

TEST_F(Win32Download, ASilentServerIsGivenUpAfterTheTimeOut) {
    LocalServer server({
        Reply("", true),  // takes the request and answers nothing
        Reply("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly this", true),
        "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nfresh",
    });
    ASSERT_NE(server.Port(), 0) << "no listening socket";
    grabber.SetTimeout(500);
    grabber.SetUrl(UrlOn(server));

    ASSERT_TRUE(Fetch()) << "no reply at all: the transfer did not end";
    EXPECT_NE(error, "");
    EXPECT_EQ(received, "");

    // Setting the Url again is refused unless the transfer has ended.
    grabber.SetUrl(UrlOn(server));
    ASSERT_TRUE(Fetch()) << "headers, then silence: the transfer did not end";
    EXPECT_NE(error, "");
    EXPECT_EQ(received, "");

    grabber.SetUrl(UrlOn(server));
    ASSERT_TRUE(Fetch());
    EXPECT_EQ(received, "fresh");
    EXPECT_EQ(error, "");
    EXPECT_EQ(server.SilencesEndedByClient(), 2);
    EXPECT_EQ(offUiThread, 0);
}

// Nobody listens on the port: for a file that is no reply, the download ends
// in an error and the last good file stays as it was.
TEST_F(Win32Download, ARefusedConnectionKeepsTheFileAndEndsInAnError) {
    settings::testing::ScratchFolder scratch;
    const std::string file = scratch.File("version.ini");
    settings::testing::ScratchFolder::Write(file, "last good");
    std::vector<std::string> saved;
    grabber.SetOutputMode(omFile);
    grabber.SetFileName(file);
    grabber.OnDoneFile = [&](component::TComponent*, const std::string& name, std::int32_t, const std::string&) {
        saved.push_back(name);
        done = true;
    };
    int port = 0;
    {
        LocalServer closed({});
        port = closed.Port();
    }
    ASSERT_NE(port, 0) << "no listening socket";
    grabber.SetUrl("http://127.0.0.1:" + std::to_string(port) + "/update/dw.version");
    for (int attempt = 1; attempt <= 2; ++attempt) {
        ASSERT_TRUE(Fetch());
        EXPECT_NE(error, "") << "attempt " << attempt;
    }
    EXPECT_TRUE(saved.empty());
    EXPECT_EQ(settings::testing::ScratchFolder::Read(file), "last good");
    EXPECT_EQ(settings::testing::ScratchFolder::EntryNames(scratch.Folder()), std::vector<std::string>{"version.ini"});
    EXPECT_EQ(offUiThread, 0);
}

}  // namespace
}  // namespace velora::net::testing

#endif
