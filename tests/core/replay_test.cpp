// Published puzzles played through the hints, checked against an independent
// backtracking solver: every hinted digit must be the solution's digit.
#include <gtest/gtest.h>

#include "fakes.h"

namespace dozudo::test {
namespace {

// Plain backtracking over a reading-order string; returns false when unsolvable.
bool solve(std::string& s) {
    const auto pos = s.find_first_of(".0");
    if (pos == std::string::npos) return true;
    const int r = static_cast<int>(pos) / 9, c = static_cast<int>(pos) % 9;
    for (char d = '1'; d <= '9'; ++d) {
        bool ok = true;
        for (int i = 0; i < 9 && ok; ++i) {
            const int br = r / 3 * 3 + i / 3, bc = c / 3 * 3 + i % 3;
            ok = s[r * 9 + i] != d && s[i * 9 + c] != d && s[br * 9 + bc] != d;
        }
        if (!ok) continue;
        s[pos] = d;
        if (solve(s)) return true;
    }
    s[pos] = '.';
    return false;
}

TEST(Replay, HintedDigitsAreTheSolutionsDigits) {
    const auto puzzles = loadPuzzles();
    ASSERT_EQ(puzzles.size(), 50u);
    int solvedBySingles = 0;
    for (const std::string& puzzle : puzzles) {
        std::string solution = puzzle;
        ASSERT_TRUE(solve(solution));
        Fixture f;
        f.game.board = boardFrom(puzzle);
        startSolving(f.game);
        const int given = f.game.board.filled();
        int steps = 0;
        while (f.game.gameState == gsSolving && hintPlacesDigit(f.game.hint.hintKind)) {
            const Hint h = f.game.hint;
            ASSERT_EQ(f.game.selColumn, h.hintColumn);
            ASSERT_EQ(f.game.selRow, h.hintRow);
            const char expected = solution[(h.hintRow - 1) * 9 + h.hintColumn - 1];
            ASSERT_EQ('0' + h.hintDigit, expected) << puzzle << " step " << steps;
            EXPECT_EQ(f.window.statusColour, (Rgb{0, 208, 0}));
            f.game.enterDigit(h.hintDigit);
            ASSERT_TRUE(f.game.entryAccepted);
            ++steps;
            ASSERT_EQ(f.game.entryLog.entryCount, steps);
            ASSERT_EQ(f.game.filledCount, given + steps);
        }
        // Nothing contradictory is ever reported on a sound puzzle.
        EXPECT_TRUE(f.game.hint.hintKind == 0 || f.game.gameState == gsSolved) << puzzle;
        if (f.game.gameState == gsSolved) {
            ++solvedBySingles;
            EXPECT_EQ(f.window.statusText, "puzzle solved");
        } else {
            EXPECT_EQ(f.window.statusText, "");
        }
    }
    EXPECT_EQ(solvedBySingles, 41);
}

}  // namespace
}  // namespace dozudo::test
