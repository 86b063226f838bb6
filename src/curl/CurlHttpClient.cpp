#include "curl/CurlHttpClient.h"

#include "curl/CurlLibrary.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>

namespace velora::curl {

namespace {

using Clock = std::chrono::steady_clock;

enum class Kind { Internet, Connection, Request };

struct Handle {
    explicit Handle(Kind k) : kind(k) {}
    virtual ~Handle() = default;
    Kind kind;
};

struct InternetHandle : Handle {
    InternetHandle() : Handle(Kind::Internet) {}
    std::string agent;
    platform::InternetOpenType openType = platform::InternetOpenType::Preconfig;
    std::string proxy;
    std::string bypass;
    std::string proxyUser;
    std::string proxyPassword;
    bool statusCallback = false;
};

struct ConnectionHandle : Handle {
    ConnectionHandle() : Handle(Kind::Connection) {}
    InternetHandle* internet = nullptr;
    std::string host;
    std::uint16_t port = 0;
    std::optional<std::string> userName;
    std::optional<std::string> password;
    platform::HttpStatusListener* listener = nullptr;
};

struct RequestHandle : Handle {
    RequestHandle() : Handle(Kind::Request) {}
    ~RequestHandle() override {
        if (multi && easy) Curl()->multi_remove_handle(multi, easy);
        if (easy) Curl()->easy_cleanup(easy);
        if (multi) Curl()->multi_cleanup(multi);
        if (headers) Curl()->slist_free_all(headers);
    }
    ConnectionHandle* connection = nullptr;
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
    curl_slist* headers = nullptr;
    std::uint32_t timeoutMs = 0;
    bool started = false;
    bool headersDone = false;
    bool finished = false;
    CURLcode result = CURLE_OK;
    std::optional<std::string> contentLength;
    std::string body;  // received and not yet read
    char errorBuffer[CURL_ERROR_SIZE] = {};
};

// The handles given out, so that a stale or foreign value is refused
// instead of followed.
std::mutex handlesMutex;
std::set<Handle*> liveHandles;

platform::HttpHandle Register(Handle* handle) {
    std::lock_guard lock(handlesMutex);
    liveHandles.insert(handle);
    return reinterpret_cast<platform::HttpHandle>(handle);
}

template <class T>
T* Find(platform::HttpHandle value, Kind kind) {
    std::lock_guard lock(handlesMutex);
    auto* handle = reinterpret_cast<Handle*>(value);
    if (!liveHandles.contains(handle) || handle->kind != kind) return nullptr;
    return static_cast<T*>(handle);
}

// The failure of this thread's last call.
struct LastError {
    CURLcode code = CURLE_OK;
    std::string text;
};
thread_local LastError lastError;

std::string TextOf(CURLcode code) {
    const CurlFunctions* curl = Curl();
    return curl ? curl->easy_strerror(code) : "libcurl (" VELORA_CURL_LIBRARY ") cannot be loaded.";
}

void Fail(CURLcode code, std::string text) {
    lastError.code = code;
    lastError.text = text.empty() ? TextOf(code) : std::move(text);
}

void Notify(RequestHandle& request, std::uint32_t status) {
    ConnectionHandle* connection = request.connection;
    if (connection && connection->listener && connection->internet && connection->internet->statusCallback)
        connection->listener->StatusNotified(status);
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

size_t HeaderArrived(char* data, size_t size, size_t count, void* user) {
    auto& request = *static_cast<RequestHandle*>(user);
    const std::string_view line(data, size * count);
    if (StartsWithNoCase(line, "HTTP/")) {
        // A new reply (after a redirect or a "100 Continue"): its own headers count.
        request.contentLength.reset();
    } else if (StartsWithNoCase(line, "Content-Length:")) {
        request.contentLength = Trimmed(line.substr(15));
    } else if (Trimmed(line).empty()) {
        long status = 0;
        Curl()->easy_getinfo(request.easy, CURLINFO_RESPONSE_CODE, &status);
        // The headers of the final reply are in; a redirect's are followed.
        if (status < 300 || status >= 400 || status == 304) request.headersDone = true;
    }
    return size * count;
}

size_t BodyArrived(char* data, size_t size, size_t count, void* user) {
    auto& request = *static_cast<RequestHandle*>(user);
    request.headersDone = true;
    request.body.append(data, size * count);
    return size * count;
}

// The "<local>" entry of a Windows bypass list names the host names without
// a dot; libcurl knows no such entry, the loopback names stand in for it.
std::string NoProxyList(const std::string& bypass) {
    std::string list;
    std::size_t start = 0;
    while (start <= bypass.size()) {
        std::size_t end = bypass.find_first_of(";, ", start);
        if (end == std::string::npos) end = bypass.size();
        std::string entry = bypass.substr(start, end - start);
        if (entry == "<local>") entry = "localhost,127.0.0.1,::1";
        if (!entry.empty()) list += (list.empty() ? "" : ",") + entry;
        start = end + 1;
    }
    return list;
}

// Drives the transfer until `ready` holds, the transfer ends, or the
// time-out passes without anything new arriving. False on the time-out.
template <class Ready>
bool Drive(RequestHandle& request, Ready ready) {
    auto deadline = Clock::now() + std::chrono::milliseconds(request.timeoutMs);
    std::size_t seen = request.body.size();
    while (!ready() && !request.finished) {
        int running = 0;
        if (Curl()->multi_perform(request.multi, &running) != CURLM_OK) {
            request.finished = true;
            request.result = CURLE_RECV_ERROR;
            break;
        }
        int queued = 0;
        while (CURLMsg* message = Curl()->multi_info_read(request.multi, &queued)) {
            if (message->msg == CURLMSG_DONE) {
                request.finished = true;
                request.result = message->data.result;
            }
        }
        if (ready() || request.finished) break;
        if (request.body.size() != seen) {
            seen = request.body.size();
            deadline = Clock::now() + std::chrono::milliseconds(request.timeoutMs);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (request.timeoutMs != 0 && left <= 0) return false;
        const int wait = request.timeoutMs == 0 ? 1000 : static_cast<int>(std::min<long long>(left, 1000));
        Curl()->multi_poll(request.multi, nullptr, 0, wait, nullptr);
    }
    return true;
}

bool TimedOutOrBrokeOff(CURLcode code) {
    switch (code) {
        case CURLE_OPERATION_TIMEDOUT:
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
        case CURLE_GOT_NOTHING:
        case CURLE_PARTIAL_FILE:
            return true;
        default:
            return false;
    }
}

}  // namespace

CurlHttpClient::CurlHttpClient() = default;

CurlHttpClient::~CurlHttpClient() {
    if (const CurlFunctions* curl = LoadedCurl()) curl->global_cleanup();
}

platform::HttpHandle CurlHttpClient::OpenInternet(const std::string& agent, platform::InternetOpenType openType,
                                                  const std::optional<std::string>& proxyList,
                                                  const std::optional<std::string>& proxyBypass) {
    auto* internet = new InternetHandle;
    internet->agent = agent;
    internet->openType = openType;
    if (openType == platform::InternetOpenType::Proxy) {
        // libcurl takes one proxy: the first of the list.
        const std::string list = proxyList.value_or("");
        const auto end = list.find_first_of(";, ");
        internet->proxy = list.substr(0, end);
        internet->bypass = NoProxyList(proxyBypass.value_or(""));
    }
    return Register(internet);
}

void CurlHttpClient::SetStatusCallback(platform::HttpHandle internet) {
    if (auto* handle = Find<InternetHandle>(internet, Kind::Internet)) handle->statusCallback = true;
}

bool CurlHttpClient::SetOption(platform::HttpHandle handle, platform::InternetOption option, const char* value,
                               std::uint32_t length) {
    auto* internet = Find<InternetHandle>(handle, Kind::Internet);
    if (!internet || !value) {
        Fail(CURLE_BAD_FUNCTION_ARGUMENT, "The handle is invalid.");
        return false;
    }
    const std::string text(value, strnlen(value, length));
    if (option == platform::InternetOption::ProxyUserName) internet->proxyUser = text;
    if (option == platform::InternetOption::ProxyPassword) internet->proxyPassword = text;
    return true;
}

platform::HttpHandle CurlHttpClient::Connect(platform::HttpHandle internet, const std::string& host,
                                             std::uint16_t port, const std::optional<std::string>& userName,
                                             const std::optional<std::string>& password,
                                             platform::HttpStatusListener* context) {
    auto* parent = Find<InternetHandle>(internet, Kind::Internet);
    if (!parent || host.empty()) {
        Fail(CURLE_URL_MALFORMAT, "The host name is missing or the handle is invalid.");
        return 0;
    }
    // Like the Windows client, connecting only notes where to go: the
    // connection is made when the request is sent.
    auto* connection = new ConnectionHandle;
    connection->internet = parent;
    connection->host = host;
    connection->port = port;
    connection->userName = userName;
    connection->password = password;
    connection->listener = context;
    return Register(connection);
}

platform::HttpHandle CurlHttpClient::OpenRequest(platform::HttpHandle connection, const std::string& verb,
                                                 const std::string& objectName, const std::string& version,
                                                 const std::string& referer, std::uint32_t flags, std::uintptr_t) {
    auto* parent = Find<ConnectionHandle>(connection, Kind::Connection);
    if (!parent) {
        Fail(CURLE_BAD_FUNCTION_ARGUMENT, "The handle is invalid.");
        return 0;
    }
    if (!Curl()) {
        Fail(CURLE_FAILED_INIT, "");
        return 0;
    }
    auto request = std::make_unique<RequestHandle>();
    request->connection = parent;
    request->easy = Curl()->easy_init();
    request->multi = Curl()->multi_init();
    if (!request->easy || !request->multi) {
        Fail(CURLE_OUT_OF_MEMORY, "");
        return 0;
    }
    const bool secure = (flags & platform::kRequestFlagSecure) != 0;
    std::string url = secure ? "https://" : "http://";
    // A numeric IPv6 address goes in brackets.
    url += parent->host.find(':') != std::string::npos ? "[" + parent->host + "]" : parent->host;
    if (parent->port != 0) url += ":" + std::to_string(parent->port);
    url += "/" + objectName;

    CURL* easy = request->easy;
    Curl()->easy_setopt(easy, CURLOPT_URL, url.c_str());
    Curl()->easy_setopt(easy, CURLOPT_CUSTOMREQUEST, verb == "GET" ? nullptr : verb.c_str());
    Curl()->easy_setopt(easy, CURLOPT_HTTP_VERSION,
                     version == "HTTP/1.0" ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
    Curl()->easy_setopt(easy, CURLOPT_USERAGENT, parent->internet->agent.c_str());
    if (!referer.empty()) Curl()->easy_setopt(easy, CURLOPT_REFERER, referer.c_str());
    if (parent->userName) Curl()->easy_setopt(easy, CURLOPT_USERNAME, parent->userName->c_str());
    if (parent->password) Curl()->easy_setopt(easy, CURLOPT_PASSWORD, parent->password->c_str());
    if (flags & platform::kRequestFlagPragmaNoCache)
        request->headers = Curl()->slist_append(request->headers, "Pragma: no-cache");
    Curl()->easy_setopt(easy, CURLOPT_HTTPHEADER, request->headers);
    // Redirects are followed, as the Windows client does; to http(s) only.
    Curl()->easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    Curl()->easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
    Curl()->easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    Curl()->easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    Curl()->easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    Curl()->easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    Curl()->easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    switch (parent->internet->openType) {
        case platform::InternetOpenType::Direct:
            Curl()->easy_setopt(easy, CURLOPT_PROXY, "");
            break;
        case platform::InternetOpenType::Proxy:
            Curl()->easy_setopt(easy, CURLOPT_PROXY, parent->internet->proxy.c_str());
            Curl()->easy_setopt(easy, CURLOPT_NOPROXY, parent->internet->bypass.c_str());
            if (!parent->internet->proxyUser.empty())
                Curl()->easy_setopt(easy, CURLOPT_PROXYUSERNAME, parent->internet->proxyUser.c_str());
            if (!parent->internet->proxyPassword.empty())
                Curl()->easy_setopt(easy, CURLOPT_PROXYPASSWORD, parent->internet->proxyPassword.c_str());
            break;
        case platform::InternetOpenType::Preconfig:
            break;  // libcurl reads the proxy variables of the environment itself
    }
    Curl()->easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HeaderArrived);
    Curl()->easy_setopt(easy, CURLOPT_HEADERDATA, request.get());
    Curl()->easy_setopt(easy, CURLOPT_WRITEFUNCTION, &BodyArrived);
    Curl()->easy_setopt(easy, CURLOPT_WRITEDATA, request.get());
    Curl()->easy_setopt(easy, CURLOPT_ERRORBUFFER, request->errorBuffer);
    return Register(request.release());
}

bool CurlHttpClient::SetTimeouts(platform::HttpHandle request, std::uint32_t milliseconds) {
    auto* handle = Find<RequestHandle>(request, Kind::Request);
    if (!handle) {
        Fail(CURLE_BAD_FUNCTION_ARGUMENT, "The handle is invalid.");
        return false;
    }
    handle->timeoutMs = milliseconds;
    Curl()->easy_setopt(handle->easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(milliseconds));
    return true;
}

bool CurlHttpClient::SendRequest(platform::HttpHandle request) {
    auto* handle = Find<RequestHandle>(request, Kind::Request);
    if (!handle || handle->started) {
        Fail(CURLE_BAD_FUNCTION_ARGUMENT, "The handle is invalid.");
        return false;
    }
    handle->started = true;
    Notify(*handle, platform::internet_status::SendingRequest);
    Curl()->multi_add_handle(handle->multi, handle->easy);
    if (!Drive(*handle, [handle] { return handle->headersDone; })) {
        Fail(CURLE_OPERATION_TIMEDOUT, "The operation timed out.");
        handle->finished = true;
        handle->result = CURLE_OPERATION_TIMEDOUT;
        return false;
    }
    if (handle->finished && handle->result != CURLE_OK && !handle->headersDone) {
        Fail(handle->result, handle->errorBuffer);
        return false;
    }
    Notify(*handle, platform::internet_status::RequestSent);
    Notify(*handle, platform::internet_status::ResponseReceived);
    return true;
}

std::optional<std::uint32_t> CurlHttpClient::QueryStatusCode(platform::HttpHandle request) {
    auto* handle = Find<RequestHandle>(request, Kind::Request);
    if (!handle || !handle->started) return std::nullopt;
    long status = 0;
    if (Curl()->easy_getinfo(handle->easy, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK || status <= 0) return std::nullopt;
    return static_cast<std::uint32_t>(status);
}

std::optional<std::string> CurlHttpClient::QueryContentLength(platform::HttpHandle request,
                                                              std::uint32_t bufferSize) {
    auto* handle = Find<RequestHandle>(request, Kind::Request);
    if (!handle || !handle->contentLength) return std::nullopt;
    // A value that does not fit the caller's buffer is not given.
    if (handle->contentLength->size() >= bufferSize) return std::nullopt;
    return handle->contentLength;
}

bool CurlHttpClient::Read(platform::HttpHandle request, char* buffer, std::uint32_t size, std::uint32_t& bytesRead) {
    bytesRead = 0;
    auto* handle = Find<RequestHandle>(request, Kind::Request);
    if (!handle || !handle->started) {
        Fail(CURLE_BAD_FUNCTION_ARGUMENT, "The handle is invalid.");
        return false;
    }
    if (handle->body.empty() && !handle->finished) {
        if (!Drive(*handle, [handle] { return !handle->body.empty(); })) {
            Fail(CURLE_OPERATION_TIMEDOUT, "The operation timed out.");
            handle->finished = true;
            handle->result = CURLE_OPERATION_TIMEDOUT;
            return false;
        }
    }
    if (handle->body.empty()) {
        // The reply has ended. One shorter than its announced length ends
        // as the Windows client ends it, with a read of 0 bytes: the engine
        // compares the count with the length itself.
        if (handle->result != CURLE_OK && handle->result != CURLE_PARTIAL_FILE) {
            Fail(handle->result, handle->errorBuffer);
            return false;
        }
        return true;
    }
    const std::size_t count = std::min<std::size_t>(size, handle->body.size());
    std::memcpy(buffer, handle->body.data(), count);
    handle->body.erase(0, count);
    bytesRead = static_cast<std::uint32_t>(count);
    return true;
}

bool CurlHttpClient::Close(platform::HttpHandle value) {
    Handle* handle = nullptr;
    {
        std::lock_guard lock(handlesMutex);
        auto* candidate = reinterpret_cast<Handle*>(value);
        if (liveHandles.erase(candidate) == 1) handle = candidate;
    }
    if (!handle) {
        Fail(CURLE_BAD_FUNCTION_ARGUMENT, "The handle is invalid.");
        return false;
    }
    if (handle->kind == Kind::Request) Notify(*static_cast<RequestHandle*>(handle),
                                              platform::internet_status::ConnectionClosed);
    delete handle;
    return true;
}

std::string CurlHttpClient::LastResponseInfo(std::uint32_t maxLength) {
    return lastError.text.substr(0, maxLength);
}

std::string CurlHttpClient::LastErrorText() {
    return lastError.text.empty() ? TextOf(lastError.code) : lastError.text;
}

bool CurlHttpClient::LastErrorTimedOutOrBrokeOff() { return TimedOutOrBrokeOff(lastError.code); }

}  // namespace velora::curl
