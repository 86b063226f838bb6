// Feeds arbitrary text to the URL splitter the download engine uses: any
// input must come apart into pieces of itself, with a host that carries no
// credentials, port or path, and the address the engine stores from them
// (marker, host, "/", path) must split again into exactly that host and path.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/UrlParts.h"

namespace {

using velora::net::ParseUrlParts;
using velora::net::UrlParts;

void Check(bool holds) {
    if (!holds) __builtin_trap();
}

bool Holds(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks the marker, the rest is the address.
    static constexpr std::string_view kMarkers[] = {"http://", "https://", "HTTP://", ""};
    std::string_view marker = kMarkers[0];
    if (size > 0) {
        marker = kMarkers[data[0] % std::size(kMarkers)];
        ++data;
        --size;
    }
    const std::string_view url(reinterpret_cast<const char*>(data), size);
    const UrlParts parts = ParseUrlParts(url, marker);

    Check(!Holds(parts.host, '@') && !Holds(parts.host, '/') && !Holds(parts.host, ':'));
    Check(!Holds(parts.userName, '/') && !Holds(parts.userName, ':'));
    Check(!Holds(parts.password, '/'));
    // Every piece is cut from the input, none twice.
    Check(parts.host.size() + parts.userName.size() + parts.password.size() + parts.path.size() <= url.size());
    Check(url.ends_with(parts.path));
    Check(parts.port == 0 || Holds(url, ':'));

    // What the Url setter keeps holds no credentials or port any more.
    const std::string stored = std::string(marker) + parts.host + "/" + parts.path;
    const UrlParts again = ParseUrlParts(stored, marker);
    Check(again.host == parts.host && again.path == parts.path);
    Check(again.userName.empty() && again.password.empty() && again.port == 0);
    return 0;
}
