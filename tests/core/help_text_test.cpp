// The stored help text: decoding of scrambled lines, the text as the build stores it, and the
// pages it makes.

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "help/core/help_code.h"
#include "help/core/help_markup.h"
#include "help/core/help_pages.h"

namespace dozudo {
namespace {

// Pairs written by hand from the storage rule: v = ((hi - 20) * 128) OR (lo - 20) in 16 bits,
// and bit j of the character is bit bitPositions[j] of v.
struct DecodeCase {
    const char* name;
    std::string stored;
    std::string text;
};

TEST(HelpDecode, StoredBytesBecomeCharacters) {
    // 'A' (bits 0 and 6) lies in v bits 3 and 10: v = 1032, lo = 8 + 20, hi = 8 + 20.
    const std::vector<DecodeCase> cases = {
        {"one character", std::string("\x1c\x1c"), "A"},
        {"odd byte dropped", std::string("\x1c\x1c\x50"), "A"},
        {"single byte", std::string("\x50"), ""},
        {"empty line", std::string(), ""},
        // hi below 20 wraps in 16 bits: v = 0xFF80 holds bits 9, 10 and 12 -> bits 1, 6, 3.
        {"high byte below the offset", std::string("\x14\x13"), "J"},
        // Bits the table does not use are ignored: lo bit 2 and hi bit 0 set on top of 'A'.
        {"unused bits", std::string("\x20\x1d"), "A"},
    };
    for (const DecodeCase& c : cases) EXPECT_EQ(decodeHelpLine(c.stored), c.text) << c.name;
}

TEST(HelpDecode, EncodedLinesDecodeToTheirTextWhateverTheNoise) {
    std::string all;
    for (int c = 1; c < 256; ++c) all.push_back(static_cast<char>(c));
    for (std::uint32_t seed : {0u, 1u, 77u, 123456u}) {
        const std::string stored = encodeHelpLine(all, seed);
        ASSERT_EQ(stored.size(), 2 * all.size());
        EXPECT_EQ(decodeHelpLine(stored), all) << "seed " << seed;
    }
    // The noise makes equal characters look different in the store.
    const std::string stored = encodeHelpLine("eeee", 5);
    EXPECT_NE(stored.substr(0, 2), stored.substr(2, 2));
}

// The readable source in the repository, without its comment lines.
std::vector<std::string> helpSource() {
    std::ifstream in(std::string(DOZUDO_TEST_DATA) + "/../../help/help_text.txt");
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
        if (line.empty() || line[0] != '%') lines.push_back(line);
    return lines;
}

TEST(HelpText, EveryStoredLineDecodesToTheSource) {
    const std::vector<std::string> source = helpSource();
    const std::vector<std::string>& stored = storedHelpLines();
    ASSERT_EQ(stored.size(), source.size());
    ASSERT_EQ(stored.size(), 225u);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        EXPECT_EQ(decodeHelpLine(stored[i]), source[i]) << "line " << i;
        if (!source[i].empty()) {
            EXPECT_NE(stored[i], source[i]) << "line " << i << " is stored readable";
        }
        EXPECT_LE(stored[i].size(), 200u);
        EXPECT_EQ(stored[i].size() % 2, 0u);
    }
}

TEST(HelpText, NinePagesWhoseLinksReachEveryPageAndUseEveryCommand) {
    const std::vector<std::string>& stored = storedHelpLines();
    EXPECT_EQ(HelpPages::pagesFor(stored.size()), 9);
    const HelpFontHeights heights = helpFontHeightsFor(50);
    const HelpTextWidth width = [](char, int, bool) { return 7; };
    std::set<int> linked;
    std::set<char> commands;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const std::string text = decodeHelpLine(stored[i]);
        const int lineIndex = static_cast<int>(i % 25);
        if (lineIndex == 0) {
            EXPECT_FALSE(text.empty()) << "page " << i / 25 + 1 << " has no title";
            EXPECT_EQ(text.find('\\'), std::string::npos) << "title " << text;
            continue;
        }
        EXPECT_LE(text.size(), 100u) << text;
        const HelpLineDrawing d = interpretHelpLine(text, lineIndex, heights, width);
        if (d.linkPage != 0) {
            EXPECT_LE(d.linkPage, 9) << text;
            linked.insert(d.linkPage);
            // A link line leads with its page number, so the reader sees where it goes.
            ASSERT_FALSE(d.ops.empty());
            EXPECT_EQ(d.ops.front().ch, static_cast<char>('0' + d.linkPage)) << text;
        }
        for (std::size_t k = 0; k + 1 < text.size(); ++k)
            if (text[k] == '\\') commands.insert(static_cast<char>(std::toupper(text[k + 1])));
    }
    EXPECT_EQ(linked, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    for (char c : std::string("BFILMNPST["))
        EXPECT_TRUE(commands.count(c)) << "command " << c << " is never used";
}

TEST(HelpPagesCount, PagesFilledByTheStoredLines) {
    const std::vector<std::pair<std::size_t, int>> cases = {
        {0, 1}, {1, 1}, {25, 1}, {26, 2}, {225, 9}, {226, 10}};
    for (auto [lines, pages] : cases) EXPECT_EQ(HelpPages::pagesFor(lines), pages) << lines;
}

TEST(HelpPagesStep, StepsStopAtTheFirstAndLastPage) {
    struct Case {
        int page, direction, lastDirection;
        int wantPage;
        bool changed;
    };
    const std::vector<Case> cases = {
        {1, 1, 2, 2, true},   {8, 1, 1, 9, true},  {9, 1, 1, 9, false}, {9, 2, 1, 8, true},
        {2, 2, 1, 1, true},   {1, 2, 1, 1, false}, {4, 0, 1, 5, true},  {4, 0, 2, 3, true},
        {1, 0, 2, 1, false},  {9, 0, 1, 9, false},
    };
    for (const Case& c : cases) {
        HelpPages p;
        p.pageCount = 9;
        p.helpPage = static_cast<std::uint8_t>(c.page);
        p.repeatDirection = static_cast<std::uint8_t>(c.lastDirection);
        EXPECT_EQ(p.stepPage(c.direction), c.changed) << c.page << " d" << c.direction;
        EXPECT_EQ(p.helpPage, c.wantPage) << c.page << " d" << c.direction;
        EXPECT_EQ(p.repeatDirection, c.direction ? c.direction : c.lastDirection);
    }
}

}  // namespace
}  // namespace dozudo
