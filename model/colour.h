#pragma once
// A colour as (red, green, blue), and the conversion from a $BBGGRR value.

#include <cstdint>

namespace dozudo {

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// A colour written $BBGGRR: blue in the high byte, red in the low byte.
constexpr Rgb fromBgr(std::uint32_t bbggrr) {
    return {static_cast<std::uint8_t>(bbggrr & 0xFF),
            static_cast<std::uint8_t>((bbggrr >> 8) & 0xFF),
            static_cast<std::uint8_t>((bbggrr >> 16) & 0xFF)};
}

}  // namespace dozudo
