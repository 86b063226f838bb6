#pragma once
// What every HTTP client promises the download engine, checked through the
// engine against the local HTTP server: the reply, a broken one, error pages,
// a server that falls silent, and a port nobody listens on. A test file of an
// implementation instantiates the suite with its side of the system:
//
//     struct Side {
//         using Dispatcher = ...;          // the user-interface thread's dispatcher
//         static std::shared_ptr<platform::HttpClient> Client();
//         static void RunQueuedWork();     // runs what this thread's loop has queued
//         static void WaitForWork();       // waits a moment for more
//     };
//     INSTANTIATE_TYPED_TEST_SUITE_P(Name, HttpClientContract, Side);
//
// (once per test program: the suite is defined here).

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "net/HttpUrlGrabber.h"
#include "net/MemoryStream.h"
#include "platform/HttpClient.h"
#include "platform/std/StdFileSystem.h"
#include "settings/SettingsTestSupport.h"
#include "support/LocalHttpServer.h"

namespace velora::platform::testing {

using fakes::LocalHttpServer;
using fakes::Reply;

// A grabber on the side's HTTP client whose events are handed to this
// thread's loop, with what its transfers delivered.
template <typename Side>
class HttpClientContract : public ::testing::Test {
protected:
    void SetUp() override {
        grabber.SetAgent("VELORA Desktop");
        grabber.SetReferer("VELORA Desktop Update");
        grabber.SetProxyMode(net::pmNoProxy);
        grabber.SetOutputMode(net::omStream);
        grabber.OnDoneStream = [this](component::TComponent*, net::TMemoryStream& stream, std::int32_t,
                                      const std::string&) {
            offUiThread += std::this_thread::get_id() != uiThread;
            received = stream.Bytes();
            done = true;
        };
        grabber.OnError = [this](component::TComponent*, const std::string& message) {
            offUiThread += std::this_thread::get_id() != uiThread;
            error = message;
            done = true;
        };
        grabber.OnConnectionClosed = [this](component::TComponent*) {
            offUiThread += std::this_thread::get_id() != uiThread;
            if (done) ended = true;  // the last one of a transfer
        };
    }

    // Starts a transfer and runs this thread's loop until it has ended (or
    // the hang guard gives up).
    bool Fetch() {
        received.clear();
        error.clear();
        done = false;
        ended = false;
        grabber.Start();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            Side::RunQueuedWork();
            if (ended && grabber.State() == net::stIdle) return true;
            Side::WaitForWork();
        }
        return false;
    }

    // A port nobody listens on.
    static int ClosedPort() {
        LocalHttpServer closed({});
        return closed.Port();
    }

    StdFileSystem files;
    std::shared_ptr<typename Side::Dispatcher> dispatcher = std::make_shared<typename Side::Dispatcher>();
    net::THttpUrlGrabber grabber{nullptr, {Side::Client(), dispatcher, &files}};
    const std::thread::id uiThread = std::this_thread::get_id();
    std::string received, error;
    int offUiThread = 0;
    std::atomic<bool> ended{false};
    bool done = false;
};

TYPED_TEST_SUITE_P(HttpClientContract);

TYPED_TEST_P(HttpClientContract, FetchesFromALocalServerAndReportsABrokenReply) {
    const std::string body = "[version]\r\nstable=1.2.3.4\r\n";
    LocalHttpServer server({
        "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\n\r\n" + body,
        "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly this",
    });
    ASSERT_NE(server.Port(), 0) << "no listening socket";

    this->grabber.SetUrl(server.Url());
    ASSERT_TRUE(this->Fetch());
    EXPECT_EQ(this->received, body);
    EXPECT_EQ(this->error, "");

    ASSERT_TRUE(this->Fetch());
    EXPECT_EQ(this->error, "The transfer was interrupted: received 9 of 100 bytes.");
    EXPECT_EQ(this->offUiThread, 0);

    const std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].rfind("GET /update/dw.version HTTP/1.0\r\n", 0), 0u) << requests[0];
    EXPECT_NE(requests[0].find("User-Agent: VELORA Desktop\r\n"), std::string::npos) << requests[0];
    EXPECT_NE(requests[0].find("Referer: VELORA Desktop Update\r\n"), std::string::npos) << requests[0];
    EXPECT_NE(requests[0].find("Pragma: no-cache\r\n"), std::string::npos) << requests[0];
}

TYPED_TEST_P(HttpClientContract, AnErrorPageIsReportedInsteadOfDelivered) {
    LocalHttpServer server({
        "HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: 9\r\n\r\nnot found",
        "HTTP/1.0 500 Internal Server Error\r\n\r\n[version]\r\nstable=99.0\r\n",
    });
    ASSERT_NE(server.Port(), 0) << "no listening socket";

    this->grabber.SetUrl(server.Url());
    ASSERT_TRUE(this->Fetch());
    EXPECT_EQ(this->error, "The server answered with status 404.");
    EXPECT_EQ(this->received, "");
    // Without a length too: the body of an error is never the file.
    ASSERT_TRUE(this->Fetch());
    EXPECT_EQ(this->error, "The server answered with status 500.");
    EXPECT_EQ(this->received, "");
    EXPECT_EQ(this->offUiThread, 0);
}

TYPED_TEST_P(HttpClientContract, ASilentServerIsGivenUpAfterTheTimeOut) {
    LocalHttpServer server({
        Reply("", true),  // takes the request and answers nothing
        Reply("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly this", true),
        "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nfresh",
    });
    ASSERT_NE(server.Port(), 0) << "no listening socket";
    this->grabber.SetTimeout(500);
    this->grabber.SetUrl(server.Url());

    ASSERT_TRUE(this->Fetch()) << "no reply at all: the transfer did not end";
    EXPECT_NE(this->error, "");
    EXPECT_EQ(this->received, "");

    // Setting the Url again is refused unless the transfer has ended.
    this->grabber.SetUrl(server.Url());
    ASSERT_TRUE(this->Fetch()) << "headers, then silence: the transfer did not end";
    EXPECT_NE(this->error, "");
    EXPECT_EQ(this->received, "");

    this->grabber.SetUrl(server.Url());
    ASSERT_TRUE(this->Fetch());
    EXPECT_EQ(this->received, "fresh");
    EXPECT_EQ(this->error, "");
    EXPECT_EQ(server.SilencesEndedByClient(), 2);
    EXPECT_EQ(this->offUiThread, 0);
}

// Nobody listens on the port: a reply kept in memory comes empty, without an
// error; for a file that is no reply, the download ends in an error and the
// last good file stays as it was.
TYPED_TEST_P(HttpClientContract, ARefusedConnectionIsAnEmptyReplyOrForAFileAnError) {
    const int port = this->ClosedPort();
    ASSERT_NE(port, 0) << "no listening socket";
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/update/dw.version";
    this->grabber.SetUrl(url);
    ASSERT_TRUE(this->Fetch());
    EXPECT_EQ(this->received, "");
    EXPECT_EQ(this->error, "");

    settings::testing::ScratchFolder scratch;
    const std::string file = scratch.File("version.ini");
    settings::testing::ScratchFolder::Write(file, "last good");
    std::vector<std::string> saved;
    this->grabber.SetOutputMode(net::omFile);
    this->grabber.SetFileName(file);
    this->grabber.OnDoneFile = [&](component::TComponent*, const std::string& name, std::int32_t,
                                   const std::string&) {
        saved.push_back(name);
        this->done = true;
    };
    for (int attempt = 1; attempt <= 2; ++attempt) {
        ASSERT_TRUE(this->Fetch());
        EXPECT_NE(this->error, "") << "attempt " << attempt;
    }
    EXPECT_TRUE(saved.empty());
    EXPECT_EQ(settings::testing::ScratchFolder::Read(file), "last good");
    EXPECT_EQ(settings::testing::ScratchFolder::EntryNames(scratch.Folder()), std::vector<std::string>{"version.ini"});
    EXPECT_EQ(this->offUiThread, 0);
}

REGISTER_TYPED_TEST_SUITE_P(HttpClientContract, FetchesFromALocalServerAndReportsABrokenReply,
                            AnErrorPageIsReportedInsteadOfDelivered, ASilentServerIsGivenUpAfterTheTimeOut,
                            ARefusedConnectionIsAnEmptyReplyOrForAFileAnError);

}  // namespace velora::platform::testing
