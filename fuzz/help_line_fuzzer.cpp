// Fuzz target: the help text's line decoder and markup interpreter on any
// stored line. The decoder gives one character per byte pair and undoes the
// encoder; the interpreter draws at most 255 characters, left to right from
// x = 10, in one of the three font heights, on the line's own band, and frame
// lines run forward on the frame's top, bottom or side.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "help/core/help_code.h"
#include "help/core/help_markup.h"

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "insane help line: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dozudo;
    if (size < 2) return 0;
    const int lineIndex = 1 + data[0] % 24;
    static const int cellSizes[] = {40, 50, 60};
    const HelpFontHeights heights = helpFontHeightsFor(cellSizes[data[1] % 3]);
    const std::string_view stored(reinterpret_cast<const char*>(data + 2), size - 2);

    const std::string text = decodeHelpLine(stored);
    if (text.size() != stored.size() / 2) fail("not one character per byte pair");
    if (decodeHelpLine(encodeHelpLine(text, static_cast<std::uint32_t>(size))) != text)
        fail("encoding and decoding changed the text");

    const HelpTextWidth width = [](char ch, int fontHeight, bool bold) {
        return fontHeight / 2 + (bold ? 1 : 0) + static_cast<unsigned char>(ch) % 3;
    };
    const HelpLineDrawing drawing = interpretHelpLine(text, lineIndex, heights, width);
    const int lineY = lineIndex * heights.normalHeight;
    std::size_t characters = 0;
    int lastX = 10;
    for (const HelpDrawOp& op : drawing.ops) {
        if (op.kind == HelpDrawOp::Text) {
            ++characters;
            if (op.fontHeight != heights.normalHeight && op.fontHeight != heights.largeHeight &&
                op.fontHeight != heights.smallHeight)
                fail("unknown font height");
            if (op.x < lastX) fail("characters run backwards");
            lastX = op.x;
            if (op.y < lineY - 5 || op.y > lineY + 7) fail("character off its line");
        } else {
            if (op.x2 < op.x || op.x < 10 || op.x2 > 65535) fail("frame line runs backwards or off the window");
            if (op.y != lineY - 5 && op.y != lineY + 25) fail("frame line off the frame");
            if (op.y2 != op.y && !(op.x == op.x2 && op.y == lineY - 5 && op.y2 == lineY + 25))
                fail("frame line neither across nor down the side");
        }
    }
    if (characters > maxHelpLineLength || characters > text.size()) fail("more characters drawn than the line holds");
    return 0;
}
