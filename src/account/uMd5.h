#pragma once
// MD5 message digest (RFC 1321). The login parameter of every service address
// is the digest of the stored mobile number followed by the password, so the
// password itself never travels in a URL.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace velora::account {

using Md5Digest = std::array<std::uint8_t, 16>;

// The digest state while bytes are fed in.
struct Md5Context {
    std::array<std::uint32_t, 4> state;   // chaining values A, B, C, D
    std::array<std::uint32_t, 2> count;   // bits fed so far, low word first
    std::array<std::uint8_t, 64> buffer;  // bytes of the block not yet complete
};

void Md5Init(Md5Context& context);
void Md5Update(Md5Context& context, const void* bytes, std::size_t length);
// Returns the digest and then overwrites the whole context with zeros.
Md5Digest Md5Final(Md5Context& context);

// Digest of the text's bytes as they are (ANSI, one byte per character),
// without a terminator.
Md5Digest Md5OfText(const std::string& text);

// 32 lower-case hexadecimal digits, high four bits of each byte first.
std::string Md5ToHex(const Md5Digest& digest);

}  // namespace velora::account
