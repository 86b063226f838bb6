#pragma once
// The base of the grabbers' workers: one thread that runs one transfer. It
// takes the grabber's settings when it is created, on the user-interface
// thread, and afterwards reaches the grabber only through events handed to
// that thread, so that it never touches a grabber that is gone. The thread
// keeps its worker alive until its run ends; then the worker releases itself
// unless the grabber still refers to it.

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "net/MemoryStream.h"
#include "net/ProgressPacing.h"
#include "net/UrlGrabberTypes.h"
#include "net/UrlParts.h"
#include "platform/FileReplacement.h"
#include "platform/HttpClient.h"

namespace velora::platform {
class UiThreadDispatcher;
}

namespace velora::net {

class GrabberLink;
class TCustomUrlGrabber;

class TCustomUrlGrabberThread : public platform::HttpStatusListener,
                                public std::enable_shared_from_this<TCustomUrlGrabberThread> {
public:
    // What an announced length may set aside in memory for a reply kept
    // there; a longer reply grows its stream as it comes.
    static constexpr std::int64_t kMaxPreallocation = 64 * 1024 * 1024;

    ~TCustomUrlGrabberThread() override;

    // Starts the thread. A thread that cannot be started leaves the grabber idle.
    void Resume();
    // Asks the run to end at its next check.
    void Terminate() { terminated_.store(true); }
    bool Terminated() const { return terminated_.load(); }

    std::int64_t ContentSize() const { return contentSize_.load(); }
    std::int64_t BytesReceived() const { return bytesReceived_.load(); }
    std::uint32_t InternetStatus() const { return internetStatus_.load(); }

    // The platform's status callback, on this worker's thread: progress, then
    // the grabber's NotifyStatus, both on the user-interface thread.
    void StatusNotified(std::uint32_t status) override;

protected:
    // On the user-interface thread, from the grabber's Start.
    explicit TCustomUrlGrabberThread(TCustomUrlGrabber& grabber);

    // The grabber's settings as they were when the worker was created.
    struct Settings {
        std::string url;
        UrlParts parts;  // url parsed with the grabber's ParseUrl and marker
        std::string userName;
        std::string password;
        std::uint32_t port = 0;
        std::string agent;
        TOutputMode outputMode = omFile;  // at the start; completion looks again
    };
    const Settings& Grabbed() const { return settings_; }

    // One transfer; exceptions leaving it are absorbed.
    virtual void Execute() = 0;

    void SetState(GrabberStatus status);
    // Each delivery runs on the user-interface thread while this thread
    // waits; an exception of a handler comes back here and is thrown again.
    // Position = low 32 bits of BytesReceived, TotalSize = ContentSize;
    // the handler's Continue answer lands in continueFlag_.
    void DeliverProgress();
    // The progress of a block of the reply just stored, paced (see
    // ProgressPacing): delivered, queued or left to a later one. A queued
    // progress whose handler throws ends the transfer at the next
    // ThrowPendingFailure.
    void ReportBlockProgress();
    // Once the reply has been read or the reading ended: the last progress,
    // unless the handler saw this position already or answered Continue =
    // False; no queued progress is delivered after it.
    void DeliverLastProgress();
    // State := stIdle, then OnError with errorText_.
    void DeliverError();
    // Puts the file written in the place of the grabber's FileName (the name
    // current now) and fires OnDoneFile, or hands the stream to OnDoneStream,
    // by the output mode the transfer started with.
    void DeliverCompletion();
    void DeliverConnectionClosed();

    // Status callbacks run inside platform calls, which an exception must not
    // cross: a handler's exception is kept and thrown once the call returned.
    // So is the exception of a queued progress's handler.
    void ThrowPendingFailure();
    void DiscardPendingFailure();

    // Where the reply goes as it comes, by the output mode the transfer
    // started with: into a stream in memory (with room set aside for an
    // announced length of up to kMaxPreallocation), or for a file into a
    // replacement of the grabber's FileName, written as the blocks come, so
    // that a large reply never sits in memory. A file that cannot be written
    // is reported nowhere: the transfer reads on and completes without an
    // event. Before the first block, after ContentSize is known.
    void BeginReply();
    void StoreBlock(const char* data, std::size_t size);
    // Drops what was received: a replacement never committed leaves no file.
    void DropReply();

    std::string errorText_;
    std::atomic<bool> continueFlag_{true};
    std::atomic<std::int64_t> contentSize_{0};
    std::atomic<std::int64_t> bytesReceived_{0};

private:
    void Run();
    void Synchronize(const std::function<void(TCustomUrlGrabber&)>& action);
    // On the user-interface thread: fires OnProgress.
    void FireProgress(TCustomUrlGrabber& grabber);
    void RunQueuedProgress();
    void KeepPendingFailure(std::exception_ptr failure);

    Settings settings_;
    std::shared_ptr<GrabberLink> link_;
    std::uint64_t id_;
    std::shared_ptr<platform::UiThreadDispatcher> dispatcher_;
    std::atomic<bool> terminated_{false};
    std::atomic<std::uint32_t> internetStatus_{0};
    ProgressPacing pacing_;
    std::mutex failureMutex_;
    std::exception_ptr pendingFailure_;
    // The reply, during a transfer only.
    std::unique_ptr<TMemoryStream> reply_;
    std::unique_ptr<platform::FileReplacement> file_;
    std::exception_ptr fileFailure_;
};

}  // namespace velora::net
