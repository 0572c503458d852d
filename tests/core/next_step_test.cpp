// "next step" in the game: the ladder's step shown and then applied, the hint finder's hint
// where it names one, and a wrong digit of the user's found before anything else.
#include <gtest/gtest.h>

#include "analysis/solver.h"
#include "fakes.h"

namespace dozudo::test {
namespace {

// A position of a published puzzle (euler50 #49, digits placed by singles) whose next step
// is an X-Wing on 3 in rows 4 and 7.
const char* xWingPosition = "538127946624839751719645.8.96..14827..176..94.47.9816.49..8167...647..19172956438";

TEST(NextStep, ShowsTheStepThenRemovesItsOptionsAsAReductionDoes) {
    Fixture f;
    f.game.board = boardFrom(xWingPosition);
    startSolving(f.game, true, false);
    ASSERT_TRUE(f.game.optionTables.at(4, 6) & digitBit(3));
    f.view.calls.clear();
    f.game.keyPress('n');
    EXPECT_EQ(f.window.statusText, "X-Wing: 1 option removed");
    EXPECT_EQ(f.window.statusColour, statusColors[2]);
    ASSERT_FALSE(f.window.announced.empty());
    EXPECT_EQ(f.window.announced.back(),
              "X-Wing on row 4 column 3 (3), row 4 column 4 (3), row 7 column 3 (3), row 7 column 4 (3); "
              "removes 3 from row 6 column 4");
    EXPECT_EQ(f.game.shownStep.pattern.size(), 4u);
    EXPECT_EQ(f.view.count("paintAllOptions"), 1);  // the marks drawn with the options
    EXPECT_TRUE(f.game.optionTables.at(4, 6) & digitBit(3)) << "shown, not yet removed";

    f.game.keyPress('N');
    EXPECT_FALSE(f.game.optionTables.at(4, 6) & digitBit(3));
    EXPECT_FALSE(f.game.shownStep.found());
    EXPECT_EQ(f.window.statusText, "");
    EXPECT_EQ(f.view.count("paintAllOptions"), 2);

    // A digit typed recomputes the options: the narrowing is gone, as after "reduction".
    f.game.selectField(1, 1);
    f.game.keyPress('0');
    f.game.selectField(7, 3);
    f.game.keyPress('3');
    EXPECT_TRUE(f.game.optionTables.at(4, 6) & digitBit(3));
}

TEST(NextStep, NamesWhatTheHintFinderNamesWhereItNamesAStep) {
    const std::string puzzle = loadPuzzles()[0];
    Fixture hints, next;
    hints.game.board = next.game.board = boardFrom(puzzle);
    startSolving(hints.game);  // "hints" down: the hint finder's message
    startSolving(next.game, true, false);
    next.game.keyPress('n');
    EXPECT_EQ(next.window.statusText, hints.window.statusText);
    EXPECT_EQ(next.window.statusColour, hints.window.statusColour);
    EXPECT_EQ(next.game.selColumn, hints.game.selColumn);
    EXPECT_EQ(next.game.selRow, hints.game.selRow);
    EXPECT_FALSE(next.game.shownStep.found());
}

TEST(NextStep, FindsTheEarliestWrongDigitOfTheUser) {
    const std::string puzzle = loadPuzzles()[0];
    Board solution;
    ASSERT_EQ(countSolutions(boardFrom(puzzle), 2, &solution), 1);
    Fixture f;
    f.game.board = boardFrom(puzzle);
    startSolving(f.game, true, false);
    // Right digits first, then a wrong one the rule check accepts, then more right ones.
    std::vector<std::pair<int, int>> empty;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (!f.game.board.digit(c, r)) empty.push_back({c, r});
    const auto enter = [&](int c, int r, int d) {
        f.game.selectField(c, r);
        f.game.keyPress(static_cast<char>('0' + d));
        return f.game.entryAccepted;
    };
    ASSERT_TRUE(enter(empty[0].first, empty[0].second, solution.digit(empty[0].first, empty[0].second)));
    int wrongColumn = 0, wrongRow = 0, wrongDigit = 0;
    for (std::size_t i = 1; i < empty.size() && !wrongDigit; ++i)
        for (int d = 1; d <= 9 && !wrongDigit; ++d) {
            const auto [c, r] = empty[i];
            if (d != solution.digit(c, r) && enter(c, r, d)) wrongColumn = c, wrongRow = r, wrongDigit = d;
        }
    ASSERT_NE(wrongDigit, 0);
    for (std::size_t i = empty.size() - 1; i > empty.size() - 4; --i)
        enter(empty[i].first, empty[i].second, solution.digit(empty[i].first, empty[i].second));
    ASSERT_EQ(countSolutions(f.game.board, 1), 0);

    f.game.keyPress('n');
    EXPECT_EQ(f.window.statusText, "wrong digit: (" + std::to_string(wrongDigit) + ") row " +
                                       std::to_string(wrongRow) + " column " + std::to_string(wrongColumn));
    EXPECT_EQ(f.window.statusColour, statusColors[1]);
    EXPECT_EQ(f.game.selColumn, wrongColumn);
    EXPECT_EQ(f.game.selRow, wrongRow);
    // Taking back the later entries and then the wrong one leaves a board with its solution.
    for (int i = 0; i < 5 && f.game.board.digit(wrongColumn, wrongRow); ++i) {
        f.game.takeBack();
        while (f.window.timerOn) f.game.Timer1Timer();
    }
    EXPECT_EQ(f.game.board.digit(wrongColumn, wrongRow), 0);
    EXPECT_EQ(countSolutions(f.game.board, 1), 1);
}

TEST(NextStep, OnlyWhileSolvingWithOptionsShown) {
    Fixture f;
    f.game.board = boardFrom(xWingPosition);
    f.game.commandBarChange(6, true);  // "search", options not shown
    f.game.keyPress('n');
    EXPECT_FALSE(f.game.shownStep.found());
    f.game.analysisBarChange(0, true);
    f.game.keyPress('n');
    EXPECT_TRUE(f.game.shownStep.found());
    f.game.analysisBarChange(0, false);  // options hidden: the step goes with them
    EXPECT_FALSE(f.game.shownStep.found());
}

}  // namespace
}  // namespace dozudo::test
