#pragma once
// The download engine's Internet client on libcurl. The handles follow the
// Windows model the engine is written against: an Internet handle holds the
// agent and the proxy choice, a connection the host, port and credentials, a
// request one transfer. Sending runs the transfer until the reply's headers
// are in; each Read then takes the body as it arrives. HTTPS is verified
// against the system's certificates; "the system's settings" for the proxy
// are the environment's http_proxy, https_proxy and no_proxy.

#include <string>

#include "platform/HttpClient.h"

namespace velora::curl {

class CurlHttpClient : public platform::HttpClient {
public:
    // libcurl is loaded and initialised with the first request
    // (CurlLibrary.h).
    CurlHttpClient();
    ~CurlHttpClient() override;

    platform::HttpHandle OpenInternet(const std::string& agent, platform::InternetOpenType openType,
                                      const std::optional<std::string>& proxyList,
                                      const std::optional<std::string>& proxyBypass) override;
    void SetStatusCallback(platform::HttpHandle internet) override;
    bool SetOption(platform::HttpHandle handle, platform::InternetOption option, const char* value,
                   std::uint32_t length) override;
    platform::HttpHandle Connect(platform::HttpHandle internet, const std::string& host, std::uint16_t port,
                                 const std::optional<std::string>& userName,
                                 const std::optional<std::string>& password,
                                 platform::HttpStatusListener* context) override;
    platform::HttpHandle OpenRequest(platform::HttpHandle connection, const std::string& verb,
                                     const std::string& objectName, const std::string& version,
                                     const std::string& referer, std::uint32_t flags,
                                     std::uintptr_t context) override;
    bool SetTimeouts(platform::HttpHandle request, std::uint32_t milliseconds) override;
    bool SendRequest(platform::HttpHandle request) override;
    std::optional<std::uint32_t> QueryStatusCode(platform::HttpHandle request) override;
    std::optional<std::string> QueryContentLength(platform::HttpHandle request, std::uint32_t bufferSize) override;
    bool Read(platform::HttpHandle request, char* buffer, std::uint32_t size, std::uint32_t& bytesRead) override;
    bool Close(platform::HttpHandle handle) override;

    std::string LastResponseInfo(std::uint32_t maxLength) override;
    std::string LastErrorText() override;
    bool LastErrorTimedOutOrBrokeOff() override;
};

}  // namespace velora::curl
