#pragma once
// Whether an address lies on the service: the same scheme, host and port as
// the address the program was built for. Pages of the service stay in the
// program's window and may notify; everything else goes to the system's
// browser or is refused.

#include <optional>
#include <string>
#include <string_view>

namespace velora::app {

// An http or https address's origin: scheme and host in lower case, the
// port spelled out (80 or 443 when the address names none).
struct UrlOrigin {
    std::string scheme;
    std::string host;
    unsigned port = 0;

    bool operator==(const UrlOrigin&) const = default;
};

// Nothing for another scheme, an empty host or a port that is no number
// from 1 to 65535. A "user:password@" before the host is skipped: the host
// is what follows it.
std::optional<UrlOrigin> OriginOf(std::string_view url);

// Both http or https addresses with the same origin.
bool SameOrigin(std::string_view a, std::string_view b);

// An address of the service itself (ServiceBaseUrl's origin).
bool OnService(std::string_view url);

// An http or https address of another origin than the service's: a link
// that leaves it. Other schemes (about:, data:, ...) stay with the browser.
bool LeavesService(std::string_view url);

}  // namespace velora::app
