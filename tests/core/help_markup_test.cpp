// Layout of help text lines: where each character goes, in which font, and the frame lines.

#include "help/core/help_markup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dozudo {
namespace {

// Heights for field size 50: normal 16, large 20, small 10. Every character is 10 pixels wide,
// 20 in bold, so positions can be read off directly.
const HelpFontHeights h50 = helpFontHeightsFor(50);
const HelpTextWidth tenWide = [](char, int, bool bold) { return bold ? 20 : 10; };

HelpDrawOp text(int x, int y, char ch, int height = 16, bool bold = false, bool shaded = false) {
    HelpDrawOp op;
    op.x = x;
    op.y = y;
    op.ch = ch;
    op.fontHeight = height;
    op.bold = bold;
    op.shaded = shaded;
    return op;
}
HelpDrawOp frame(int x1, int y1, int x2, int y2) {
    HelpDrawOp op;
    op.kind = HelpDrawOp::Frame;
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    return op;
}

struct MarkupCase {
    const char* name;
    std::string line;  // drawn as text line 2: y = 32
    std::vector<HelpDrawOp> ops;
    int linkPage = 0;
};

TEST(HelpMarkup, CommandsPlaceAndStyleTheCharacters) {
    const std::vector<MarkupCase> cases = {
        {"plain", "ab", {text(10, 32, 'a'), text(20, 32, 'b')}},
        {"bold until N", "\\Fa\\Nb", {text(10, 32, 'a', 16, true), text(30, 32, 'b')}},
        {"either case", "\\fa", {text(10, 32, 'a', 16, true)}},
        {"large", "\\La", {text(10, 32, 'a', 20)}},
        {"small", "\\Sa", {text(10, 32, 'a', 10)}},
        {"lowered", "x\\Ba", {text(10, 32, 'x'), text(20, 39, 'a', 10)}},
        {"raised", "x\\Pa\\Ny", {text(10, 32, 'x'), text(20, 27, 'a', 10), text(30, 32, 'y')}},
        {"large ends the shift", "\\Ba\\Lb", {text(10, 39, 'a', 10), text(20, 32, 'b', 20)}},
        {"shaded until N", "\\Ma\\Nb", {text(10, 32, 'a', 16, false, true), text(20, 32, 'b')}},
        {"tab from the start", "\\Ta", {text(150, 32, 'a')}},
        {"tab at 150 goes to 300", std::string(14, 'x') + "\\Ta", {}},
        {"backslash never drawn", "a\\\\Fb", {text(10, 32, 'a'), text(20, 32, 'b', 16, true)}},
        {"unknown command dropped", "a\\Xb\\", {text(10, 32, 'a'), text(20, 32, 'b')}},
        {"link digits drawn", "\\I12x", {text(10, 32, '1'), text(20, 32, '2'), text(30, 32, 'x')}, 12},
        {"link without digits", "\\Ix", {text(10, 32, 'x')}, 0},
        {"link number in one byte", "\\I300", {text(10, 32, '3'), text(20, 32, '0'), text(30, 32, '0')}, 44},
        {"framed word",
         "\\[ab\\[\\Nc",
         {frame(10, 27, 10, 57), text(15, 32, 'a'), frame(10, 27, 15, 27), frame(10, 57, 15, 57),
          text(25, 32, 'b'), frame(15, 27, 25, 27), frame(15, 57, 25, 57), frame(25, 27, 35, 27),
          frame(25, 57, 35, 57), frame(35, 27, 35, 57), text(40, 32, 'c')}},
        {"frame left open extends to the last character",
         "\\[a",
         {frame(10, 27, 10, 57), text(15, 32, 'a'), frame(10, 27, 15, 27), frame(10, 57, 15, 57)}},
    };
    for (const MarkupCase& c : cases) {
        const HelpLineDrawing d = interpretHelpLine(c.line, 2, h50, tenWide);
        std::vector<HelpDrawOp> want = c.ops;
        if (std::string(c.name) == "tab at 150 goes to 300") {
            for (int i = 0; i < 14; ++i) want.push_back(text(10 + 10 * i, 32, 'x'));
            want.push_back(text(300, 32, 'a'));
        }
        EXPECT_EQ(d.ops, want) << c.name;
        EXPECT_EQ(d.linkPage, c.linkPage) << c.name;
    }
}

TEST(HelpMarkup, FontHeightsFollowTheFieldSize) {
    struct Case {
        int cs, normal, large, small;
    };
    for (const Case& c : {Case{40, 13, 16, 8}, Case{50, 16, 20, 10}, Case{60, 19, 24, 12}}) {
        const HelpFontHeights h = helpFontHeightsFor(c.cs);
        EXPECT_EQ(h.normalHeight, c.normal) << c.cs;
        EXPECT_EQ(h.largeHeight, c.large) << c.cs;
        EXPECT_EQ(h.smallHeight, c.small) << c.cs;
        // Line k starts at k times the normal height, even in the large font.
        const HelpLineDrawing d = interpretHelpLine("\\Lx", 24, h, tenWide);
        ASSERT_EQ(d.ops.size(), 1u);
        EXPECT_EQ(d.ops[0].y, 24 * c.normal) << c.cs;
    }
}

TEST(HelpMarkup, LongLinesStopAtTheirTwoHundredFiftyFifthCharacter) {
    const std::string line = std::string(255, 'a') + "bcd";
    const HelpLineDrawing d = interpretHelpLine(line, 1, h50, [](char, int, bool) { return 1; });
    ASSERT_EQ(d.ops.size(), 255u);
    EXPECT_EQ(d.ops.back().ch, 'a');
}

}  // namespace
}  // namespace dozudo
