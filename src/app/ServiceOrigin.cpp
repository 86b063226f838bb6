#include "app/ServiceOrigin.h"

#include "app/ServiceEndpoints.h"
#include "text/Numbers.h"
#include "text/Text.h"

namespace velora::app {

namespace {

constexpr unsigned kLastPort = 65535;

std::optional<unsigned> DefaultPort(std::string_view scheme) {
    if (scheme == "http") return 80;
    if (scheme == "https") return 443;
    return std::nullopt;
}

}  // namespace

std::optional<UrlOrigin> OriginOf(std::string_view url) {
    const size_t colon = url.find("://");
    if (colon == std::string_view::npos) return std::nullopt;
    UrlOrigin origin;
    origin.scheme = text::AnsiLowerCase(url.substr(0, colon));
    const auto defaultPort = DefaultPort(origin.scheme);
    if (!defaultPort) return std::nullopt;
    // The authority ends where the path, the query or the fragment begins;
    // browsers read a backslash as a slash there too.
    std::string_view authority = url.substr(colon + 3);
    authority = authority.substr(0, authority.find_first_of("/?#\\"));
    const size_t at = authority.rfind('@');
    if (at != std::string_view::npos) authority.remove_prefix(at + 1);
    std::string_view host = authority;
    std::string_view port;
    if (text::StartsWith(authority, "[")) {
        // An IPv6 address, brackets kept as the address spells them.
        const size_t close = authority.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        host = authority.substr(0, close + 1);
        const std::string_view rest = authority.substr(close + 1);
        if (!rest.empty() && rest.front() != ':') return std::nullopt;
        if (!rest.empty()) port = rest.substr(1);
    } else if (const size_t portColon = authority.find(':'); portColon != std::string_view::npos) {
        host = authority.substr(0, portColon);
        port = authority.substr(portColon + 1);
    }
    if (host.empty()) return std::nullopt;
    origin.host = text::AnsiLowerCase(host);
    if (port.empty()) {
        origin.port = *defaultPort;
    } else {
        const auto number = text::ParseDigits(port, 10, kLastPort);
        if (!number || *number == 0) return std::nullopt;
        origin.port = static_cast<unsigned>(*number);
    }
    return origin;
}

bool SameOrigin(std::string_view a, std::string_view b) {
    const auto first = OriginOf(a);
    const auto second = OriginOf(b);
    return first && second && *first == *second;
}

bool OnService(std::string_view url) { return SameOrigin(url, ServiceBaseUrl); }

bool LeavesService(std::string_view url) { return OriginOf(url) && !OnService(url); }

}  // namespace velora::app
