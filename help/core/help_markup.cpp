#include "help/core/help_markup.h"

#include <algorithm>
#include <cctype>

namespace dozudo {

HelpFontHeights helpFontHeightsFor(int cellSize) {
    // Integer forms of the factors 0.33, 0.4 and 0.2, truncated.
    return {cellSize * 33 / 100, cellSize * 4 / 10, cellSize * 2 / 10};
}

namespace {

// Frame lines run 5 pixels above the line's top and 25 below it, whatever the font.
constexpr int frameTop = -5;
constexpr int frameBottom = 25;
constexpr int tabStep = 150;

struct LineState {
    int x = 10;
    int y = 0;
    int fontHeight = 0;
    bool bold = false;
    bool shaded = false;
    int baselineShift = 0;
    bool frameOpen = false;
    int frameStartX = 0;  // 16-bit pixel position in the window's terms
    HelpLineDrawing out;

    void frameLine(int x1, int y1, int x2, int y2) {
        HelpDrawOp op;
        op.kind = HelpDrawOp::Frame;
        op.x = x1;
        op.y = y1;
        op.x2 = x2;
        op.y2 = y2;
        out.ops.push_back(op);
    }
    // Top and bottom lines of the open frame, from where it last ended to x.
    void extendFrame() {
        frameLine(frameStartX, y + frameTop, x, y + frameTop);
        frameLine(frameStartX, y + frameBottom, x, y + frameBottom);
    }
};

}  // namespace

HelpLineDrawing interpretHelpLine(const std::string& text, int lineIndex,
                                  const HelpFontHeights& heights, const HelpTextWidth& textWidth) {
    LineState s;
    s.y = lineIndex * heights.normalHeight;
    s.fontHeight = heights.normalHeight;
    bool escape = false;
    const std::size_t n = std::min(text.size(), maxHelpLineLength);
    for (std::size_t i = 0; i < n; ++i) {
        const char ch = text[i];
        if (ch == '\\') {
            escape = true;
            continue;
        }
        if (escape) {
            escape = false;
            switch (std::toupper(static_cast<unsigned char>(ch))) {
                case 'B':
                    s.fontHeight = heights.smallHeight;
                    s.baselineShift = 7;
                    break;
                case 'F':
                    s.bold = true;
                    break;
                case 'I': {
                    unsigned number = 0;
                    for (std::size_t k = i + 1;
                         k < n && std::isdigit(static_cast<unsigned char>(text[k])); ++k)
                        number = (number * 10 + static_cast<unsigned>(text[k] - '0')) % 256;
                    s.out.linkPage = static_cast<std::uint8_t>(number);
                    break;
                }
                case 'L':
                    s.fontHeight = heights.largeHeight;
                    s.baselineShift = 0;
                    break;
                case 'M':
                    s.shaded = true;
                    break;
                case 'N':
                    s.fontHeight = heights.normalHeight;
                    s.bold = false;
                    s.shaded = false;
                    s.frameOpen = false;
                    s.baselineShift = 0;
                    break;
                case 'P':
                    s.fontHeight = heights.smallHeight;
                    s.baselineShift = -5;
                    break;
                case 'S':
                    s.fontHeight = heights.smallHeight;
                    s.baselineShift = 0;
                    break;
                case 'T':
                    s.x = (s.x / tabStep + 1) * tabStep;
                    break;
                case '[':
                    if (s.frameOpen) s.extendFrame();
                    s.frameOpen = true;
                    s.frameStartX = static_cast<std::uint16_t>(s.x);
                    s.frameLine(s.x, s.y + frameTop, s.x, s.y + frameBottom);
                    s.x += 5;
                    break;
                default:
                    break;  // any other character after a backslash is dropped
            }
            continue;
        }
        HelpDrawOp op;
        op.kind = HelpDrawOp::Text;
        op.x = s.x;
        op.y = s.y + s.baselineShift;
        op.ch = ch;
        op.fontHeight = s.fontHeight;
        op.bold = s.bold;
        op.shaded = s.shaded;
        s.out.ops.push_back(op);
        if (s.frameOpen) {
            s.extendFrame();
            s.frameStartX = static_cast<std::uint16_t>(s.x);
        }
        s.x += textWidth(ch, s.fontHeight, s.bold);
    }
    return s.out;
}

std::string helpLineText(const std::string& text) {
    std::string out;
    bool escape = false;
    const std::size_t n = std::min(text.size(), maxHelpLineLength);
    for (std::size_t i = 0; i < n; ++i) {
        const char ch = text[i];
        if (ch == '\\') {
            escape = true;
        } else if (escape) {
            escape = false;
            const int command = std::toupper(static_cast<unsigned char>(ch));
            if (command == 'T') out += '\t';
            if (command == 'P') out += '^';  // a raised 2 after 9 reads as a power
        } else {
            out += ch;
        }
    }
    return out;
}

}  // namespace dozudo
