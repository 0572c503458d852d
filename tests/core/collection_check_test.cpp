// The collection check: solutions and how far the window's own logic gets, one line each.
#include "game/collection_check.h"

#include <gtest/gtest.h>

#include "fakes.h"

namespace dozudo::test {
namespace {

// "fill all" alone, pressed as a user presses it, with its ticks: the empty fields left.
int emptyAfterFillAll(const std::string& puzzle) {
    Fixture f;
    f.game.board = boardFrom(puzzle);
    startSolving(f.game);
    f.game.analysisBarChange(3, true);
    while (f.window.timerOn) f.game.Timer1Timer();
    return 81 - f.game.board.filled();
}

TEST(CollectionCheck, OneLinePerPuzzleAndTheSummary) {
    const std::string published = loadPuzzles()[0];
    const std::vector<std::string> minimal = loadPuzzles("sudoku17-sample.txt");
    auto with = [](std::string text, int index, char digit) { return text[index] = digit, text; };
    struct Case {
        std::string puzzle;
        const char* line;
    };
    const Case cases[] = {{published, "1 1 singles"},
                          {minimal[5], "2 1 reduction"},
                          {minimal[4], "3 1 stuck 36"},
                          {std::string(81, '.'), "4 2+ stuck 81"},
                          {with(published, 0, '3'), "5 0 stuck 39"},
                          {validSolution(), "6 1 singles"},
                          {with(minimal[0], 5, '0'), "7 2+ stuck 53"}};
    CheckCounts counts;
    int number = 0;
    for (const Case& k : cases) {
        const PuzzleVerdict v = checkPuzzle(boardFrom(k.puzzle));
        EXPECT_EQ(verdictLine(++number, v), k.line);
        counts.add(v);
    }
    EXPECT_EQ(
        summaryLine(counts),
        "7 puzzles: 1 without solution, 4 with one, 2 with more; singles 2, reduction 1, stuck 4");
    // What "reduction" adds: "fill all" alone stops short on that puzzle.
    EXPECT_GT(emptyAfterFillAll(minimal[5]), 0);
    EXPECT_EQ(emptyAfterFillAll(published), 0);

    // Only the puzzle digits count: a wrong digit of the user's on the board is left out.
    Board progress = boardFrom(published);
    progress.set(1, 1, 5, fkEntered);
    EXPECT_EQ(verdictLine(1, checkPuzzle(progress)), "1 1 singles");
}

}  // namespace
}  // namespace dozudo::test
