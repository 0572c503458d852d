// Ways out of solving that must leave the board and the keys usable: a command-bar press
// while filling or while options are drawn, and take back on a solved board.
#include <gtest/gtest.h>

#include "fakes.h"
#include "game/captions.h"
#include "game/keys.h"

namespace dozudo::test {
namespace {

// The display a command-bar press meets while a "fill all" is running.
struct Display {
    const char* name;
    bool hintsReleased;    // "hints" released during the filling
    bool optionsReleased;  // "show options" released as well
};

void PrintTo(const Display& d, std::ostream* os) { *os << d.name; }

class CommandDuringFill : public ::testing::TestWithParam<Display> {};

TEST_P(CommandDuringFill, EndsFillingAndWipesTheOptions) {
    const Display d = GetParam();
    Fixture f;
    f.game.board = boardFrom(loadPuzzles()[0]);
    startSolving(f.game);
    f.game.analysisBarChange(3, true);  // "fill all": the first digit at once
    ASSERT_EQ(f.game.fillMode, fmFilling);
    if (d.hintsReleased) f.game.analysisBarChange(1, false);
    if (d.optionsReleased) f.game.analysisBarChange(0, false);
    const int filled = f.game.board.filled();
    f.view.calls.clear();

    f.game.commandBarChange(1, true);  // "save"

    EXPECT_EQ(f.game.fillMode, fmNone);
    EXPECT_FALSE(f.window.timerOn);
    f.game.Timer1Timer();  // a tick already queued changes nothing
    EXPECT_EQ(f.game.board.filled(), filled);
    EXPECT_EQ(f.game.gameState, gsSolving);
    // Options drawn on the board are wiped from every empty field.
    const int wiped = f.view.count("drawField");
    EXPECT_EQ(wiped, d.optionsReleased ? 0 : 81 - filled);
}

INSTANTIATE_TEST_SUITE_P(Displays, CommandDuringFill,
                         ::testing::Values(Display{"HintsDown", false, false},
                                           Display{"HintsReleased", true, false},
                                           Display{"OptionsReleased", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandWithOptions, WipesOptionsWithoutHints) {
    Fixture f;
    f.game.board = boardFrom(loadPuzzles()[0]);
    startSolving(f.game, /*options=*/true, /*hints=*/false);
    const int empty = 81 - f.game.board.filled();
    f.view.calls.clear();
    f.game.commandBarChange(4, true);  // "enter/puzzle"
    EXPECT_EQ(f.view.count("drawField"), empty);
    EXPECT_FALSE(f.game.optionsShown);
}

// A solved board, then take back: the board is being solved again.
struct SolvedTakeBack : Fixture, ::testing::Test {
    // Solves puzzle 0 by "fill all"; with userLast the last digit is typed by the user.
    void solve(bool userLast) {
        game.board = boardFrom(loadPuzzles()[0]);
        startSolving(game);
        game.analysisBarChange(3, true);
        while (window.timerOn && game.board.filled() < (userLast ? 80 : 81)) game.Timer1Timer();
        if (userLast) {
            game.keyDown(vkEscape);  // the user stops filling and types the last digit
            for (int c = 1; c <= 9; ++c)
                for (int r = 1; r <= 9; ++r)
                    if (game.board.digit(c, r) == 0) {
                        game.selectField(c, r);
                        game.keyPress(static_cast<char>('0' + solution.digit(c, r)));
                    }
        }
        ASSERT_EQ(game.gameState, gsSolved);
    }
    Board solution = solvedPuzzle0();
    static Board solvedPuzzle0() {
        Fixture f;
        f.game.board = boardFrom(loadPuzzles()[0]);
        startSolving(f.game);
        f.game.analysisBarChange(3, true);
        while (f.window.timerOn) f.game.Timer1Timer();
        return f.game.board;
    }
};

TEST_F(SolvedTakeBack, FilledDigitsTakenBackReopenSolving) {
    solve(false);
    game.analysisBarChange(5, true);  // "take back": every filled digit at once
    EXPECT_EQ(game.gameState, gsSolving);
    EXPECT_LT(game.board.filled(), 81);
    game.analysisBarChange(2, true);  // "fill digit" works again
    EXPECT_EQ(game.entryLog.entryCount, 1);
}

TEST_F(SolvedTakeBack, UserDigitTakenBackReopensTyping) {
    solve(true);
    const int column = game.entryLog.last().column, row = game.entryLog.last().row;
    const int digit = game.board.digit(column, row);
    game.analysisBarChange(5, true);
    game.Timer1Timer();  // the pause ends: the user's digit goes
    EXPECT_EQ(game.board.digit(column, row), 0);
    EXPECT_EQ(game.gameState, gsSolving);
    // Typing, clicking and take back by key work again.
    game.boardPress(column, row);
    game.keyPress(static_cast<char>('0' + digit));
    EXPECT_EQ(game.board.digit(column, row), digit);
    EXPECT_EQ(game.gameState, gsSolved);
}

TEST(CommandDuringTakeBack, DropsThePendingTakeBack) {
    // A take back of a typed digit waits one tick; a new puzzle typed meanwhile keeps its digits.
    Fixture f;
    f.game.board = boardFrom(loadPuzzles()[0]);
    startSolving(f.game);
    const int column = f.game.hint.hintColumn, row = f.game.hint.hintRow;
    f.game.boardPress(column, row);
    f.game.keyPress(static_cast<char>('0' + f.game.hint.hintDigit));
    ASSERT_EQ(f.game.entryLog.entryCount, 1);
    f.game.analysisBarChange(5, true);  // "take back": the typed digit goes at the next tick
    ASSERT_EQ(f.game.fillMode, fmTakeBack);

    f.game.commandBarChange(cmdErase, true);
    f.game.commandBarChange(cmdEnter, true);
    f.game.boardPress(column, row);
    f.game.keyPress('7');
    EXPECT_EQ(f.game.fillMode, fmNone);
    f.game.Timer1Timer();
    EXPECT_EQ(f.game.board.digit(column, row), 7);
}

}  // namespace
}  // namespace dozudo::test
