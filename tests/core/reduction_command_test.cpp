// The "reduction" command in the game: narrowed options shown, the hint searched
// in them, and the next board change bringing the full options back.
#include <gtest/gtest.h>

#include "fakes.h"

namespace dozudo::test {
namespace {

// Row 1 holds 4..9 in columns 4..9; the 1 and 2 seen by (1,1) and (2,1) from below
// leave {3} as (3,1)'s options after the unit pass, though plain options allow more.
Board narrowedRow() {
    Board b;
    for (int c = 4; c <= 9; ++c) b.set(c, 1, c, fkGiven);
    return b;
}

TEST(ReductionCommand, NarrowsShowsAndBlanksThePleaseWaitLine) {
    Fixture f;
    f.game.board = narrowedRow();
    f.game.board.set(1, 5, 3, fkGiven);  // (1,1) loses 3
    f.game.board.set(2, 8, 3, fkGiven);  // (2,1) loses 3
    startSolving(f.game, true, false);
    EXPECT_EQ(f.game.optionTables.at(3, 1), digitBit(1) | digitBit(2) | digitBit(3));
    f.view.calls.clear();
    f.game.analysisBarChange(4, true);
    EXPECT_EQ(f.game.optionTables.at(3, 1), digitBit(3));
    EXPECT_EQ(f.game.optionTables.at(1, 1), digitBit(1) | digitBit(2));
    EXPECT_EQ(f.window.statusText, "");
    EXPECT_EQ(f.game.status.lastMessage(), "");
    EXPECT_EQ(f.view.count("paintAllOptions"), 1);

    // Any entry afterwards recomputes the options from the board.
    f.game.selectField(5, 5);
    f.game.enterDigit(9);
    EXPECT_EQ(f.game.optionTables.at(3, 1), digitBit(1) | digitBit(2) | digitBit(3));
}

TEST(ReductionCommand, WithHintsShowsTheHintFoundInTheNarrowedOptions) {
    Fixture f;
    f.game.board = narrowedRow();
    f.game.board.set(1, 5, 3, fkGiven);
    f.game.board.set(2, 8, 3, fkGiven);
    startSolving(f.game);
    EXPECT_EQ(f.game.hint.hintKind, 6);  // before: 3 has one place in row 1
    f.game.analysisBarChange(4, true);
    EXPECT_EQ(f.game.hint.hintKind, 2);
    EXPECT_EQ(f.game.hint.hintColumn, 3);
    EXPECT_EQ(f.game.hint.hintRow, 1);
    EXPECT_EQ(f.game.hint.hintDigit, 3);
    EXPECT_EQ(f.window.statusText, "single digit: (3) row 1 column 3");
    EXPECT_EQ(f.game.selColumn, 3);
}

TEST(ReductionCommand, ContradictionShowsAsAnEmptyField) {
    Fixture f;
    // Row 1: columns 3..9 filled with 3..9; (1,1) and (2,1) both only allow 1.
    for (int c = 3; c <= 9; ++c) f.game.board.set(c, 1, c, fkGiven);
    f.game.board.set(1, 4, 2, fkGiven);
    f.game.board.set(2, 7, 2, fkGiven);
    startSolving(f.game);
    f.game.analysisBarChange(4, true);
    for (int c = 1; c <= 9; ++c) EXPECT_EQ(f.game.optionTables.at(c, 1), 0) << c;
    EXPECT_EQ(f.game.hint.hintKind, 1);
    EXPECT_EQ(f.window.statusText, "empty field: row 1 column 1");
}

}  // namespace
}  // namespace dozudo::test
