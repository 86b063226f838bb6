#include "net/UrlParts.h"

#include "text/Numbers.h"
#include "text/Text.h"

namespace velora::net {

namespace {
constexpr std::string_view kSecureMarker = "https://";

std::int32_t PortNumber(std::string_view text) { return text::ParseInt32(text).value_or(0); }
}  // namespace

UrlParts ParseUrlParts(std::string_view url, std::string_view marker) {
    UrlParts parts;
    std::string_view rest = url;
    if (!marker.empty() && text::AnsiUpperCase(url).find(text::AnsiUpperCase(marker)) != std::string::npos)
        rest.remove_prefix(std::min(marker.size(), rest.size()));

    std::string_view hostPart = rest;
    if (const auto slash = rest.find('/'); slash != std::string_view::npos) {
        hostPart = rest.substr(0, slash);
        parts.path = std::string(rest.substr(slash + 1));
    }
    // The host follows the last "@": a user name holding "@" must not be
    // able to name the server.
    if (const auto at = hostPart.rfind('@'); at != std::string_view::npos) {
        const std::string_view userPart = hostPart.substr(0, at);
        hostPart = hostPart.substr(at + 1);
        if (const auto colon = userPart.find(':'); colon != std::string_view::npos) {
            parts.userName = std::string(userPart.substr(0, colon));
            parts.password = std::string(userPart.substr(colon + 1));
        } else {
            parts.userName = std::string(userPart);
        }
    }
    if (const auto colon = hostPart.find(':'); colon != std::string_view::npos) {
        parts.port = PortNumber(hostPart.substr(colon + 1));
        hostPart = hostPart.substr(0, colon);
    }
    parts.host = std::string(hostPart);
    return parts;
}

bool IsSecureUrl(std::string_view url) {
    return url.size() >= kSecureMarker.size() && text::SameText(url.substr(0, kSecureMarker.size()), kSecureMarker);
}

}  // namespace velora::net
