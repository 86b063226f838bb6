#include "net/CustomUrlGrabberThread.h"

#include <algorithm>
#include <system_error>
#include <thread>

#include "net/CustomUrlGrabber.h"
#include "net/GrabberLink.h"
#include "platform/FileSystem.h"
#include "platform/UiThreadDispatcher.h"

namespace velora::net {

TCustomUrlGrabberThread::TCustomUrlGrabberThread(TCustomUrlGrabber& grabber)
    : link_(grabber.link_),
      id_(grabber.link_->RegisterWorker()),
      dispatcher_(grabber.services_.dispatcher),
      pacing_(grabber.services_.clock) {
    settings_.url = grabber.Url();
    settings_.parts = grabber.ParseUrl(settings_.url, grabber.ProtocolMarkerFor(settings_.url));
    settings_.userName = grabber.UserName();
    settings_.password = grabber.Password();
    settings_.port = grabber.Port();
    settings_.agent = grabber.Agent();
    settings_.outputMode = grabber.OutputMode();
}

TCustomUrlGrabberThread::~TCustomUrlGrabberThread() = default;

void TCustomUrlGrabberThread::Resume() {
    try {
        std::thread([self = shared_from_this()] { self->Run(); }).detach();
    } catch (const std::system_error&) {
        link_->SetState(id_, stIdle);
        throw;
    }
}

void TCustomUrlGrabberThread::Run() {
    try {
        Execute();
    } catch (...) {
        // Nothing reports a failure of the run itself.
    }
}

void TCustomUrlGrabberThread::SetState(GrabberStatus status) { link_->SetState(id_, status); }

void TCustomUrlGrabberThread::Synchronize(const std::function<void(TCustomUrlGrabber&)>& action) {
    std::exception_ptr failure;
    dispatcher_->RunOnUiThread([&] {
        try {
            if (TCustomUrlGrabber* grabber = link_->Grabber()) action(*grabber);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    if (failure) std::rethrow_exception(failure);
}

void TCustomUrlGrabberThread::FireProgress(TCustomUrlGrabber& grabber) {
    const std::int64_t received = bytesReceived_.load();
    pacing_.Delivered(received);
    const TUrlGrabberProgressEvent handler = grabber.OnProgress;
    if (!handler) return;
    const auto position = static_cast<std::int32_t>(static_cast<std::uint32_t>(received));
    bool continueTransfer = continueFlag_.load();
    handler(&grabber, position, contentSize_.load(), grabber.Url(), continueTransfer);
    continueFlag_.store(continueTransfer);
}

void TCustomUrlGrabberThread::DeliverProgress() {
    Synchronize([this](TCustomUrlGrabber& grabber) { FireProgress(grabber); });
}

void TCustomUrlGrabberThread::ReportBlockProgress() {
    switch (pacing_.AfterBlock()) {
        case ProgressPacing::Handing::Wait:
            DeliverProgress();
            break;
        case ProgressPacing::Handing::Queue: {
            // A worker that is gone when its progress comes to run has
            // nothing left to report.
            const bool queued = dispatcher_->PostToUiThread([worker = weak_from_this()] {
                if (const std::shared_ptr<TCustomUrlGrabberThread> self = worker.lock()) self->RunQueuedProgress();
            });
            if (!queued) pacing_.QueueRefused();
            break;
        }
        case ProgressPacing::Handing::Skip:
            break;
    }
}

void TCustomUrlGrabberThread::RunQueuedProgress() {
    if (!pacing_.TakeQueued() || !continueFlag_.load()) return;
    TCustomUrlGrabber* grabber = link_->Grabber();
    if (!grabber) return;
    try {
        FireProgress(*grabber);
    } catch (...) {
        KeepPendingFailure(std::current_exception());
    }
}

void TCustomUrlGrabberThread::DeliverLastProgress() {
    Synchronize([this](TCustomUrlGrabber& grabber) {
        pacing_.Close();
        if (!continueFlag_.load() || bytesReceived_.load() <= pacing_.LastDelivered()) return;
        FireProgress(grabber);
    });
}

void TCustomUrlGrabberThread::DeliverError() {
    Synchronize([this](TCustomUrlGrabber& grabber) {
        link_->SetState(id_, stIdle);
        const TErrorEvent handler = grabber.OnError;
        if (handler) handler(&grabber, errorText_);
    });
}

void TCustomUrlGrabberThread::DeliverCompletion() {
    Synchronize([this](TCustomUrlGrabber& grabber) {
        const auto size = static_cast<std::int32_t>(static_cast<std::uint32_t>(bytesReceived_.load()));
        if (settings_.outputMode == omStream) {
            reply_->SetPosition(0);
            const TDoneStreamEvent handler = grabber.OnDoneStream;
            if (handler) handler(&grabber, *reply_, size, grabber.Url());
            return;
        }
        if (fileFailure_) std::rethrow_exception(fileFailure_);
        const TFileName fileName = grabber.FileName();
        file_->Commit(fileName);
        file_.reset();
        const TDoneFileEvent handler = grabber.OnDoneFile;
        if (handler) handler(&grabber, fileName, size, grabber.Url());
    });
}

void TCustomUrlGrabberThread::BeginReply() {
    if (settings_.outputMode == omStream) {
        reply_ = std::make_unique<TMemoryStream>();
        reply_->Reserve(std::min(contentSize_.load(), kMaxPreallocation));
        return;
    }
    try {
        Synchronize([this](TCustomUrlGrabber& grabber) {
            const TFileName fileName = grabber.FileName();
            if (!grabber.services_.files) throw platform::FileSystemError("No file system to write " + fileName);
            file_ = grabber.services_.files->BeginReplacement(fileName);
        });
    } catch (...) {
        fileFailure_ = std::current_exception();
    }
}

void TCustomUrlGrabberThread::StoreBlock(const char* data, std::size_t size) {
    if (reply_) return reply_->Write(data, static_cast<std::int64_t>(size));
    if (!file_) return;  // the file failed, or the grabber is gone
    try {
        file_->Append(data, size);
    } catch (...) {
        fileFailure_ = std::current_exception();
        file_.reset();
    }
}

void TCustomUrlGrabberThread::DropReply() {
    reply_.reset();
    file_.reset();
    fileFailure_ = nullptr;
}

void TCustomUrlGrabberThread::DeliverConnectionClosed() {
    Synchronize([this](TCustomUrlGrabber& grabber) {
        // Also where the reading ended by an exception: no progress follows.
        pacing_.Close();
        const component::TNotifyEvent handler = grabber.OnConnectionClosed;
        if (handler) handler(&grabber);
    });
}

void TCustomUrlGrabberThread::StatusNotified(std::uint32_t status) {
    {
        std::lock_guard lock(failureMutex_);
        if (pendingFailure_) return;  // the transfer is ending already
    }
    internetStatus_.store(status);
    try {
        DeliverProgress();
        Synchronize([status](TCustomUrlGrabber& grabber) { grabber.NotifyStatus(status); });
    } catch (...) {
        KeepPendingFailure(std::current_exception());
    }
}

void TCustomUrlGrabberThread::KeepPendingFailure(std::exception_ptr failure) {
    std::lock_guard lock(failureMutex_);
    if (!pendingFailure_) pendingFailure_ = std::move(failure);
}

void TCustomUrlGrabberThread::ThrowPendingFailure() {
    std::exception_ptr failure;
    {
        std::lock_guard lock(failureMutex_);
        failure = pendingFailure_;
    }
    if (failure) std::rethrow_exception(failure);
}

void TCustomUrlGrabberThread::DiscardPendingFailure() {
    std::lock_guard lock(failureMutex_);
    pendingFailure_ = nullptr;
}

}  // namespace velora::net
