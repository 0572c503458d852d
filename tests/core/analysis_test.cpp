// Options of every field and the hint finder with its messages.
#include <gtest/gtest.h>

#include "analysis/hints.h"
#include "analysis/options.h"
#include "fakes.h"

namespace dozudo::test {
namespace {

DigitMask maskOf(std::initializer_list<int> digits) {
    DigitMask m = 0;
    for (int d : digits) m |= digitBit(d);
    return m;
}

TEST(Options, EmptyAndFullBoards) {
    OptionTables t;
    computeOptions(Board{}, t);
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) EXPECT_EQ(t.at(c, r), allDigits);
    for (int u = 0; u < 9; ++u) {
        EXPECT_EQ(t.rowMask[u], allDigits);
        EXPECT_EQ(t.columnMask[u], allDigits);
        EXPECT_EQ(t.groupMask[u], allDigits);
    }
    const Board full = boardFrom(validSolution());
    computeOptions(full, t);
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) EXPECT_EQ(t.at(c, r), digitBit(full.digit(c, r)));
    for (int u = 0; u < 9; ++u) EXPECT_EQ(t.rowMask[u] | t.columnMask[u] | t.groupMask[u], 0);
}

TEST(Options, UnitsExcludePlacedDigitsAndDoublesToggle) {
    Board b;
    b.set(2, 1, 1, fkGiven);  // row 1, group 1
    b.set(5, 5, 2, fkGiven);  // column 5
    b.set(9, 9, 3, fkGiven);  // elsewhere
    OptionTables t;
    computeOptions(b, t);
    EXPECT_EQ(t.at(5, 1), allDigits & ~maskOf({1, 2}));
    EXPECT_EQ(t.at(1, 2), allDigits & ~maskOf({1}));
    EXPECT_EQ(t.at(9, 8), allDigits & ~maskOf({3}));
    // A doubled digit in a row (possible only from a file) toggles back to missing.
    b.set(7, 1, 1, fkGiven);
    computeOptions(b, t);
    EXPECT_EQ(t.rowMask[0], allDigits);
    EXPECT_EQ(t.at(4, 1), allDigits);
    // A field whose units hold all nine digits has no options.
    Board c;
    for (int col = 1; col <= 8; ++col) c.set(col, 1, col, fkGiven);
    c.set(9, 5, 9, fkGiven);
    computeOptions(c, t);
    EXPECT_EQ(t.at(9, 1), 0);
}

TEST(Options, CountAndNth) {
    EXPECT_EQ(optionCount(1022), 9);
    EXPECT_EQ(optionCount(0), 0);
    EXPECT_EQ(optionCount(2), 1);
    const DigitMask m = maskOf({3, 5, 8});
    EXPECT_EQ(nthOption(m, 1), 3);
    EXPECT_EQ(nthOption(m, 2), 5);
    EXPECT_EQ(nthOption(m, 3), 8);
    EXPECT_EQ(nthOption(m, 4), 0);
    EXPECT_EQ(nthOption(m, 0), 0);
    EXPECT_EQ(nthOption(1022, 9), 9);
}

Hint hintFor(const Board& b, OptionTables* out = nullptr) {
    OptionTables t;
    computeOptions(b, t);
    Hint h;
    findHint(b, t, h);
    if (out) *out = t;
    return h;
}

TEST(Hints, EmptyBoardHasNoHint) {
    EXPECT_EQ(hintFor(Board{}).hintKind, 0);
}

TEST(Hints, SingleDigitInTheOnlyEmptyField) {
    Board b = boardFrom(validSolution());
    const int d = b.digit(5, 3);
    b.at(5, 3).digit = 0;
    const Hint h = hintFor(b);
    EXPECT_EQ(h.hintKind, 2);
    EXPECT_EQ(h.hintColumn, 5);
    EXPECT_EQ(h.hintRow, 3);
    EXPECT_EQ(h.hintDigit, d);
    EXPECT_EQ(hintMessage(h), "single digit: (" + std::to_string(d) + ") row 3 column 5");
    EXPECT_EQ(hintStatusKind(h.hintKind), 2);
}

TEST(Hints, FieldWithoutOptionsWinsOverEverything) {
    Board b;
    for (int col = 1; col <= 8; ++col) b.set(col, 5, col, fkGiven);  // (9,5) could take 9 ...
    b.set(9, 2, 9, fkGiven);                                         // ... but 9 is in column 9
    const Hint h = hintFor(b);
    EXPECT_EQ(h.hintKind, 1);
    EXPECT_EQ(hintMessage(h), "empty field: row 5 column 9");
    EXPECT_EQ(hintStatusKind(1), 1);
}

TEST(Hints, MissingDigitInRowColumnGroup) {
    // Digit 7 has no place in row 4: its empty fields see a 7 in their columns.
    Board b;
    for (int col = 1; col <= 9; ++col)
        if (col != 2 && col != 5) b.set(col, 4, col == 7 ? 2 : col, fkGiven);
    b.set(2, 8, 7, fkGiven);
    b.set(5, 1, 7, fkGiven);
    // Row 4 holds 1,3,4,6,2,8,9 -> missing 5 and 7; 5 is possible at (2,4) and (5,4).
    OptionTables t;
    const Hint h = hintFor(b, &t);
    EXPECT_EQ(h.hintKind, 3);
    EXPECT_EQ(h.hintRow, 4);
    EXPECT_EQ(h.hintDigit, 7);
    EXPECT_EQ(hintMessage(h), "missing digit 7 in row 4");
    Hint c{4, 0, 2, 0, 7};
    EXPECT_EQ(hintMessage(c), "missing digit 7 in column 2");
    Hint g{5, 0, 0, 6, 1};
    EXPECT_EQ(hintMessage(g), "missing digit 1 in group 6");
}

TEST(Hints, SingleChoicesAndTheirFields) {
    // The 1s in groups 2, 3, 4 and 7 leave (1,1) as the only place of 1 in row 1.
    Board b;
    b.set(5, 2, 1, fkGiven);
    b.set(8, 3, 1, fkGiven);
    b.set(2, 5, 1, fkGiven);
    b.set(3, 8, 1, fkGiven);
    Hint h = hintFor(b);
    EXPECT_EQ(h.hintKind, 6);
    EXPECT_EQ(h.hintRow, 1);
    EXPECT_EQ(h.hintColumn, 1);
    EXPECT_EQ(h.hintDigit, 1);
    EXPECT_EQ(hintMessage(h), "single choice: (1) in row 1");

    // A hidden single inside group 5 only: the row and column keep other places.
    OptionTables t;
    computeOptions(Board{}, t);
    for (int c = 4; c <= 6; ++c)
        for (int r = 4; r <= 6; ++r) t.at(c, r) &= static_cast<DigitMask>(~digitBit(5));
    t.at(5, 6) = allDigits;
    findHint(Board{}, t, h);
    EXPECT_EQ(h.hintKind, 8);
    EXPECT_EQ(h.hintGroup, 5);
    EXPECT_EQ(h.hintDigit, 5);
    EXPECT_EQ(h.hintColumn, 5);
    EXPECT_EQ(h.hintRow, 6);
    EXPECT_EQ(hintMessage(h), "single choice: (5) in group 5");

    // The same in column 3 only: the first row allowing the digit is named.
    computeOptions(Board{}, t);
    for (int r = 1; r <= 9; ++r) t.at(3, r) &= static_cast<DigitMask>(~digitBit(2));
    t.at(3, 7) = allDigits;
    findHint(Board{}, t, h);
    EXPECT_EQ(h.hintKind, 7);
    EXPECT_EQ(h.hintColumn, 3);
    EXPECT_EQ(h.hintRow, 7);
    EXPECT_EQ(h.hintDigit, 2);
    EXPECT_EQ(hintMessage(h), "single choice: (2) in column 3");

    Hint r{6, 3, 0, 0, 9};
    EXPECT_EQ(hintMessage(r), "single choice: (9) in row 3");
    Hint c{7, 0, 2, 0, 4};
    EXPECT_EQ(hintMessage(c), "single choice: (4) in column 2");
    EXPECT_EQ(hintMessage(Hint{}), "");
}

TEST(Hints, EarlierInReadingOrderAndRowsBeforeDigits) {
    // Two fields with a single option: the one in the earlier row wins.
    Board b = boardFrom(validSolution());
    b.at(8, 7).digit = 0;
    b.at(3, 2).digit = 0;
    Hint h = hintFor(b);
    EXPECT_EQ(h.hintKind, 2);
    EXPECT_EQ(h.hintRow, 2);
    EXPECT_EQ(h.hintColumn, 3);

    // Row scans: digit 9 single in row 1 beats digit 2 single in row 2.
    OptionTables t;
    computeOptions(Board{}, t);
    for (int c = 1; c <= 9; ++c) {
        t.at(c, 1) = static_cast<DigitMask>(allDigits & ~digitBit(9));
        t.at(c, 2) = static_cast<DigitMask>(allDigits & ~digitBit(2));
    }
    t.at(6, 1) = allDigits;
    t.at(3, 2) = allDigits;
    Hint u;
    u.hintGroup = 7;  // items not named by the kind keep their values
    findHint(Board{}, t, u);
    EXPECT_EQ(u.hintKind, 6);
    EXPECT_EQ(u.hintRow, 1);
    EXPECT_EQ(u.hintDigit, 9);
    EXPECT_EQ(u.hintColumn, 6);
    EXPECT_EQ(u.hintGroup, 7);
}

TEST(Hints, NarrowedOptionsOfAFilledFieldReportAnEmptyField) {
    OptionTables t;
    Board b = boardFrom(validSolution());
    computeOptions(b, t);
    t.at(4, 6) = 0;
    Hint h;
    findHint(b, t, h);
    EXPECT_EQ(h.hintKind, 1);
    EXPECT_EQ(h.hintColumn, 4);
    EXPECT_EQ(h.hintRow, 6);
}

TEST(Hints, ShowHintSelectsOnlyPlacementHints) {
    Fixture f;
    f.game.hint = Hint{1, 3, 5, 0, 0};
    f.game.showHint();
    EXPECT_EQ(f.window.statusText, "empty field: row 3 column 5");
    EXPECT_EQ(f.window.statusColour, (Rgb{255, 0, 0}));
    EXPECT_EQ(f.game.selColumn, 0);
    f.game.hint = Hint{2, 3, 5, 0, 4};
    f.game.showHint();
    EXPECT_EQ(f.window.statusText, "single digit: (4) row 3 column 5");
    EXPECT_EQ(f.window.statusColour, (Rgb{0, 208, 0}));
    EXPECT_EQ(f.game.selColumn, 5);
    EXPECT_EQ(f.game.selRow, 3);
    f.game.hint = Hint{};
    f.game.showHint();
    EXPECT_EQ(f.window.statusText, "");
    EXPECT_EQ(f.game.status.lastMessage(), "");
}

}  // namespace
}  // namespace dozudo::test
