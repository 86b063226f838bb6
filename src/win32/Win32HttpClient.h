#pragma once
// The download engine's HTTP calls through the Windows Internet client
// library (WinInet), in its synchronous mode.

#include "platform/HttpClient.h"

namespace velora::win32 {

class Win32HttpClient : public platform::HttpClient {
public:
    platform::HttpHandle OpenInternet(const std::string& agent, platform::InternetOpenType openType,
                            const std::optional<std::string>& proxyList,
                            const std::optional<std::string>& proxyBypass) override;
    void SetStatusCallback(platform::HttpHandle internet) override;
    bool SetOption(platform::HttpHandle handle, platform::InternetOption option, const char* value,
                   std::uint32_t length) override;
    platform::HttpHandle Connect(platform::HttpHandle internet, const std::string& host, std::uint16_t port,
                       const std::optional<std::string>& userName, const std::optional<std::string>& password,
                       platform::HttpStatusListener* context) override;
    platform::HttpHandle OpenRequest(platform::HttpHandle connection, const std::string& verb,
                                     const std::string& objectName, const std::string& version,
                                     const std::string& referer, std::uint32_t flags,
                                     std::uintptr_t context) override;
    // Sets the connect, send and receive time-outs on the request itself, so
    // that they hold whatever its parents were given.
    bool SetTimeouts(platform::HttpHandle request, std::uint32_t milliseconds) override;
    bool SendRequest(platform::HttpHandle request) override;
    std::optional<std::uint32_t> QueryStatusCode(platform::HttpHandle request) override;
    std::optional<std::string> QueryContentLength(platform::HttpHandle request, std::uint32_t bufferSize) override;
    bool Read(platform::HttpHandle request, char* buffer, std::uint32_t size, std::uint32_t& bytesRead) override;
    bool Close(platform::HttpHandle handle) override;
    std::string LastResponseInfo(std::uint32_t maxLength) override;
    // WinInet's own error codes take their text from the library itself.
    std::string LastErrorText() override;
    // Not every WinInet reports a reply that never came within the time-out
    // as a time-out: some report an aborted connection.
    bool LastErrorTimedOutOrBrokeOff() override;
};

}  // namespace velora::win32
