#pragma once
// The markup of a help text line, worked out into what is drawn where. Lines hold characters
// and backslash commands (either case): B lowered small, F bold, I link to the page whose
// number follows, L large, M shaded boxes, N normal, P raised small, S small, T tab to the next
// multiple of 150 pixels, [ frame mark.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace dozudo {

// Font heights of the help window's text, in pixels of character cell.
struct HelpFontHeights {
    int normalHeight = 16;
    int largeHeight = 20;
    int smallHeight = 10;
};
// Heights for a field size: 0.33, 0.4 and 0.2 of it.
HelpFontHeights helpFontHeightsFor(int cellSize);

// One drawing step of a line. Text: character ch with the top-left of its cell at (x, y), in a
// black font of fontHeight and weight bold, on a light grey box when shaded (else transparent).
// Frame: a line of the frame pen (width 2, dark grey) from (x, y) to (x2, y2).
struct HelpDrawOp {
    enum Kind { Text, Frame } kind = Text;
    int x = 0, y = 0, x2 = 0, y2 = 0;
    char ch = 0;
    int fontHeight = 0;
    bool bold = false;
    bool shaded = false;
    friend bool operator==(const HelpDrawOp&, const HelpDrawOp&) = default;
};

struct HelpLineDrawing {
    std::vector<HelpDrawOp> ops;
    std::uint8_t linkPage = 0;  // page a click on the line opens, 0 = none
};

// Width in pixels of one character in the given font.
using HelpTextWidth = std::function<int(char ch, int fontHeight, bool bold)>;

// Text lines draw at most this many characters; the rest of a longer line is left out.
inline constexpr std::size_t maxHelpLineLength = 255;

// Lays out text line lineIndex (1..24) of a page: x starts at 10, y = lineIndex x normalHeight.
HelpLineDrawing interpretHelpLine(const std::string& text, int lineIndex,
                                  const HelpFontHeights& heights, const HelpTextWidth& textWidth);

// The characters a text line draws, in order, without its markup; a tab stands where the line
// jumps to the next tab stop and a caret before raised text (9^2). What a screen reader reads.
std::string helpLineText(const std::string& text);

}  // namespace dozudo
