#include "help/core/help_code.h"

namespace dozudo {

namespace {
constexpr unsigned offset = 20;
// Bits of the low byte (below 7) and of the high part (7 and up) free for noise; they keep the
// low byte below 148 and the high byte below 84.
constexpr std::uint16_t noiseMask = (1u << 2) | (1u << 4) | (1u << 7) | (1u << 8) | (1u << 11);
}  // namespace

std::string decodeHelpLine(std::string_view stored) {
    const std::size_t n = stored.size() / 2;
    std::string text(n, '\0');
    for (std::size_t i = 0; i < n; ++i) {
        const auto lo = static_cast<std::uint8_t>(stored[2 * i]);
        const auto hi = static_cast<std::uint8_t>(stored[2 * i + 1]);
        // 16-bit unsigned arithmetic: bytes below the offset wrap around.
        const auto v = static_cast<std::uint16_t>(static_cast<std::uint16_t>((hi - offset) * 128u) |
                                                  static_cast<std::uint16_t>(lo - offset));
        unsigned c = 0;
        for (unsigned j = 0; j < 8; ++j)
            if (v & (1u << bitPositions[j])) c |= 1u << j;
        text[i] = static_cast<char>(c);
    }
    return text;
}

std::string encodeHelpLine(std::string_view text, std::uint32_t seed) {
    std::string stored;
    stored.reserve(text.size() * 2);
    std::uint32_t noise = seed * 2654435761u + 12345u;
    for (char ch : text) {
        const auto c = static_cast<std::uint8_t>(ch);
        noise = noise * 1103515245u + 12345u;
        auto v = static_cast<std::uint16_t>((noise >> 8) & noiseMask);
        for (unsigned j = 0; j < 8; ++j)
            if (c & (1u << j)) v = static_cast<std::uint16_t>(v | (1u << bitPositions[j]));
        stored.push_back(static_cast<char>((v & 127u) + offset));
        stored.push_back(static_cast<char>((v >> 7) + offset));
    }
    return stored;
}

}  // namespace dozudo
