#pragma once
// Paging state of the help window: the page shown, page steps with their repeat direction, the
// links of the shown page and the text line whose hover band is drawn.

#include <array>
#include <cstddef>
#include <cstdint>

namespace dozudo {

inline constexpr int helpLinesPerPage = 25;  // a title and 24 text lines

struct HelpPages {
    std::uint8_t helpPage = 1;
    std::uint8_t pageCount = 1;
    std::uint8_t repeatDirection = 1;  // 1 next, 2 previous
    std::uint8_t hoverLine = 0;        // 0 = no band
    std::array<std::uint8_t, helpLinesPerPage> linkPage{};  // per text line 1..24

    // Pages filled by storedLines lines, 1 when there are none (at most 255).
    static std::uint8_t pagesFor(std::size_t storedLines);

    // Steps in direction d (1 next, 2 previous, 0 the last direction again). Returns whether the
    // page changed; at the first or last page nothing changes.
    bool stepPage(int d);

    // Bands to switch when the pointer is over text line k: first the old band off (0 = none),
    // then the new one on (0 = none). hoverLine follows.
    struct BandToggles {
        int off = 0;
        int on = 0;
    };
    BandToggles hoverTo(int k);

    // A click in the text: follows the hovered link. Returns whether the page changed.
    bool followLink();
};

}  // namespace dozudo
