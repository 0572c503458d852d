#pragma once
// The scrambled form in which the help text is stored: two bytes per character, the character's
// eight bits spread over a 16-bit value by a fixed table of bit positions.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dozudo {

// For bit j of a displayed character, the bit of the pair's 16-bit value that holds it.
inline constexpr std::array<std::uint8_t, 8> bitPositions = {3, 9, 0, 12, 6, 1, 10, 5};

// Stored line -> display text: one character per byte pair (low part first, high part second,
// each offset by 20); a trailing odd byte is ignored.
std::string decodeHelpLine(std::string_view stored);

// Display text -> stored line, the inverse of decodeHelpLine. The bits that bitPositions does not
// use are filled with noise derived from seed, so equal characters do not look equal.
std::string encodeHelpLine(std::string_view text, std::uint32_t seed);

// The stored help text made from the readable source at build time.
const std::vector<std::string>& storedHelpLines();

}  // namespace dozudo
