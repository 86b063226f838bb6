// Transfers against the scripted client: the calls made, the events fired
// on the user-interface thread, the failures and the lifetime of workers.

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "net/GrabberFixture.h"

namespace velora::net::testing {
namespace {

using Lines = std::vector<std::string>;
using Transfer = GrabberFixture;

const std::string kVersionUrl = "http://example.com/update/dw.version";

TEST_F(Transfer, MakesTheCallsInOrderAndWritesTheFile) {
    http->scripts[0].contentLength = "5";
    http->scripts[0].blocks = {"hel", "lo"};
    grabber->SetFileName("version.ini");
    Fetch("http://joe:pw@example.com:8080/update/dw.version");

    EXPECT_EQ(http->Log(), (Lines{
        "OpenInternet agent=VELORA Desktop type=0 proxy=none bypass=none",
        "SetStatusCallback internet1",
        "Connect internet1 host=example.com port=8080 user='joe' password='pw' context=listener",
        "OpenRequest connection1 verb=GET object=update/dw.version version=HTTP/1.0 "
        "referer=VELORA Desktop Update flags=84000100 context=0",
        "SetTimeouts request1 ms=30000",
        "SendRequest request1",
        "QueryStatusCode request1",
        "QueryContentLength request1 buffer=1024",
        "Read request1 size=65536",
        "Read request1 size=65536",
        "Read request1 size=65536",
        "Close request1",
        "Close connection1",
        "Close internet1",
    }));
    EXPECT_EQ(Events(), (Lines{
        "Progress 3/5 " + kVersionUrl,
        "Progress 5/5 " + kVersionUrl,
        "DoneFile version.ini 5 " + kVersionUrl,
        "ConnectionClosed",
    }));
    EXPECT_EQ(files.files["version.ini"], "hello");
    EXPECT_EQ(events.offUiThread, 0);
    EXPECT_EQ(grabber->ContentSize(), 5);
    EXPECT_EQ(grabber->BytesReceived(), 5);

    // A host without path requests the empty path.
    Fetch("http://example.com");
    EXPECT_TRUE(http->Logged("OpenRequest connection2 verb=GET object= version=HTTP/1.0 "
                             "referer=VELORA Desktop Update flags=84000100 context=0"));
}

TEST_F(Transfer, OpensThroughTheProxyModeAndPassesCredentials) {
    grabber->SetProxyMode(pmNoProxy);
    grabber->SetProxyUserName("pu");
    Fetch("example.com/x");
    EXPECT_TRUE(http->Logged("OpenInternet agent=VELORA Desktop type=1 proxy=none bypass=none"));
    EXPECT_TRUE(http->Logged("Connect internet1 host=example.com port=0 user=none password=none context=listener"));
    EXPECT_EQ(http->CountOf("SetOption"), 0);

    ui->Invoke([&] {
        grabber->SetProxyMode(pmManual);
        grabber->SetUserName("u2");
        grabber->SetPassword("p2");
        grabber->SetPort(70000);  // passed on as 16 bits
    });
    Fetch("example.com/x");
    EXPECT_TRUE(http->Logged("OpenInternet agent=VELORA Desktop type=3 proxy='proxyserver' bypass='<local>'"));
    EXPECT_TRUE(http->Logged("SetOption internet2 option=43 value=pu length=3"));
    EXPECT_TRUE(http->Logged("SetOption internet2 option=44 value= length=1"));
    EXPECT_TRUE(http->Logged("Connect internet2 host=example.com port=4464 user='u2' password='p2' context=listener"));
}

TEST_F(Transfer, SecureUrlUsesTheSecureFlagAndPort443) {
    Fetch("HTTPS://secure.example.com/file.bin");
    EXPECT_TRUE(http->Logged("Connect internet1 host=secure.example.com port=443 user=none password=none context=listener"));
    EXPECT_TRUE(http->Logged("OpenRequest connection1 verb=GET object=file.bin version=HTTP/1.0 "
                             "referer=VELORA Desktop Update flags=84800100 context=0"));
    Fetch("https://secure.example.com:8443/file.bin");
    EXPECT_TRUE(http->Logged("Connect internet2 host=secure.example.com port=8443 user=none password=none context=listener"));
    EXPECT_EQ(http->CountOf("OpenRequest connection2 verb=GET object=file.bin version=HTTP/1.0 "
                            "referer=VELORA Desktop Update flags=84800100"), 1);
}

TEST_F(Transfer, StreamModeWithoutContentLength) {
    http->scripts[0].blocks = {"ab", "cde"};
    grabber->SetOutputMode(omStream);
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{
        "Progress 2/0 " + kVersionUrl,
        "Progress 5/0 " + kVersionUrl,
        "DoneStream abcde 5 at 0 " + kVersionUrl,
        "ConnectionClosed",
    }));
    EXPECT_TRUE(files.files.empty());
    // Only a reply saved to a file stays out of the platform's cache.
    EXPECT_TRUE(http->Logged("OpenRequest connection1 verb=GET object=update/dw.version version=HTTP/1.0 "
                             "referer=VELORA Desktop Update flags=80000100 context=0"));
}

TEST_F(Transfer, StatusNotificationsFireTheirEvents) {
    // A first transfer leaves a count behind that the next must not report.
    http->scripts[0].blocks = {"12345"};
    grabber->SetOutputMode(omStream);
    Fetch(kVersionUrl);
    ClearEvents();

    http->scripts.push_back(Script{});
    http->scripts[1].connectStatuses = {10, 11, 20, 21, 30, 31, 40, 41, 50, 51, 100, 110, 200, 70};
    ui->Invoke([&] { grabber->Start(); });
    ASSERT_TRUE(WaitForEnd(3));  // the status 51 fires it once more

    const std::vector<std::pair<int, std::vector<std::string>>> table = {
        {10, {"ResolvingName"}},      {11, {"NameResolved"}},      {20, {"ConnectingToServer"}},
        {21, {"ConnectedToServer"}},  {30, {"SendingRequest"}},    {31, {"RequestSent"}},
        {40, {"ReceivingResponse"}},  {41, {"ResponseReceived"}},  {50, {"ClosingConnection"}},
        {51, {"ConnectionClosed"}},   {100, {"RequestComplete"}},  {110, {"Redirect"}},
        {200, {"StatusChange"}},      {70, {}},
    };
    Lines expected;
    for (const auto& [code, named] : table) {
        expected.push_back("Progress 0/0 " + kVersionUrl);
        expected.push_back("StatusChange");
        expected.insert(expected.end(), named.begin(), named.end());
    }
    expected.push_back("DoneStream  0 at 0 " + kVersionUrl);
    expected.push_back("ConnectionClosed");
    EXPECT_EQ(Events(), expected);
    EXPECT_EQ(events.offUiThread, 0);
}

// Ten blocks, each read 30 ms apart on the client's clock.
Script TenBlocksThirtyMillisecondsApart() {
    Script script;
    script.contentLength = "20";
    script.blocks = {"aa", "bb", "cc", "dd", "ee", "ff", "gg", "hh", "ii", "jj"};
    script.readTakes = std::chrono::milliseconds(30);
    return script;
}

// What is queued for the user-interface thread runs exactly when the next
// read starts, as if the thread got to it while the worker waited for the
// network.
void RunQueuedWorkAtEachRead(FakeHttpClient& http, TestUiThread& ui) {
    ui.HoldQueued();
    http.beforeRead = [&ui] {
        ui.ReleaseQueued();
        ui.Invoke([] {});
        ui.HoldQueued();
    };
}

TEST_F(Transfer, ProgressIsQueuedAtMostTwentyASecondAndTheLastIsDeliveredBeforeCompletion) {
    http->scripts = {TenBlocksThirtyMillisecondsApart()};
    RunQueuedWorkAtEachRead(*http, *ui);
    grabber->SetFileName("out.bin");
    Fetch(kVersionUrl);

    // The first block's progress is delivered while the worker waits; then
    // one is queued whenever 50 ms have passed since the last; the last
    // comes before completion, also when nothing was due.
    EXPECT_EQ(Events(), (Lines{
        "Progress 2/20 " + kVersionUrl,
        "Progress 6/20 " + kVersionUrl,
        "Progress 10/20 " + kVersionUrl,
        "Progress 14/20 " + kVersionUrl,
        "Progress 18/20 " + kVersionUrl,
        "Progress 20/20 " + kVersionUrl,
        "DoneFile out.bin 20 " + kVersionUrl,
        "ConnectionClosed",
    }));
    EXPECT_EQ(ui->QueuedEver(), 4);
    EXPECT_EQ(events.offUiThread, 0);
    EXPECT_EQ(files.files["out.bin"], "aabbccddeeffgghhiijj");
}

TEST_F(Transfer, AtMostOneProgressWaitsAndOneArrivingAfterTheLastIsDropped) {
    http->scripts = {TenBlocksThirtyMillisecondsApart()};
    ui->HoldQueued();  // a busy user-interface thread: nothing queued runs
    grabber->SetOutputMode(omStream);
    Fetch(kVersionUrl);

    // 300 ms of reading, but while one progress waits no other is queued.
    EXPECT_EQ(ui->QueuedEver(), 1);
    EXPECT_EQ(ui->HeldCount(), 1);
    ui->ReleaseQueued();
    ui->Invoke([] {});
    EXPECT_EQ(Events(), (Lines{
        "Progress 2/20 " + kVersionUrl,
        "Progress 20/20 " + kVersionUrl,
        "DoneStream aabbccddeeffgghhiijj 20 at 0 " + kVersionUrl,
        "ConnectionClosed",
    }));
}

TEST_F(Transfer, QueuedProgressStopsTheTransferByItsAnswerOrItsException) {
    http->scripts = {TenBlocksThirtyMillisecondsApart()};
    RunQueuedWorkAtEachRead(*http, *ui);
    grabber->SetFileName("out.bin");
    grabber->OnProgress = [&](component::TComponent*, std::int64_t position, std::int64_t, const std::string&,
                              bool& go) {
        events.lines.push_back("Progress " + std::to_string(position));
        if (position >= 6) go = false;
    };

    // The answer of the progress queued after the third block comes while
    // the fourth is read: that block is the last, and no progress and no
    // completion follow.
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{"Progress 2", "Progress 6", "ConnectionClosed"}));
    EXPECT_EQ(http->CountOf("Read request1"), 4);

    // An exception leaving the handler ends the transfer just as quietly.
    ClearEvents();
    ui->Invoke([&] {
        grabber->OnProgress = [&](component::TComponent*, std::int64_t position, std::int64_t, const std::string&,
                                  bool&) {
            events.lines.push_back("Progress " + std::to_string(position));
            if (position >= 6) throw std::runtime_error("handler failed");
        };
    });
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{"Progress 2", "Progress 6", "ConnectionClosed"}));
    EXPECT_EQ(http->CountOf("Read request2"), 4);
    EXPECT_TRUE(files.files.empty());
}

TEST_F(Transfer, AFileIsWrittenAsTheReplyComesAndTakesItsNameOnlyWhenComplete) {
    http->scripts = {Script{}, Script{}, Script{}};
    http->scripts[0].contentLength = "6";
    http->scripts[0].blocks = {"ab", "cd", "ef"};
    http->scripts[1].contentLength = "10";
    http->scripts[1].blocks = {"abcd"};
    http->scripts[1].readFailsAfterBlocks = true;
    http->scripts[2].blocks = {"new"};
    files.files["update.exe"] = "old";
    grabber->SetFileName("update.exe");
    std::vector<std::string> seen;
    grabber->OnProgress = [&](component::TComponent*, std::int64_t, std::int64_t, const std::string&, bool&) {
        seen.push_back(files.Parts()["update.exe"] + " beside " + files.files["update.exe"]);
    };

    Fetch(kVersionUrl);
    EXPECT_EQ(seen, (std::vector<std::string>{"ab beside old", "abcdef beside old"}));
    EXPECT_EQ(files.files["update.exe"], "abcdef");
    EXPECT_TRUE(files.Parts().empty());

    // A reply that broke off leaves neither its part nor a changed file.
    Fetch(kVersionUrl);
    EXPECT_EQ(files.files["update.exe"], "abcdef");
    EXPECT_TRUE(files.Parts().empty());

    // The file takes the name the grabber has when the reply is complete.
    ui->Invoke([&] {
        grabber->OnProgress = [&](component::TComponent*, std::int64_t, std::int64_t, const std::string&, bool&) {
            grabber->SetFileName("renamed.exe");
        };
    });
    Fetch(kVersionUrl);
    EXPECT_EQ(files.files["renamed.exe"], "new");
    EXPECT_EQ(files.files["update.exe"], "abcdef");
    EXPECT_TRUE(files.Parts().empty());
}

TEST_F(Transfer, ContinueFalseEndsWithoutCompletion) {
    http->scripts[0].blocks = {"a", "b", "c"};
    grabber->SetFileName("out.txt");
    grabber->OnProgress = [](component::TComponent*, std::int64_t, std::int64_t, const std::string&, bool& go) {
        go = false;
    };
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{"ConnectionClosed"}));
    EXPECT_EQ(http->CountOf("Read"), 1);
    EXPECT_EQ(http->CountOf("Close"), 3);
    EXPECT_TRUE(files.files.empty());
    EXPECT_TRUE(files.Parts().empty());
}

TEST_F(Transfer, UrlChangeDuringTransferIsRefused) {
    http->scripts[0].blocks = {"x"};
    std::string refusal;
    grabber->OnProgress = [&](component::TComponent*, std::int64_t, std::int64_t, const std::string&, bool&) {
        try {
            grabber->SetUrl("http://elsewhere/");
        } catch (const EGrabberNotStopped& error) {
            refusal = error.what();
        }
    };
    grabber->SetFileName("a.txt");
    Fetch(kVersionUrl);
    EXPECT_EQ(refusal, "The grabber is not stopped, you cannot change its URL.");
    EXPECT_EQ(grabber->Url(), kVersionUrl);
    EXPECT_EQ(files.files["a.txt"], "x");  // a handled refusal does not end the transfer

    // One that leaves the handler ends it without any report.
    ui->Invoke([&] {
        grabber->OnProgress = [&](component::TComponent*, std::int64_t, std::int64_t, const std::string&, bool&) {
            grabber->SetUrl("http://elsewhere/");
        };
        grabber->SetFileName("b.txt");
    });
    ClearEvents();
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{"ConnectionClosed"}));
    EXPECT_EQ(files.files.count("b.txt"), 0u);
}

TEST_F(Transfer, FailuresToOpenAreReportedWhileIdle) {
    http->scripts = {Script{}, Script{}, Script{}, Script{}};
    http->scripts[0].openFails = true;
    http->scripts[0].errorText = "The parameter is incorrect";
    http->scripts[1].connectFails = true;
    http->scripts[2].requestFails = true;
    http->scripts[3].closeFails = {"request", "internet"};
    http->scripts[3].blocks = {"ok"};
    grabber->SetOutputMode(omStream);

    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{"Error The parameter is incorrect (idle)", "ConnectionClosed"}));
    EXPECT_EQ(http->CountOf("Connect"), 0);
    EXPECT_EQ(http->CountOf("Close"), 0);

    ClearEvents();
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{"Error 550 Server says no (idle)", "ConnectionClosed"}));
    EXPECT_TRUE(http->Logged("LastResponseInfo max=1024"));
    EXPECT_EQ(http->CountOf("OpenRequest"), 0);
    EXPECT_EQ(http->CountOf("Close internet2"), 1);

    ClearEvents();
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{"Error 550 Server says no (idle)", "ConnectionClosed"}));
    EXPECT_EQ(http->CountOf("SendRequest"), 0);
    EXPECT_EQ(http->CountOf("Close connection3"), 1);
    EXPECT_EQ(http->CountOf("Close internet3"), 1);

    ClearEvents();
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{
        "Progress 2/0 " + kVersionUrl,
        "DoneStream ok 2 at 0 " + kVersionUrl,
        "Error close request failed (idle)",
        "Error close internet failed (idle)",
        "ConnectionClosed",
    }));
}

TEST_F(Transfer, AbsorbedFailuresReportNothing) {
    http->scripts = {Script{}, Script{}, Script{}};
    http->scripts[0].contentLength = "12a";
    http->scripts[0].blocks = {"x"};
    http->scripts[1].blocks = {"data"};
    http->scripts[2].sendFails = true;  // the server could not be reached
    files.unwritable = {"locked.txt"};

    grabber->SetFileName("out.txt");
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{"ConnectionClosed"}));
    EXPECT_EQ(http->CountOf("Read"), 0);
    EXPECT_EQ(http->CountOf("Close"), 3);

    ClearEvents();
    ui->Invoke([&] { grabber->SetFileName("locked.txt"); });
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{"Progress 4/0 " + kVersionUrl, "ConnectionClosed"}));

    // Nothing sent, nothing read: a reply kept in memory comes empty.
    ClearEvents();
    ui->Invoke([&] { grabber->SetOutputMode(omStream); });
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{"DoneStream  0 at 0 " + kVersionUrl, "ConnectionClosed"}));
}

// A refused connection, an unknown host or no network at all is no reply:
// for a file it must not replace the last good one with nothing.
TEST_F(Transfer, AFailedSendEndsAFileDownloadInAnErrorAndKeepsTheFile) {
    http->scripts = {Script{}, Script{}};
    http->scripts[0].sendFails = true;
    http->scripts[0].errorText = "A connection with the server could not be established";
    http->scripts[1].blocks = {"fresh"};
    files.files["version.ini"] = "old content";
    grabber->SetFileName("version.ini");

    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{"Error A connection with the server could not be established (idle)",
                               "ConnectionClosed"}));
    EXPECT_EQ(http->CountOf("QueryStatusCode"), 0);
    EXPECT_EQ(http->CountOf("Read"), 0);
    EXPECT_EQ(http->CountOf("Close"), 3);
    EXPECT_EQ(files.files["version.ini"], "old content");
    EXPECT_TRUE(files.Parts().empty());

    // The transfer ended idle: the next one may set its Url, and replaces the file.
    ClearEvents();
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{"Progress 5/0 " + kVersionUrl, "DoneFile version.ini 5 " + kVersionUrl,
                               "ConnectionClosed"}));
    EXPECT_EQ(files.files["version.ini"], "fresh");
}

// What a download to the file left when the program ended in its middle is
// removed before the next one starts, whatever becomes of that one.
TEST_F(Transfer, AFileDownloadStartsByDiscardingTheUnfinishedPartOfAnEarlierOne) {
    http->scripts[0].sendFails = true;  // nothing of this transfer is ever written
    files.staleParts = {"update.exe.download", "version.ini"};
    grabber->SetFileName("update.exe.download");
    grabber->SetOutputMode(omStream);
    Fetch(kVersionUrl);
    EXPECT_EQ(files.staleParts.size(), 2u);

    ui->Invoke([&] { grabber->SetOutputMode(omFile); });
    Fetch(kVersionUrl);
    EXPECT_EQ(files.staleParts, std::set<std::string>{"version.ini"});
}

TEST_F(Transfer, ReplyThatBrokeOffIsAnError) {
    http->scripts = {Script{}, Script{}};
    http->scripts[0].contentLength = "10";
    http->scripts[0].blocks = {"ab", "cd"};
    http->scripts[1].blocks = {"abcd"};
    http->scripts[1].readFailsAfterBlocks = true;
    http->scripts[1].errorText = "The connection with the server was reset";
    files.files["out.txt"] = "old content";
    grabber->SetFileName("out.txt");

    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{
        "Progress 2/10 " + kVersionUrl,
        "Progress 4/10 " + kVersionUrl,  // the last progress, before the error
        "Error The transfer was interrupted: received 4 of 10 bytes. (idle)",
        "ConnectionClosed",
    }));

    ClearEvents();
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{
        "Progress 4/0 " + kVersionUrl,
        "Error The connection with the server was reset (idle)",
        "ConnectionClosed",
    }));
    EXPECT_EQ(files.files["out.txt"], "old content");
}

TEST_F(Transfer, OnlyASuccessStatusCompletesAndAnyOtherEndsInAnError) {
    // Error pages and the like carry a body that must never replace the file.
    http->scripts = {Script{}, Script{}, Script{}, Script{}, Script{}, Script{}, Script{}};
    const std::optional<std::uint32_t> refused[] = {404, 500, 304, 199, 300, std::nullopt};
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        http->scripts[i].status = refused[i];
        http->scripts[i].contentLength = "9";
        http->scripts[i].blocks = {"not found"};
    }
    http->scripts[6].status = 299;
    http->scripts[6].blocks = {"fresh"};
    files.files["version.ini"] = "old content";
    grabber->SetFileName("version.ini");

    for (const char* expected : {"404", "500", "304", "199", "300"}) {
        ClearEvents();
        Fetch(kVersionUrl);
        EXPECT_EQ(Events(), (Lines{"Error The server answered with status " + std::string(expected) + ". (idle)",
                                   "ConnectionClosed"}));
    }
    ClearEvents();
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{"Error The server's reply carried no status. (idle)", "ConnectionClosed"}));
    // Nothing of a refused reply is read, and every handle is closed.
    EXPECT_EQ(http->CountOf("Read"), 0);
    EXPECT_EQ(http->CountOf("Close"), 18);
    EXPECT_EQ(files.files["version.ini"], "old content");

    ClearEvents();
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{"Progress 5/0 " + kVersionUrl, "DoneFile version.ini 5 " + kVersionUrl,
                               "ConnectionClosed"}));
    EXPECT_EQ(files.files["version.ini"], "fresh");
}

TEST_F(Transfer, SilentServerEndsInAnErrorAfterTheTimeOut) {
    http->scripts = {Script{}, Script{}, Script{}};
    http->scripts[0].stall = Stall::InSend;  // no reply at all
    http->scripts[1].contentLength = "10";
    http->scripts[1].blocks = {"abcd"};
    http->scripts[1].stall = Stall::InRead;  // the headers and a block, then nothing
    http->scripts[2].blocks = {"fresh"};
    files.files["out.txt"] = "old content";
    grabber->SetFileName("out.txt");
    grabber->SetTimeout(50);

    // Unlike a request that never reached the server, a time-out is no empty reply.
    Fetch(kVersionUrl);
    EXPECT_TRUE(http->Logged("SetTimeouts request1 ms=50"));
    EXPECT_EQ(Events(), (Lines{"Error The operation timed out (idle)", "ConnectionClosed"}));
    EXPECT_EQ(http->CountOf("Read"), 0);
    EXPECT_EQ(http->CountOf("Close"), 3);

    // Each transfer ends idle, so the next one may set its Url and start.
    ClearEvents();
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{
        "Progress 4/10 " + kVersionUrl,
        "Error The operation timed out (idle)",
        "ConnectionClosed",
    }));
    EXPECT_EQ(files.files["out.txt"], "old content");

    ClearEvents();
    Fetch(kVersionUrl);
    EXPECT_EQ(Events(), (Lines{
        "Progress 5/0 " + kVersionUrl,
        "DoneFile out.txt 5 " + kVersionUrl,
        "ConnectionClosed",
    }));
    EXPECT_EQ(files.files["out.txt"], "fresh");
}

TEST_F(Transfer, SecondStartStopsTheFirstWorker) {
    auto firstGate = std::make_shared<Gate>();
    auto secondGate = std::make_shared<Gate>();
    http->scripts = {Script{}, Script{}};
    http->scripts[0].blocks = {"old"};
    http->scripts[0].firstReadGate = firstGate;
    http->scripts[1].blocks = {"new"};
    http->scripts[1].firstReadGate = secondGate;
    grabber->SetOutputMode(omStream);

    ui->Invoke([&] {
        grabber->SetUrl(kVersionUrl);
        grabber->Start();
    });
    ASSERT_TRUE(firstGate->AwaitWaiter());
    EXPECT_EQ(ui->Invoke([&] { return grabber->State(); }), stReceiving);
    EXPECT_THROW(ui->Invoke([&] { grabber->SetUrl("http://elsewhere/"); }), EGrabberNotStopped);

    ui->Invoke([&] { grabber->Start(); });
    ASSERT_TRUE(secondGate->AwaitWaiter());

    // The first worker ends at its next check; once it is gone it has not
    // made the grabber look idle in the middle of the second transfer.
    firstGate->Open();
    ASSERT_TRUE(WaitUntil(*ui, [&] { return events.connectionClosed == 1; }));
    ASSERT_TRUE(WaitUntil(*ui, [&] { return http.use_count() == 3; }));  // fixture, grabber, second worker
    EXPECT_EQ(ui->Invoke([&] { return grabber->State(); }), stReceiving);

    secondGate->Open();
    ASSERT_TRUE(WaitForEnd(2));
    EXPECT_EQ(Events(), (Lines{
        "Progress 3/0 " + kVersionUrl,  // the first worker's block, before its check
        "ConnectionClosed",
        "Progress 3/0 " + kVersionUrl,
        "DoneStream new 3 at 0 " + kVersionUrl,
        "ConnectionClosed",
    }));
    EXPECT_EQ(http->CountOf("Read request1"), 1);
}

TEST_F(Transfer, WorkerOutlivingItsGrabberDeliversNothing) {
    auto gate = std::make_shared<Gate>();
    http->scripts[0].blocks = {"late"};
    http->scripts[0].firstReadGate = gate;
    ui->Invoke([&] {
        grabber->SetUrl(kVersionUrl);
        grabber->Start();
    });
    ASSERT_TRUE(gate->AwaitWaiter());
    ui->Invoke([&] { grabber.reset(); });
    gate->Open();

    // It still closes what it opened, and then lets go of the client.
    ASSERT_TRUE(WaitUntil(*ui, [&] { return http.use_count() == 1; }));
    EXPECT_EQ(http->CountOf("Close"), 3);
    EXPECT_TRUE(Events().empty());
    EXPECT_TRUE(files.files.empty());
}

}  // namespace
}  // namespace velora::net::testing
