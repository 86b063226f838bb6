#pragma once
// The Internet client calls the download engine makes, one method a call.
// Handles, open types, options, flags and status codes carry the values the
// Windows Internet client library uses, so that the Windows implementation
// passes them through unchanged.

#include <cstdint>
#include <optional>
#include <string>

namespace velora::platform {

// An open Internet, connection or request handle; 0 stands for none.
using HttpHandle = std::uintptr_t;

enum class InternetOpenType : std::uint32_t {
    Preconfig = 0,  // the system's Internet settings
    Direct = 1,     // no proxy
    Proxy = 3,      // through the named proxy
};

enum class InternetOption : std::uint32_t {
    ProxyUserName = 43,
    ProxyPassword = 44,
};

// Request flags.
inline constexpr std::uint32_t kRequestFlagReload = 0x80000000;         // never answer from the cache
inline constexpr std::uint32_t kRequestFlagPragmaNoCache = 0x00000100;  // ask proxies for no cached copy
inline constexpr std::uint32_t kRequestFlagSecure = 0x00800000;         // TLS, for https
inline constexpr std::uint32_t kRequestFlagNoCacheWrite = 0x04000000;   // keep no copy in the cache

inline constexpr std::uint16_t kHttpsPort = 443;

// Status codes of the notifications.
namespace internet_status {
inline constexpr std::uint32_t ResolvingName = 10;
inline constexpr std::uint32_t NameResolved = 11;
inline constexpr std::uint32_t ConnectingToServer = 20;
inline constexpr std::uint32_t ConnectedToServer = 21;
inline constexpr std::uint32_t SendingRequest = 30;
inline constexpr std::uint32_t RequestSent = 31;
inline constexpr std::uint32_t ReceivingResponse = 40;
inline constexpr std::uint32_t ResponseReceived = 41;
inline constexpr std::uint32_t ClosingConnection = 50;
inline constexpr std::uint32_t ConnectionClosed = 51;
inline constexpr std::uint32_t RequestComplete = 100;
inline constexpr std::uint32_t Redirect = 110;
inline constexpr std::uint32_t StateChange = 200;
}  // namespace internet_status

// Hears the status notifications of a connection whose context value it is.
// Called on the thread that is inside the client call; must not throw.
class HttpStatusListener {
public:
    virtual ~HttpStatusListener() = default;
    virtual void StatusNotified(std::uint32_t status) = 0;
};

// Synchronous calls; each failing call leaves its error for LastErrorText
// and LastResponseInfo on the calling thread. Safe to use from several
// threads at once, each with its own handles.
class HttpClient {
public:
    virtual ~HttpClient() = default;

    // An Internet handle for synchronous use; the proxy list and bypass list
    // are given with Proxy only. 0 on failure.
    virtual HttpHandle OpenInternet(const std::string& agent, InternetOpenType openType,
                                    const std::optional<std::string>& proxyList,
                                    const std::optional<std::string>& proxyBypass) = 0;
    // Routes the status notifications of the handle and of the handles opened
    // from it to the HttpStatusListener given as their context value.
    virtual void SetStatusCallback(HttpHandle internet) = 0;
    // A text option: `length` bytes from `value`, the terminating zero
    // included when the caller counts it.
    virtual bool SetOption(HttpHandle handle, InternetOption option, const char* value,
                           std::uint32_t length) = 0;
    // A connection to the HTTP service of the host; port 0 is the default
    // port. Absent user name and password are not sent. 0 on failure.
    virtual HttpHandle Connect(HttpHandle internet, const std::string& host, std::uint16_t port,
                               const std::optional<std::string>& userName,
                               const std::optional<std::string>& password,
                               HttpStatusListener* context) = 0;
    // A request on the connection, with no accepted types; an empty referer
    // sends none. 0 on failure.
    virtual HttpHandle OpenRequest(HttpHandle connection, const std::string& verb, const std::string& objectName,
                                   const std::string& version, const std::string& referer, std::uint32_t flags,
                                   std::uintptr_t context) = 0;
    // How long the request's calls wait for the server: to connect, to send
    // and for each receive. A call that waits longer fails with a time-out.
    virtual bool SetTimeouts(HttpHandle request, std::uint32_t milliseconds) = 0;
    // Sends the request without extra headers and without body.
    virtual bool SendRequest(HttpHandle request) = 0;
    // The status code of the reply to a sent request (200, 404, ...);
    // nothing when there is none or the query fails.
    virtual std::optional<std::uint32_t> QueryStatusCode(HttpHandle request) = 0;
    // The reply's Content-Length header as text, read into a buffer of
    // `bufferSize` bytes; nothing when the reply has none or the query fails.
    virtual std::optional<std::string> QueryContentLength(HttpHandle request, std::uint32_t bufferSize) = 0;
    // Reads up to `size` bytes of the reply body; 0 bytes read with success
    // means the reply has ended.
    virtual bool Read(HttpHandle request, char* buffer, std::uint32_t size, std::uint32_t& bytesRead) = 0;
    virtual bool Close(HttpHandle handle) = 0;

    // The text of the last server response on this thread, at most maxLength bytes.
    virtual std::string LastResponseInfo(std::uint32_t maxLength) = 0;
    // The system's message text for this thread's last error code.
    virtual std::string LastErrorText() = 0;
    // Whether this thread's last failure was a time-out (connecting, sending
    // or waiting for the reply) or a connection that broke off; a refused
    // connection or an unknown host is neither.
    virtual bool LastErrorTimedOutOrBrokeOff() = 0;
};

}  // namespace velora::platform
