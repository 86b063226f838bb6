#include "account/uMd5.h"

#include <algorithm>

namespace velora::account {

namespace {

// Per-step shift amounts, four per round.
constexpr int Shifts[4][4] = {
    {7, 12, 17, 22},
    {5, 9, 14, 20},
    {4, 11, 16, 23},
    {6, 10, 15, 21},
};

// T[i] = floor(2^32 * |sin(i + 1)|).
constexpr std::uint32_t SineTable[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

constexpr std::uint32_t RotateLeft(std::uint32_t x, int n) {
    return (x << n) | (x >> (32 - n));
}

// Words are assembled byte by byte, so the host's byte order does not matter.
std::uint32_t LoadLittleEndian(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

void StoreLittleEndian(std::uint32_t value, std::uint8_t* p) {
    p[0] = std::uint8_t(value);
    p[1] = std::uint8_t(value >> 8);
    p[2] = std::uint8_t(value >> 16);
    p[3] = std::uint8_t(value >> 24);
}

void Transform(std::array<std::uint32_t, 4>& state, const std::uint8_t* block) {
    std::uint32_t x[16];
    for (int i = 0; i < 16; ++i) x[i] = LoadLittleEndian(block + 4 * i);

    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (int step = 0; step < 64; ++step) {
        const int round = step / 16;
        std::uint32_t f;
        int k;
        switch (round) {
            case 0: f = (b & c) | (~b & d); k = step; break;                 // F
            case 1: f = (b & d) | (c & ~d); k = (5 * step + 1) % 16; break;  // G
            case 2: f = b ^ c ^ d; k = (3 * step + 5) % 16; break;           // H
            default: f = c ^ (b | ~d); k = (7 * step) % 16; break;           // I
        }
        const std::uint32_t sum = a + f + x[k] + SineTable[step];
        a = d;
        d = c;
        c = b;
        b = b + RotateLeft(sum, Shifts[round][step % 4]);
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;

    // The block may hold password bytes; do not leave its words on the stack.
    volatile std::uint32_t* words = x;
    for (int i = 0; i < 16; ++i) words[i] = 0;
}

// Writing through a volatile pointer keeps the compiler from dropping the
// wipe as a dead store.
void Wipe(Md5Context& context) {
    volatile std::uint8_t* p = reinterpret_cast<volatile std::uint8_t*>(&context);
    for (std::size_t i = 0; i < sizeof(context); ++i) p[i] = 0;
}

}  // namespace

void Md5Init(Md5Context& context) {
    context.state = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    context.count = {0, 0};
    context.buffer.fill(0);
}

void Md5Update(Md5Context& context, const void* bytes, std::size_t length) {
    const auto* input = static_cast<const std::uint8_t*>(bytes);
    std::size_t used = (context.count[0] >> 3) & 63;

    // The bit count is kept modulo 2^64, as the padding records it.
    std::uint64_t bits = (std::uint64_t(context.count[1]) << 32) | context.count[0];
    bits += std::uint64_t(length) << 3;
    context.count[0] = std::uint32_t(bits);
    context.count[1] = std::uint32_t(bits >> 32);

    if (used > 0) {
        const std::size_t take = std::min(length, 64 - used);
        for (std::size_t i = 0; i < take; ++i) context.buffer[used + i] = input[i];
        input += take;
        length -= take;
        used += take;
        if (used < 64) return;
        Transform(context.state, context.buffer.data());
    }
    for (; length >= 64; input += 64, length -= 64) Transform(context.state, input);
    for (std::size_t i = 0; i < length; ++i) context.buffer[i] = input[i];
}

Md5Digest Md5Final(Md5Context& context) {
    std::uint8_t lengthBytes[8];
    StoreLittleEndian(context.count[0], lengthBytes);
    StoreLittleEndian(context.count[1], lengthBytes + 4);

    // One 0x80 byte, then zeros up to 56 bytes modulo 64, then the bit length.
    static constexpr std::uint8_t Padding[64] = {0x80};
    const std::size_t used = (context.count[0] >> 3) & 63;
    const std::size_t padLength = used < 56 ? 56 - used : 120 - used;
    Md5Update(context, Padding, padLength);
    Md5Update(context, lengthBytes, sizeof(lengthBytes));

    Md5Digest digest;
    for (int i = 0; i < 4; ++i) StoreLittleEndian(context.state[i], digest.data() + 4 * i);
    Wipe(context);
    return digest;
}

Md5Digest Md5OfText(const std::string& text) {
    Md5Context context;
    Md5Init(context);
    Md5Update(context, text.data(), text.size());
    return Md5Final(context);
}

std::string Md5ToHex(const Md5Digest& digest) {
    static constexpr char Digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * digest.size());
    for (std::uint8_t byte : digest) {
        hex += Digits[byte >> 4];
        hex += Digits[byte & 0x0f];
    }
    return hex;
}

}  // namespace velora::account
