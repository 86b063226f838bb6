#include "win32/Win32HttpClient.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <vector>

#include "win32/SystemErrorText.h"

namespace velora::win32 {

static_assert(static_cast<DWORD>(platform::InternetOpenType::Preconfig) == INTERNET_OPEN_TYPE_PRECONFIG);
static_assert(static_cast<DWORD>(platform::InternetOpenType::Direct) == INTERNET_OPEN_TYPE_DIRECT);
static_assert(static_cast<DWORD>(platform::InternetOpenType::Proxy) == INTERNET_OPEN_TYPE_PROXY);
static_assert(static_cast<DWORD>(platform::InternetOption::ProxyUserName) == INTERNET_OPTION_PROXY_USERNAME);
static_assert(static_cast<DWORD>(platform::InternetOption::ProxyPassword) == INTERNET_OPTION_PROXY_PASSWORD);
static_assert(platform::kRequestFlagReload == INTERNET_FLAG_RELOAD);
static_assert(platform::kRequestFlagPragmaNoCache == INTERNET_FLAG_PRAGMA_NOCACHE);
static_assert(platform::kRequestFlagSecure == INTERNET_FLAG_SECURE);
static_assert(platform::kRequestFlagNoCacheWrite == INTERNET_FLAG_NO_CACHE_WRITE);
static_assert(platform::kHttpsPort == INTERNET_DEFAULT_HTTPS_PORT);
static_assert(platform::internet_status::ResolvingName == INTERNET_STATUS_RESOLVING_NAME);
static_assert(platform::internet_status::ConnectionClosed == INTERNET_STATUS_CONNECTION_CLOSED);
static_assert(platform::internet_status::RequestComplete == INTERNET_STATUS_REQUEST_COMPLETE);
static_assert(platform::internet_status::Redirect == INTERNET_STATUS_REDIRECT);
static_assert(platform::internet_status::StateChange == INTERNET_STATUS_STATE_CHANGE);

namespace {
HINTERNET Native(platform::HttpHandle handle) { return reinterpret_cast<HINTERNET>(handle); }
platform::HttpHandle Portable(HINTERNET handle) { return reinterpret_cast<platform::HttpHandle>(handle); }
const char* OptionalText(const std::optional<std::string>& text) { return text ? text->c_str() : nullptr; }

// The connection carries its listener as context value; handles with
// context 0 (the request) are not followed.
void CALLBACK StatusCallback(HINTERNET, DWORD_PTR context, DWORD status, LPVOID, DWORD) {
    if (context == 0) return;
    try {
        reinterpret_cast<platform::HttpStatusListener*>(context)->StatusNotified(status);
    } catch (...) {
        // Nothing may unwind through the library's frames.
    }
}
}  // namespace

platform::HttpHandle Win32HttpClient::OpenInternet(const std::string& agent, platform::InternetOpenType openType,
                                         const std::optional<std::string>& proxyList,
                                         const std::optional<std::string>& proxyBypass) {
    return Portable(InternetOpenA(agent.c_str(), static_cast<DWORD>(openType), OptionalText(proxyList),
                                  OptionalText(proxyBypass), 0));
}

void Win32HttpClient::SetStatusCallback(platform::HttpHandle internet) {
    InternetSetStatusCallbackA(Native(internet), &StatusCallback);
}

bool Win32HttpClient::SetOption(platform::HttpHandle handle, platform::InternetOption option, const char* value,
                                std::uint32_t length) {
    return InternetSetOptionA(Native(handle), static_cast<DWORD>(option), const_cast<char*>(value), length) != FALSE;
}

platform::HttpHandle Win32HttpClient::Connect(platform::HttpHandle internet, const std::string& host,
                                              std::uint16_t port, const std::optional<std::string>& userName,
                                              const std::optional<std::string>& password,
                                              platform::HttpStatusListener* context) {
    return Portable(InternetConnectA(Native(internet), host.c_str(), port, OptionalText(userName),
                                     OptionalText(password), INTERNET_SERVICE_HTTP, 0,
                                     reinterpret_cast<DWORD_PTR>(context)));
}

platform::HttpHandle Win32HttpClient::OpenRequest(platform::HttpHandle connection, const std::string& verb,
                                        const std::string& objectName, const std::string& version,
                                        const std::string& referer, std::uint32_t flags, std::uintptr_t context) {
    return Portable(HttpOpenRequestA(Native(connection), verb.c_str(), objectName.c_str(), version.c_str(),
                                     referer.empty() ? nullptr : referer.c_str(), nullptr, flags,
                                     static_cast<DWORD_PTR>(context)));
}

bool Win32HttpClient::SetTimeouts(platform::HttpHandle request, std::uint32_t milliseconds) {
    DWORD value = milliseconds;
    bool allSet = true;
    for (const DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        allSet = InternetSetOptionA(Native(request), option, &value, sizeof value) != FALSE && allSet;
    return allSet;
}

bool Win32HttpClient::SendRequest(platform::HttpHandle request) {
    return HttpSendRequestA(Native(request), nullptr, 0, nullptr, 0) != FALSE;
}

std::optional<std::uint32_t> Win32HttpClient::QueryStatusCode(platform::HttpHandle request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoA(Native(request), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return std::nullopt;
    return status;
}

std::optional<std::string> Win32HttpClient::QueryContentLength(platform::HttpHandle request, std::uint32_t bufferSize) {
    std::vector<char> buffer(bufferSize + 1, '\0');
    DWORD length = bufferSize;
    DWORD index = 0;
    if (!HttpQueryInfoA(Native(request), HTTP_QUERY_CONTENT_LENGTH, buffer.data(), &length, &index))
        return std::nullopt;
    return std::string(buffer.data(), std::min<DWORD>(length, bufferSize));
}

bool Win32HttpClient::Read(platform::HttpHandle request, char* buffer, std::uint32_t size, std::uint32_t& bytesRead) {
    DWORD read = 0;
    const BOOL ok = InternetReadFile(Native(request), buffer, size, &read);
    bytesRead = read;
    return ok != FALSE;
}

bool Win32HttpClient::Close(platform::HttpHandle handle) { return InternetCloseHandle(Native(handle)) != FALSE; }

std::string Win32HttpClient::LastResponseInfo(std::uint32_t maxLength) {
    std::vector<char> buffer(maxLength + 1, '\0');
    DWORD error = 0;
    DWORD length = maxLength;
    if (!InternetGetLastResponseInfoA(&error, buffer.data(), &length)) return std::string();
    return std::string(buffer.data(), std::min<DWORD>(length, maxLength));
}

std::string Win32HttpClient::LastErrorText() {
    const DWORD code = GetLastError();
    // WinInet's own codes have their texts in its module.
    const bool wininetCode = code >= INTERNET_ERROR_BASE && code <= INTERNET_ERROR_LAST;
    return win32::SystemErrorText(code, wininetCode ? GetModuleHandleW(L"wininet.dll") : nullptr);
}

bool Win32HttpClient::LastErrorTimedOutOrBrokeOff() {
    switch (GetLastError()) {
        case ERROR_INTERNET_TIMEOUT:
        case ERROR_INTERNET_CONNECTION_ABORTED:
        case ERROR_INTERNET_CONNECTION_RESET:
        case WSAETIMEDOUT:
            return true;
        default:
            return false;
    }
}

}  // namespace velora::win32
