#pragma once
// A grabber wired to the scripted client, the test's user-interface thread
// and the in-memory files, with every event recorded.

#include <memory>
#include <string>
#include <vector>

#include "net/NetTestSupport.h"

namespace velora::net::testing {

class GrabberFixture : public ::testing::Test {
protected:
    std::shared_ptr<FakeHttpClient> http = std::make_shared<FakeHttpClient>();
    std::shared_ptr<TestUiThread> ui = std::make_shared<TestUiThread>();
    MemoryFileSystem files;
    EventRecorder events;
    std::unique_ptr<THttpUrlGrabber> grabber;

    void SetUp() override {
        grabber = std::make_unique<THttpUrlGrabber>(
            nullptr, UrlGrabberServices{http, ui, &files, [client = http.get()] { return client->Now(); }});
        grabber->SetAgent("VELORA Desktop");
        grabber->SetReferer("VELORA Desktop Update");
        events.Attach(*grabber, *ui);
    }
    void TearDown() override {
        ui->Invoke([&] { grabber.reset(); });
    }

    // Sets the Url, starts, and waits until the transfer has ended.
    void Fetch(const std::string& url) {
        const int closedBefore = ui->Invoke([&] {
            grabber->SetUrl(url);
            grabber->Start();
            return events.connectionClosed;
        });
        ASSERT_TRUE(WaitForEnd(closedBefore + 1));
    }
    bool WaitForEnd(int connectionsClosed) {
        return WaitUntil(*ui, [&] { return events.connectionClosed >= connectionsClosed && grabber->State() == stIdle; });
    }
    std::vector<std::string> Events() {
        return ui->Invoke([&] { return events.lines; });
    }
    void ClearEvents() {
        ui->Invoke([&] { events.lines.clear(); });
    }
};

}  // namespace velora::net::testing
