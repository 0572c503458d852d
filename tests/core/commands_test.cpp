// The command bars, the keyboard and board clicks, by program state.
#include <gtest/gtest.h>

#include "fakes.h"
#include "game/captions.h"
#include "game/keys.h"

namespace dozudo::test {
namespace {

struct Commands : Fixture, ::testing::Test {};

TEST_F(Commands, StatesFollowTheCommandBar) {
    game.commandBarChange(4, true);  // enter/puzzle
    EXPECT_EQ(game.gameState, gsEntering);
    EXPECT_EQ(game.selColumn, 1);
    EXPECT_EQ(game.selRow, 1);
    game.keyPress('5');
    EXPECT_EQ(game.board.at(1, 1).digit, 5);
    EXPECT_EQ(game.board.at(1, 1).kind, fkGiven);
    EXPECT_EQ(game.selColumn, 2);  // advanced
    game.keyPress('5');            // refused: stays
    EXPECT_EQ(game.selColumn, 2);
    EXPECT_EQ(window.beeps, 1);

    game.commandBarChange(6, true);  // search
    EXPECT_EQ(game.gameState, gsSolving);
    EXPECT_EQ(window.visibleAnalysis, (std::set<int>{0, 5}));
    EXPECT_EQ(game.selColumn, 1);
    EXPECT_EQ(game.filledCount, 1);
    game.analysisBarChange(0, true);
    EXPECT_EQ(window.visibleAnalysis, (std::set<int>{0, 1, 4, 5}));
    EXPECT_TRUE(game.optionsShown);
    game.analysisBarChange(1, true);
    EXPECT_EQ(window.visibleAnalysis, (std::set<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_TRUE(game.hintsShown);
    game.analysisBarChange(0, false);
    EXPECT_EQ(window.visibleAnalysis, (std::set<int>{0, 5}));
    EXPECT_FALSE(game.optionsShown);
    EXPECT_FALSE(game.hintsShown);

    // Any command-bar press while solving closes the analysis but keeps the state.
    game.analysisBarChange(0, true);
    game.analysisBarChange(1, true);
    window.statusText = "something";
    game.commandBarChange(1, true);  // save
    EXPECT_EQ(window.statusText, "");
    EXPECT_TRUE(window.visibleAnalysis.empty());
    EXPECT_FALSE(game.optionsShown);
    EXPECT_FALSE(game.hintsShown);
    EXPECT_EQ(game.hint.hintKind, 0);
    EXPECT_EQ(game.gameState, gsSolving);
    EXPECT_EQ(window.platformCalls, (std::vector<std::string>{"save"}));

    game.commandBarChange(5, true);  // restore
    EXPECT_EQ(game.gameState, gsRestored);
    EXPECT_EQ(window.statusText, "original puzzle restored");
    game.commandBarChange(5, false);  // the push button's release empties the line
    EXPECT_EQ(window.statusText, "");
    game.commandBarChange(3, true);  // erase
    EXPECT_EQ(game.gameState, gsIdle);
    EXPECT_EQ(game.board.filled(), 0);

    game.commandBarChange(7, true);  // help
    EXPECT_EQ(window.released, (std::vector<int>{7}));
}

TEST_F(Commands, SearchEmptiesTheLog) {
    startSolving(game, false, false);
    game.enterDigit(3);
    EXPECT_EQ(game.entryLog.entryCount, 1);
    game.commandBarChange(0, true);
    game.commandBarChange(6, true);
    EXPECT_EQ(game.entryLog.entryCount, 0);
    EXPECT_EQ(game.filledCount, 1);
}

TEST_F(Commands, ArrowKeysWrapAroundTheBoard) {
    game.commandBarChange(4, true);
    struct Case {
        int fromC, fromR, key, toC, toR;
    };
    for (auto [fc, fr, key, tc, tr] : {Case{9, 9, vkRight, 1, 1},
                                       {1, 1, vkLeft, 9, 9},
                                       {9, 4, vkRight, 1, 5},
                                       {1, 5, vkLeft, 9, 4},
                                       {3, 1, vkUp, 3, 9},
                                       {3, 9, vkDown, 3, 1},
                                       {4, 4, vkDown, 4, 5},
                                       {4, 4, vkBack, 3, 4}}) {
        game.selectField(fc, fr);
        EXPECT_TRUE(game.keyDown(key));
        EXPECT_EQ(game.selColumn, tc) << key;
        EXPECT_EQ(game.selRow, tr) << key;
    }
    game.selectField(9, 9);
    game.keyPress(' ');
    EXPECT_EQ(game.selColumn, 1);
    EXPECT_EQ(game.selRow, 1);
}

TEST_F(Commands, KeysAndClicksDoNothingOutsideEnteringAndSolving) {
    for (auto state : {gsIdle, gsRestored, gsSolved}) {
        game.gameState = state;
        game.selColumn = 4;
        game.selRow = 4;
        view.calls.clear();
        EXPECT_TRUE(game.keyDown(vkRight));
        EXPECT_TRUE(game.keyPress('7'));
        game.boardPress(2, 2);
        EXPECT_EQ(game.selColumn, 4);
        EXPECT_EQ(game.board.filled(), 0);
        EXPECT_TRUE(view.calls.empty());
    }
    game.gameState = gsSolving;
    game.boardPress(2, 3);
    EXPECT_EQ(game.selColumn, 2);
    EXPECT_EQ(game.selRow, 3);
}

TEST_F(Commands, DeleteZeroAndBackspaceByState) {
    game.commandBarChange(4, true);
    game.keyPress('4');
    game.selectField(1, 1);
    game.keyDown(vkDelete);
    EXPECT_EQ(game.board.digit(1, 1), 0);
    game.keyPress('4');
    game.selectField(1, 1);
    game.keyPress('0');
    EXPECT_EQ(game.board.digit(1, 1), 0);
    EXPECT_EQ(game.selColumn, 1);  // erasing does not advance

    game.commandBarChange(6, true);
    game.keyPress('2');
    EXPECT_EQ(game.board.at(1, 1).kind, fkEntered);
    EXPECT_EQ(game.selColumn, 1);  // solving: selection stays
    game.keyDown(vkBack);          // take back: pause, then the tick removes it
    EXPECT_EQ(game.fillMode, fmTakeBack);
    EXPECT_FALSE(game.keyPress('3'));  // locked while the pause runs
    EXPECT_FALSE(game.keyDown(vkRight));
    game.Timer1Timer();
    EXPECT_EQ(game.board.digit(1, 1), 0);
}

TEST_F(Commands, EscapeUnlocksAndTheLockIgnoresClicks) {
    game.gameState = gsSolving;
    game.selectField(5, 5);
    game.fillMode = fmFilling;
    game.boardPress(1, 1);
    EXPECT_EQ(game.selColumn, 5);
    EXPECT_TRUE(game.keyDown(vkEscape));
    EXPECT_EQ(game.fillMode, fmNone);
    game.boardPress(1, 1);
    EXPECT_EQ(game.selColumn, 1);
}

TEST_F(Commands, HoverTextsAndLeavingTheBar) {
    EXPECT_EQ(game.commandHoverText(2), "paste puzzle from clipboard");
    game.board.set(3, 3, 3, fkGiven);
    EXPECT_EQ(game.commandHoverText(2), "copy puzzle to clipboard");
    EXPECT_EQ(game.commandHoverText(0), "open puzzle from disc");
    EXPECT_EQ(game.commandHoverText(6), "search for a solution");
    EXPECT_EQ(Game::analysisHoverText(1), "show hints");
    EXPECT_EQ(Game::analysisHoverText(5), "remove last entry");

    game.setStatus(1, "conflict");
    game.setStatus(4, "erase puzzle");
    game.commandBarLeave();
    EXPECT_EQ(window.statusText, "");
    game.setStatus(5, "");
    EXPECT_EQ(window.statusText, "conflict");
    game.commandBarLeave();  // not grey: kept
    EXPECT_EQ(window.statusText, "conflict");

    game.linkEnter();
    EXPECT_EQ(window.statusText, "to Vorlane website");
    EXPECT_EQ(window.statusColour, (Rgb{176, 176, 176}));
    game.linkLeave();
    EXPECT_EQ(window.statusText, "conflict");
    game.linkClick();
    game.fillMode = fmClipboard;
    game.linkClick();
    EXPECT_EQ(window.platformCalls, (std::vector<std::string>{"web"}));
}

TEST_F(Commands, HintsReleaseBlanksTheLineButKeepsTheMessage) {
    game.board = boardFrom(validSolution());
    game.board.at(2, 2).digit = 0;
    startSolving(game);
    EXPECT_EQ(window.statusColour, (Rgb{0, 208, 0}));
    const std::string hintText = window.statusText;
    EXPECT_EQ(game.selColumn, 2);
    game.analysisBarChange(1, false);
    EXPECT_EQ(window.statusText, "");
    EXPECT_EQ(window.visibleAnalysis, (std::set<int>{0, 1, 4, 5}));
    game.setStatus(5, "");
    EXPECT_EQ(window.statusText, hintText);
}

// "search" checks the puzzle digits alone and says at once when they do not give one solution.
TEST(SearchCheck, NamesAPuzzleWithoutOrWithSeveralSolutions) {
    const std::string published = loadPuzzles()[0], minimal = loadPuzzles("sudoku17-sample.txt")[0];
    struct Case {
        const char* name;
        std::string puzzle;
        const char* message;
    };
    auto with = [](std::string text, int index, char digit) { return text[index] = digit, text; };
    for (const Case& k :
         {Case{"published", published, ""},
          Case{"a given changed", with(published, 2, '4'), "puzzle has no solution"},
          Case{"a given of a minimal puzzle removed", with(minimal, 5, '0'),
               "puzzle has more than one solution"},
          Case{"empty board", std::string(81, '.'), "puzzle has more than one solution"},
          Case{"conflicting givens", with(published, 0, '3'), "puzzle has no solution"},
          Case{"published with a wrong entry", published, ""}}) {
        Fixture f;
        f.game.board = boardFrom(k.puzzle);
        if (k.name == std::string("published with a wrong entry"))
            f.game.board.set(1, 1, 5, fkEntered);
        f.game.commandBarChange(cmdSearch, true);
        EXPECT_EQ(f.window.statusText, k.message) << k.name;
        EXPECT_EQ(f.window.statusColour, statusColors[*k.message ? 1 : 0]) << k.name;
        f.game.setStatus(5, "");  // remembered: the mouse leaving a button brings it back
        EXPECT_EQ(f.window.statusText, k.message) << k.name;
        // Solving starts as always.
        EXPECT_EQ(f.game.gameState, gsSolving) << k.name;
        EXPECT_EQ(f.game.selColumn * 10 + f.game.selRow, 11) << k.name;
        EXPECT_EQ(f.window.visibleAnalysis, (std::set<int>{0, 5})) << k.name;
    }
}

}  // namespace
}  // namespace dozudo::test
