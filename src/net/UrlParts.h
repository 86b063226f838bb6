#pragma once
// Taking a URL apart the way every URL grabber does: scheme marker, optional
// "user:password@" and ":port" around the host, and the path after the host.

#include <cstdint>
#include <string>
#include <string_view>

namespace velora::net {

struct UrlParts {
    std::string host;
    std::string path;  // without its leading "/"
    std::string userName;
    std::string password;
    std::int32_t port = 0;  // 0 when the URL names none or names no number
};

// When the marker (say "http://") occurs anywhere in the URL, compared
// without regard to case, the URL's first (length of marker) characters are
// dropped. Host and path split at the first "/"; the host part splits at its
// last "@" into user part and host, the user part at its first ":" into
// user name and password, the host at its first ":" into host and port.
UrlParts ParseUrlParts(std::string_view url, std::string_view marker);

// "https://" at the start, in any letter case.
bool IsSecureUrl(std::string_view url);

}  // namespace velora::net
