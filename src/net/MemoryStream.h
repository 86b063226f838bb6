#pragma once
// A stream of bytes kept in memory: the reply of a transfer as it arrives.

#include <cstdint>
#include <string>

namespace velora::net {

class TMemoryStream {
public:
    std::int64_t Size() const { return static_cast<std::int64_t>(bytes_.size()); }
    std::int64_t Position() const { return position_; }
    // Clamped to 0 .. Size().
    void SetPosition(std::int64_t position);

    // Copies up to `count` bytes from the position on and moves past them;
    // returns how many were copied.
    std::int64_t Read(char* buffer, std::int64_t count);
    // Sets room aside for a stream that will grow to `size` bytes.
    void Reserve(std::int64_t size);
    // Writes at the position, growing the stream as needed, and moves past the bytes.
    void Write(const char* data, std::int64_t count);

    // The whole content, independent of the position.
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
    std::int64_t position_ = 0;
};

}  // namespace velora::net
