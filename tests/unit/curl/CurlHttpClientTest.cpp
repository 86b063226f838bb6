// A real download through the Linux HTTP client (libcurl) from a small
// server on 127.0.0.1 that this test runs itself, with the events handed to
// this thread's GLib main context.

#ifdef VELORA_GTK

#include <arpa/inet.h>
#include <glib.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "net/HttpUrlGrabber.h"
#include "net/MemoryStream.h"
#include "curl/CurlHttpClient.h"
#include "gtk/GtkUiThreadDispatcher.h"
#include "platform/std/StdFileSystem.h"
#include "settings/SettingsTestSupport.h"

namespace velora::net::testing {
namespace {

// What the server sends to one connection; a silent reply then keeps the
// connection open without sending anything more, until the client gives up.
struct Reply {
    Reply(const char* bytes) : bytes(bytes) {}
    Reply(std::string bytes, bool thenSilent = false) : bytes(std::move(bytes)), thenSilent(thenSilent) {}
    std::string bytes;
    bool thenSilent = false;
};

// Answers each of the given replies to one connection, in turn, and keeps
// the requests it received.
class LocalServer {
public:
    explicit LocalServer(std::vector<Reply> replies) : replies_(std::move(replies)) {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener_, 4) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~LocalServer() {
        // Shutting the socket down ends a wait for a client that never came.
        if (listener_ >= 0) shutdown(listener_, SHUT_RDWR);
        if (thread_.joinable()) thread_.join();
        if (listener_ >= 0) close(listener_);
    }

    int Port() const { return port_; }
    std::vector<std::string> Requests() {
        if (thread_.joinable()) thread_.join();
        return requests_;
    }
    int SilencesEndedByClient() {
        if (thread_.joinable()) thread_.join();
        return silencesEndedByClient_;
    }

private:
    void Serve() {
        for (const Reply& reply : replies_) {
            const int client = accept(listener_, nullptr, nullptr);
            if (client < 0) return;
            std::string request;
            char buffer[1024];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const ssize_t got = recv(client, buffer, sizeof buffer, 0);
                if (got <= 0) break;
                request.append(buffer, static_cast<std::size_t>(got));
            }
            requests_.push_back(request);
            send(client, reply.bytes.data(), reply.bytes.size(), MSG_NOSIGNAL);
            if (reply.thenSilent && ClientClosesWithin(client, 30)) ++silencesEndedByClient_;
            close(client);
        }
    }
    static bool ClientClosesWithin(int client, long seconds) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(client, &readable);
        timeval limit{seconds, 0};
        char byte;
        return select(client + 1, &readable, nullptr, nullptr, &limit) == 1 && recv(client, &byte, 1, 0) <= 0;
    }

    std::vector<Reply> replies_;
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
    std::vector<std::string> requests_;
    int silencesEndedByClient_ = 0;
};

class GtkDownload : public ::testing::Test {
protected:
    void SetUp() override {
        grabber.SetAgent("VELORA Desktop");
        grabber.SetReferer("VELORA Desktop Update");
        grabber.SetProxyMode(pmNoProxy);
        grabber.SetOutputMode(omStream);
        grabber.OnDoneStream = [&](component::TComponent*, TMemoryStream& stream, std::int32_t, const std::string&) {
            offUiThread += std::this_thread::get_id() != uiThread;
            received = stream.Bytes();
            done = true;
        };
        grabber.OnError = [&](component::TComponent*, const std::string& message) {
            offUiThread += std::this_thread::get_id() != uiThread;
            error = message;
            done = true;
        };
        grabber.OnConnectionClosed = [&](component::TComponent*) {
            offUiThread += std::this_thread::get_id() != uiThread;
            if (done) ended = true;
        };
    }

    // Starts a transfer and runs this thread's main context until it has
    // ended (or the hang guard gives up).
    bool Fetch() {
        received.clear();
        error.clear();
        done = false;
        ended = false;
        grabber.Start();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            while (g_main_context_iteration(nullptr, FALSE)) {
            }
            if (ended && grabber.State() == stIdle) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }
    static std::string UrlOn(const LocalServer& server, const std::string& path = "/update/dw.version") {
        return "http://127.0.0.1:" + std::to_string(server.Port()) + path;
    }

    platform::StdFileSystem files;
    std::shared_ptr<gtk::GtkUiThreadDispatcher> dispatcher = std::make_shared<gtk::GtkUiThreadDispatcher>();
    THttpUrlGrabber grabber{nullptr, {std::make_shared<curl::CurlHttpClient>(), dispatcher, &files}};
    const std::thread::id uiThread = std::this_thread::get_id();
    std::string received, error;
    int offUiThread = 0;
    std::atomic<bool> ended{false};
    bool done = false;
};

TEST_F(GtkDownload, FetchesFromALocalServerAndReportsABrokenReplyAndAnErrorPage) {
    const std::string body = "[version]\r\nstable=1.2.3.4\r\n";
    LocalServer server({
        "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\n\r\n" + body,
        "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly this",
        // An error page never passes for the file.
        "HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found",
    });
    ASSERT_NE(server.Port(), 0) << "no listening socket";

    grabber.SetUrl(UrlOn(server));
    ASSERT_TRUE(Fetch());
    EXPECT_EQ(received, body);
    EXPECT_EQ(error, "");

    ASSERT_TRUE(Fetch());
    EXPECT_EQ(error, "The transfer was interrupted: received 9 of 100 bytes.");

    ASSERT_TRUE(Fetch());
    EXPECT_EQ(error, "The server answered with status 404.");
    EXPECT_EQ(received, "");
    EXPECT_EQ(offUiThread, 0);

    const std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].rfind("GET /update/dw.version HTTP/1.0\r\n", 0), 0u) << requests[0];
    EXPECT_NE(requests[0].find("User-Agent: VELORA Desktop\r\n"), std::string::npos) << requests[0];
    EXPECT_NE(requests[0].find("Referer: VELORA Desktop Update\r\n"), std::string::npos) << requests[0];
    EXPECT_NE(requests[0].find("Pragma: no-cache\r\n"), std::string::npos) << requests[0];
}

TEST_F(GtkDownload, ASilentServerIsGivenUpAfterTheTimeOut) {
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

TEST_F(GtkDownload, ARefusedConnectionEndsInAnEmptyReplyAndAMalformedLengthInNothing) {
    int port = 0;
    {
        LocalServer closed({});
        port = closed.Port();
    }
    // Nobody listens there now: as on Windows, a reply kept in memory comes
    // empty, without an error.
    grabber.SetUrl("http://127.0.0.1:" + std::to_string(port) + "/update/dw.version");
    ASSERT_TRUE(Fetch());
    EXPECT_EQ(received, "");
    EXPECT_EQ(error, "");

    // A length that is no number: libcurl refuses the reply's headers, and
    // the transfer ends as one whose request was never answered, with an
    // empty reply and no error (nothing of the body is kept).
    LocalServer server({"HTTP/1.0 200 OK\r\nContent-Length: many\r\n\r\nbody"});
    grabber.SetUrl(UrlOn(server));
    ASSERT_TRUE(Fetch());
    EXPECT_EQ(received, "");
    EXPECT_EQ(error, "");
    EXPECT_EQ(server.Requests().size(), 1u);
}

// For a file neither is a reply: the download ends in an error, and the last
// good file stays as it was.
TEST_F(GtkDownload, ARefusedConnectionOrRefusedHeadersKeepTheFileAndEndInAnError) {
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
    grabber.SetUrl("http://127.0.0.1:" + std::to_string(port) + "/update/dw.version");
    ASSERT_TRUE(Fetch());
    EXPECT_NE(error, "");

    LocalServer server({"HTTP/1.0 200 OK\r\nContent-Length: many\r\n\r\nbody"});
    grabber.SetUrl(UrlOn(server));
    ASSERT_TRUE(Fetch());
    EXPECT_NE(error, "");
    EXPECT_EQ(server.Requests().size(), 1u);

    EXPECT_TRUE(saved.empty());
    EXPECT_EQ(settings::testing::ScratchFolder::Read(file), "last good");
    EXPECT_EQ(settings::testing::ScratchFolder::EntryNames(scratch.Folder()), std::vector<std::string>{"version.ini"});
    EXPECT_EQ(offUiThread, 0);
}

TEST(GtkUiThreadDispatcher, RunsWorkOnItsThreadAndReleasesWaitersWhenClosed) {
    gtk::GtkUiThreadDispatcher dispatcher;
    std::thread::id ranOn;
    bool ranOnWorker = false;
    std::thread worker([&] {
        ranOnWorker = dispatcher.RunOnUiThread([&] { ranOn = std::this_thread::get_id(); });
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!ranOnWorker && std::chrono::steady_clock::now() < deadline) g_main_context_iteration(nullptr, FALSE);
    worker.join();
    EXPECT_TRUE(ranOnWorker);
    EXPECT_EQ(ranOn, std::this_thread::get_id());

    // A worker waiting when the user-interface thread stops taking work
    // returns without the work having run.
    std::atomic<bool> returned{false};
    bool result = true;
    bool ran = false;
    std::thread waiting([&] {
        result = dispatcher.RunOnUiThread([&] { ran = true; });
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    dispatcher.Close();
    waiting.join();
    EXPECT_TRUE(returned);
    EXPECT_FALSE(result);
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    EXPECT_FALSE(ran);
}

TEST(GtkUiThreadDispatcher, QueuedWorkRunsInOrderOnItsThreadAndNotAfterClose) {
    gtk::GtkUiThreadDispatcher dispatcher;
    std::vector<std::string> ran;
    std::vector<std::thread::id> threads;
    std::thread worker([&] {
        for (const char* what : {"1", "2", "3"})
            EXPECT_TRUE(dispatcher.PostToUiThread([&ran, &threads, what] {
                ran.push_back(what);
                threads.push_back(std::this_thread::get_id());
            }));
    });
    worker.join();  // posting never waits for the loop
    EXPECT_TRUE(ran.empty());
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    EXPECT_EQ(ran, (std::vector<std::string>{"1", "2", "3"}));
    for (const std::thread::id id : threads) EXPECT_EQ(id, std::this_thread::get_id());

    // Queued before the close, not yet run: dropped; after it: refused.
    EXPECT_TRUE(dispatcher.PostToUiThread([&] { ran.push_back("late"); }));
    dispatcher.Close();
    EXPECT_FALSE(dispatcher.PostToUiThread([&] { ran.push_back("refused"); }));
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    EXPECT_EQ(ran.size(), 3u);
}

}  // namespace
}  // namespace velora::net::testing

#endif
