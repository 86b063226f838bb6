#pragma once
// A scripted HTTP client, a user-interface thread of the test's own, an
// in-memory file system and an event recorder for the download engine tests.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "net/HttpUrlGrabber.h"
#include "net/MemoryStream.h"
#include "platform/HttpClient.h"
#include "platform/UiThreadDispatcher.h"
#include "support/MemoryFileSystem.h"

namespace velora::net::testing {

// A door a worker waits at until the test opens it.
class Gate {
public:
    void Wait() {
        std::unique_lock lock(mutex_);
        waiting_ = true;
        changed_.notify_all();
        changed_.wait(lock, [&] { return open_; });
    }
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    // True once someone waits (or has waited) at the gate.
    bool AwaitWaiter(std::chrono::seconds timeout = std::chrono::seconds(10)) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return waiting_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool waiting_ = false;
    bool open_ = false;
};

// Where the server goes silent: no reply at all to the request, or the
// headers and the scripted blocks and then nothing.
enum class Stall { None, InSend, InRead };

// What one transfer meets.
struct Script {
    bool openFails = false;
    bool connectFails = false;
    bool requestFails = false;
    bool sendFails = false;  // refused, unknown host: neither a time-out nor broken off
    std::set<std::string> closeFails;  // "request", "connection", "internet"
    std::optional<std::uint32_t> status = 200;  // nothing: the reply carries none
    std::optional<std::string> contentLength;
    std::vector<std::string> blocks;   // what the reads return, one block a read
    bool readFailsAfterBlocks = false; // instead of the end of the reply
    Stall stall = Stall::None;
    std::vector<std::uint32_t> connectStatuses;  // notified from inside Connect
    std::shared_ptr<Gate> firstReadGate;         // the first read waits here
    std::chrono::milliseconds readTakes{0};      // on the client's clock, each read
    std::string errorText = "The operation failed";
    std::string responseInfo = "550 Server says no";
};

class FakeHttpClient : public platform::HttpClient {
public:
    // Transfer n meets scripts[n]; later ones meet the last script.
    std::vector<Script> scripts{Script{}};
    // Runs at the start of every read, on the worker.
    std::function<void()> beforeRead;

    // A clock that only the reads move on, for the grabber's pacing.
    std::chrono::steady_clock::time_point Now() const {
        return std::chrono::steady_clock::time_point(std::chrono::milliseconds(clockMs_.load()));
    }

    std::vector<std::string> Log() const {
        std::lock_guard lock(mutex_);
        return log_;
    }
    bool Logged(const std::string& line) const {
        for (const std::string& entry : Log())
            if (entry == line) return true;
        return false;
    }
    int CountOf(const std::string& prefix) const {
        int count = 0;
        for (const std::string& entry : Log()) count += entry.rfind(prefix, 0) == 0 ? 1 : 0;
        return count;
    }
    platform::HttpHandle OpenInternet(const std::string& agent, platform::InternetOpenType openType,
                                      const std::optional<std::string>& proxyList,
                                      const std::optional<std::string>& proxyBypass) override {
        std::lock_guard lock(mutex_);
        const int transfer = transfers_++;
        Record("OpenInternet agent=" + agent + " type=" + std::to_string(static_cast<int>(openType)) +
               " proxy=" + Text(proxyList) + " bypass=" + Text(proxyBypass));
        if (ScriptOf(transfer).openFails) return Fail(ScriptOf(transfer).errorText, "");
        return NewHandle(transfer, "internet");
    }
    void SetStatusCallback(platform::HttpHandle internet) override {
        std::lock_guard lock(mutex_);
        Record("SetStatusCallback " + Name(internet));
    }
    bool SetOption(platform::HttpHandle handle, platform::InternetOption option, const char* value,
                   std::uint32_t length) override {
        std::lock_guard lock(mutex_);
        Record("SetOption " + Name(handle) + " option=" + std::to_string(static_cast<int>(option)) +
               " value=" + std::string(value) + " length=" + std::to_string(length));
        return true;
    }
    platform::HttpHandle Connect(platform::HttpHandle internet, const std::string& host, std::uint16_t port,
                                 const std::optional<std::string>& userName,
                                 const std::optional<std::string>& password,
                                 platform::HttpStatusListener* context) override {
        std::vector<std::uint32_t> statuses;
        int transfer;
        {
            std::lock_guard lock(mutex_);
            transfer = transfers_of_[internet];
            Record("Connect " + Name(internet) + " host=" + host + " port=" + std::to_string(port) +
                   " user=" + Text(userName) + " password=" + Text(password) +
                   " context=" + (context ? "listener" : "none"));
            statuses = ScriptOf(transfer).connectStatuses;
        }
        for (std::uint32_t status : statuses) context->StatusNotified(status);
        std::lock_guard lock(mutex_);
        if (ScriptOf(transfer).connectFails) return Fail("", ScriptOf(transfer).responseInfo);
        return NewHandle(transfer, "connection");
    }
    platform::HttpHandle OpenRequest(platform::HttpHandle connection, const std::string& verb,
                                     const std::string& objectName, const std::string& version,
                                     const std::string& referer, std::uint32_t flags,
                                     std::uintptr_t context) override {
        std::lock_guard lock(mutex_);
        const int transfer = transfers_of_[connection];
        char hexFlags[16];
        std::snprintf(hexFlags, sizeof hexFlags, "%08X", flags);
        Record("OpenRequest " + Name(connection) + " verb=" + verb + " object=" + objectName +
               " version=" + version + " referer=" + referer + " flags=" + hexFlags +
               " context=" + std::to_string(context));
        if (ScriptOf(transfer).requestFails) return Fail("", ScriptOf(transfer).responseInfo);
        reads_[transfer] = 0;
        return NewHandle(transfer, "request");
    }
    bool SetTimeouts(platform::HttpHandle request, std::uint32_t milliseconds) override {
        std::lock_guard lock(mutex_);
        Record("SetTimeouts " + Name(request) + " ms=" + std::to_string(milliseconds));
        timeouts_[request] = milliseconds;
        return true;
    }
    bool SendRequest(platform::HttpHandle request) override {
        std::unique_lock lock(mutex_);
        Record("SendRequest " + Name(request));
        const Script& script = ScriptOf(transfers_of_[request]);
        if (script.stall == Stall::InSend) {
            lock.unlock();
            return WaitForSilentServer(request);
        }
        return script.sendFails ? SetLastError(script.errorText, false) : true;
    }
    std::optional<std::uint32_t> QueryStatusCode(platform::HttpHandle request) override {
        std::lock_guard lock(mutex_);
        Record("QueryStatusCode " + Name(request));
        return ScriptOf(transfers_of_[request]).status;
    }
    std::optional<std::string> QueryContentLength(platform::HttpHandle request, std::uint32_t bufferSize) override {
        std::lock_guard lock(mutex_);
        Record("QueryContentLength " + Name(request) + " buffer=" + std::to_string(bufferSize));
        return ScriptOf(transfers_of_[request]).contentLength;
    }
    bool Read(platform::HttpHandle request, char* buffer, std::uint32_t size, std::uint32_t& bytesRead) override {
        if (beforeRead) beforeRead();
        std::shared_ptr<Gate> gate;
        int transfer;
        {
            std::lock_guard lock(mutex_);
            transfer = transfers_of_[request];
            Record("Read " + Name(request) + " size=" + std::to_string(size));
            if (reads_[transfer] == 0) gate = ScriptOf(transfer).firstReadGate;
        }
        if (gate) gate->Wait();
        std::unique_lock lock(mutex_);
        const Script& script = ScriptOf(transfer);
        clockMs_ += script.readTakes.count();
        const std::size_t index = reads_[transfer]++;
        bytesRead = 0;
        if (index < script.blocks.size()) {
            const std::string& block = script.blocks[index];
            if (block.size() > size) ADD_FAILURE() << "a block larger than the read";
            block.copy(buffer, std::min<std::size_t>(block.size(), size));
            bytesRead = static_cast<std::uint32_t>(std::min<std::size_t>(block.size(), size));
            return true;
        }
        if (script.stall == Stall::InRead) {
            lock.unlock();
            return WaitForSilentServer(request);
        }
        if (script.readFailsAfterBlocks || script.sendFails) return SetLastError(script.errorText, false);
        return true;
    }
    bool Close(platform::HttpHandle handle) override {
        std::lock_guard lock(mutex_);
        Record("Close " + Name(handle));
        const std::string kind = kinds_[handle];
        if (ScriptOf(transfers_of_[handle]).closeFails.count(kind)) {
            lastResponse_[std::this_thread::get_id()] = "close " + kind + " failed";
            return false;
        }
        return true;
    }
    std::string LastResponseInfo(std::uint32_t maxLength) override {
        std::lock_guard lock(mutex_);
        Record("LastResponseInfo max=" + std::to_string(maxLength));
        return lastResponse_[std::this_thread::get_id()];
    }
    std::string LastErrorText() override {
        std::lock_guard lock(mutex_);
        return lastError_[std::this_thread::get_id()];
    }
    bool LastErrorTimedOutOrBrokeOff() override {
        std::lock_guard lock(mutex_);
        return lastTimedOutOrBrokeOff_[std::this_thread::get_id()];
    }

private:
    static std::string Text(const std::optional<std::string>& text) { return text ? "'" + *text + "'" : "none"; }
    const Script& ScriptOf(int transfer) const {
        return scripts[std::min<std::size_t>(static_cast<std::size_t>(transfer), scripts.size() - 1)];
    }
    void Record(const std::string& line) { log_.push_back(line); }
    platform::HttpHandle NewHandle(int transfer, const std::string& kind) {
        const platform::HttpHandle handle = ++lastHandle_;
        kinds_[handle] = kind;
        transfers_of_[handle] = transfer;
        names_[handle] = kind + std::to_string(transfer + 1);
        return handle;
    }
    platform::HttpHandle Fail(const std::string& error, const std::string& response) {
        SetLastError(error, false);
        lastResponse_[std::this_thread::get_id()] = response;
        return 0;
    }
    // Always false, for the failing call to return.
    bool SetLastError(const std::string& error, bool timedOutOrBrokeOff) {
        lastError_[std::this_thread::get_id()] = error;
        lastTimedOutOrBrokeOff_[std::this_thread::get_id()] = timedOutOrBrokeOff;
        return false;
    }
    // A call to a server that sends nothing more waits out the request's
    // time-out and fails with it. Without a time-out it would wait for ever;
    // here it gives up after a while, as if the server had closed the
    // connection, so that a test of such a transfer fails instead of hanging.
    bool WaitForSilentServer(platform::HttpHandle request) {
        std::uint32_t timeout;
        {
            std::lock_guard lock(mutex_);
            timeout = timeouts_[request];
        }
        const bool timesOut = timeout != 0;
        std::this_thread::sleep_for(timesOut ? std::chrono::milliseconds(timeout) : std::chrono::seconds(3));
        std::lock_guard lock(mutex_);
        return SetLastError(timesOut ? "The operation timed out" : "The connection was closed after a long silence",
                            timesOut);
    }
    std::string Name(platform::HttpHandle handle) {
        const auto found = names_.find(handle);
        return found == names_.end() ? "unknown" : found->second;
    }

    mutable std::mutex mutex_;
    std::atomic<std::int64_t> clockMs_{1'000'000};
    std::vector<std::string> log_;
    int transfers_ = 0;
    platform::HttpHandle lastHandle_ = 0;
    std::map<platform::HttpHandle, std::string> kinds_;
    std::map<platform::HttpHandle, int> transfers_of_;
    std::map<platform::HttpHandle, std::string> names_;
    std::map<int, std::size_t> reads_;
    std::map<std::thread::id, std::string> lastError_;
    std::map<std::thread::id, std::string> lastResponse_;
    std::map<std::thread::id, bool> lastTimedOutOrBrokeOff_;
    std::map<platform::HttpHandle, std::uint32_t> timeouts_;
};

// The test's user-interface thread: runs what it is handed, one thing at a
// time, while the sender waits, and what is queued for it, in turn. Queued
// work can be held back to see what comes of it arriving late.
class TestUiThread : public platform::UiThreadDispatcher {
public:
    TestUiThread() : thread_([this] { Loop(); }) {}
    ~TestUiThread() override {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    bool RunOnUiThread(const std::function<void()>& action) override {
        if (std::this_thread::get_id() == thread_.get_id()) {
            action();
            return true;
        }
        auto job = std::make_shared<Job>();
        job->action = &action;
        std::unique_lock lock(mutex_);
        if (stopping_) return false;
        jobs_.push_back(job);
        wake_.notify_all();
        done_.wait(lock, [&] { return job->done; });
        return true;
    }
    bool PostToUiThread(std::function<void()> action) override {
        auto job = std::make_shared<Job>();
        job->queued = std::move(action);
        job->action = &job->queued;
        std::lock_guard lock(mutex_);
        if (stopping_) return false;
        ++queuedEver_;
        (holdQueued_ ? held_ : jobs_).push_back(job);
        wake_.notify_all();
        return true;
    }
    // Queued work waits until ReleaseQueued, while the work of waiting
    // senders still runs.
    void HoldQueued() {
        std::lock_guard lock(mutex_);
        holdQueued_ = true;
    }
    // Hands what was held back to the thread (after everything handed over
    // so far) and queues what comes later at once again.
    void ReleaseQueued() {
        std::lock_guard lock(mutex_);
        holdQueued_ = false;
        jobs_.insert(jobs_.end(), held_.begin(), held_.end());
        held_.clear();
        wake_.notify_all();
    }
    int HeldCount() {
        std::lock_guard lock(mutex_);
        return static_cast<int>(held_.size());
    }
    int QueuedEver() {
        std::lock_guard lock(mutex_);
        return queuedEver_;
    }
    // The test's own calls into the grabber.
    template <class Function>
    auto Invoke(Function function) {
        using Result = decltype(function());
        if constexpr (std::is_void_v<Result>) {
            std::exception_ptr failure;
            RunOnUiThread([&] {
                try {
                    function();
                } catch (...) {
                    failure = std::current_exception();
                }
            });
            if (failure) std::rethrow_exception(failure);
        } else {
            Result result{};
            std::exception_ptr failure;
            RunOnUiThread([&] {
                try {
                    result = function();
                } catch (...) {
                    failure = std::current_exception();
                }
            });
            if (failure) std::rethrow_exception(failure);
            return result;
        }
    }
    bool OnThisThread() const { return std::this_thread::get_id() == thread_.get_id(); }

private:
    struct Job {
        std::function<void()> queued;  // the job's own, when nobody waits for it
        const std::function<void()>* action = nullptr;
        bool done = false;
    };
    void Loop() {
        std::unique_lock lock(mutex_);
        while (true) {
            wake_.wait(lock, [&] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) return;
            const std::shared_ptr<Job> job = jobs_.front();
            jobs_.pop_front();
            lock.unlock();
            (*job->action)();
            lock.lock();
            job->done = true;
            done_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::deque<std::shared_ptr<Job>> jobs_;
    std::deque<std::shared_ptr<Job>> held_;
    bool holdQueued_ = false;
    int queuedEver_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};

using fakes::MemoryFileSystem;

// Every event of a grabber as one line, with a note of any that ran off the
// user-interface thread.
class EventRecorder {
public:
    std::vector<std::string> lines;
    int offUiThread = 0;
    int connectionClosed = 0;

    void Attach(THttpUrlGrabber& grabber, TestUiThread& ui) {
        auto note = [this, &ui](const std::string& line) {
            if (!ui.OnThisThread()) ++offUiThread;
            lines.push_back(line);
        };
        grabber.OnProgress = [note](component::TComponent*, std::int64_t position, std::int64_t total,
                                    const std::string& url, bool&) {
            note("Progress " + std::to_string(position) + "/" + std::to_string(total) + " " + url);
        };
        grabber.OnDoneFile = [note](component::TComponent*, const std::string& name, std::int32_t size,
                                    const std::string& url) {
            note("DoneFile " + name + " " + std::to_string(size) + " " + url);
        };
        grabber.OnDoneStream = [note](component::TComponent*, TMemoryStream& stream, std::int32_t size,
                                      const std::string& url) {
            note("DoneStream " + stream.Bytes() + " " + std::to_string(size) + " at " +
                 std::to_string(stream.Position()) + " " + url);
        };
        grabber.OnError = [note, &grabber](component::TComponent*, const std::string& message) {
            note("Error " + message + (grabber.State() == stIdle ? " (idle)" : " (busy)"));
        };
        auto named = [note](const std::string& name) { return [note, name](component::TComponent*) { note(name); }; };
        grabber.OnStatusChange = named("StatusChange");
        grabber.OnResolvingName = named("ResolvingName");
        grabber.OnNameResolved = named("NameResolved");
        grabber.OnConnectingToServer = named("ConnectingToServer");
        grabber.OnConnectedToServer = named("ConnectedToServer");
        grabber.OnSendingRequest = named("SendingRequest");
        grabber.OnRequestSent = named("RequestSent");
        grabber.OnReceivingResponse = named("ReceivingResponse");
        grabber.OnResponseReceived = named("ResponseReceived");
        grabber.OnClosingConnection = named("ClosingConnection");
        grabber.OnRequestComplete = named("RequestComplete");
        grabber.OnRedirect = named("Redirect");
        grabber.OnConnectionClosed = [this, note](component::TComponent*) {
            ++connectionClosed;
            note("ConnectionClosed");
        };
    }
};

// Polls `condition` on the user-interface thread until it holds.
template <class Condition>
bool WaitUntil(TestUiThread& ui, Condition condition, std::chrono::seconds timeout = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (ui.Invoke([&] { return static_cast<bool>(condition()); })) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

}  // namespace velora::net::testing
