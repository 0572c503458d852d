#include "help/core/help_pages.h"

namespace dozudo {

std::uint8_t HelpPages::pagesFor(std::size_t storedLines) {
    if (storedLines == 0) return 1;
    const std::size_t pages = (storedLines + helpLinesPerPage - 1) / helpLinesPerPage;
    return static_cast<std::uint8_t>(pages > 255 ? 255 : pages);
}

bool HelpPages::stepPage(int d) {
    if (d != 0) repeatDirection = static_cast<std::uint8_t>(d);
    if (repeatDirection == 1 && helpPage < pageCount) {
        ++helpPage;
        return true;
    }
    if (repeatDirection == 2 && helpPage >= 2) {
        --helpPage;
        return true;
    }
    return false;
}

HelpPages::BandToggles HelpPages::hoverTo(int k) {
    BandToggles t;
    if (k == hoverLine) return t;
    if (hoverLine != 0) {
        t.off = hoverLine;
        hoverLine = 0;
    }
    if (k >= 1 && k < helpLinesPerPage && linkPage[static_cast<std::size_t>(k)] != 0) {
        t.on = k;
        hoverLine = static_cast<std::uint8_t>(k);
    }
    return t;
}

bool HelpPages::followLink() {
    if (hoverLine == 0) return false;
    // The target is taken as it stands, even beyond the last page.
    helpPage = linkPage[hoverLine];
    return true;
}

}  // namespace dozudo
