#pragma once
// The HTTP grabber's worker: one GET request through the platform's HTTP
// client, the reply read in blocks of 64 KiB, and the handles closed again.

#include <cstdint>
#include <memory>
#include <string>

#include "net/CustomUrlGrabberThread.h"
#include "platform/HttpClient.h"

namespace velora::net {

class THttpUrlGrabber;

class THttpUrlGrabberThread : public TCustomUrlGrabberThread {
public:
    static constexpr std::uint32_t kReadBlockSize = 64 * 1024;
    static constexpr std::uint32_t kHeaderBufferSize = 1024;
    static constexpr std::uint32_t kResponseInfoSize = 1024;
    static constexpr std::uint32_t kRequestFlags =
        platform::kRequestFlagReload | platform::kRequestFlagPragmaNoCache;  // 0x80000100
    // A reply saved to a file is not kept in the platform's cache as well.
    static constexpr std::uint32_t kFileRequestFlags = kRequestFlags | platform::kRequestFlagNoCacheWrite;

    // On the user-interface thread: takes the grabber's settings.
    explicit THttpUrlGrabberThread(THttpUrlGrabber& grabber);

protected:
    void Execute() override;

private:
    struct Handles {
        platform::HttpHandle internet = 0;
        platform::HttpHandle connection = 0;
        platform::HttpHandle request = 0;
    };

    // Steps up to completion; returning early goes straight to the closing steps.
    void Transfer(Handles& handles);
    // Reads and stores the reply; false when a read failed while the request
    // had been sent, with the failure's text in `failure`.
    bool ReceiveReply(platform::HttpHandle request, bool requestSent, std::string& failure);
    void CloseHandles(const Handles& handles);
    void CloseHandle(platform::HttpHandle handle);
    void ReportFailure(std::string text);

    std::shared_ptr<platform::HttpClient> http_;
    TProxyMode proxyMode_;
    std::string proxyAddresses_;
    std::string proxyIgnoreList_;
    std::string proxyUserName_;
    std::string proxyPassword_;
    std::string referer_;
    std::uint32_t timeout_;
};

}  // namespace velora::net
