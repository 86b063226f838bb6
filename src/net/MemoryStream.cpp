#include "net/MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace velora::net {

void TMemoryStream::SetPosition(std::int64_t position) { position_ = std::clamp<std::int64_t>(position, 0, Size()); }

std::int64_t TMemoryStream::Read(char* buffer, std::int64_t count) {
    const std::int64_t available = std::clamp<std::int64_t>(Size() - position_, 0, std::max<std::int64_t>(count, 0));
    if (available > 0) std::memcpy(buffer, bytes_.data() + position_, static_cast<std::size_t>(available));
    position_ += available;
    return available;
}

void TMemoryStream::Reserve(std::int64_t size) {
    if (size > 0) bytes_.reserve(static_cast<std::size_t>(size));
}

void TMemoryStream::Write(const char* data, std::int64_t count) {
    if (count <= 0) return;
    const auto at = static_cast<std::size_t>(position_);
    const auto length = static_cast<std::size_t>(count);
    if (at + length > bytes_.size()) bytes_.resize(at + length);
    bytes_.replace(at, length, data, length);
    position_ += count;
}

}  // namespace velora::net
