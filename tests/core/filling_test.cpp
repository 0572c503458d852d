// Automatic filling, take back and the pacing timer, ticked by hand.
#include <gtest/gtest.h>

#include "fakes.h"
#include "game/keys.h"

namespace dozudo::test {
namespace {

struct Filling : Fixture, ::testing::Test {
    // Ticks the timer the way the platform would while it is enabled.
    void tick() {
        ASSERT_TRUE(window.timerOn);
        game.Timer1Timer();
    }
    void fillAll() { game.analysisBarChange(3, true); }
    void fillDigit() { game.analysisBarChange(2, true); }
};

TEST_F(Filling, FillAllSolvesASinglesPuzzleOneDigitPerTick) {
    const std::string puzzle = loadPuzzles()[0];
    game.board = boardFrom(puzzle);
    startSolving(game);
    const int empty = 81 - game.board.filled();
    EXPECT_EQ(window.interval, 333);
    fillAll();
    EXPECT_EQ(window.interval, 500);
    EXPECT_EQ(game.board.filled(), 82 - empty);  // the first digit at once
    EXPECT_EQ(game.fillMode, fmFilling);
    int ticks = 0;
    while (window.timerOn && ticks < 100) {
        const int before = game.board.filled();
        tick();
        ++ticks;
        EXPECT_EQ(game.board.filled(), before + 1);
    }
    EXPECT_EQ(ticks, empty - 1);
    EXPECT_EQ(game.gameState, gsSolved);
    EXPECT_EQ(game.fillMode, fmNone);
    EXPECT_FALSE(window.timerOn);
    EXPECT_EQ(window.statusText, "puzzle solved");
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) {
            const bool given = puzzle[(r - 1) * 9 + c - 1] != '.';
            EXPECT_EQ(game.board.at(c, r).kind, given ? fkGiven : fkFilled);
        }
    EXPECT_EQ(game.entryLog.entryCount, empty);

    // Filling while solved places nothing and leaves the keys usable after "search".
    fillDigit();
    EXPECT_EQ(game.fillMode, fmNone);
}

TEST_F(Filling, FillAllStopsAtNoHintWithAnEmptyLine) {
    // A puzzle the single rules cannot finish: filling stops at hint kind 0.
    std::string puzzle;
    for (const auto& p : loadPuzzles()) {
        Fixture probe;
        probe.game.board = boardFrom(p);
        startSolving(probe.game);
        probe.game.analysisBarChange(3, true);
        while (probe.window.timerOn) probe.game.Timer1Timer();
        if (probe.game.gameState != gsSolved) {
            puzzle = p;
            break;
        }
    }
    ASSERT_FALSE(puzzle.empty());
    game.board = boardFrom(puzzle);
    startSolving(game);
    fillAll();
    while (window.timerOn) tick();
    EXPECT_EQ(game.gameState, gsSolving);
    EXPECT_EQ(game.hint.hintKind, 0);
    EXPECT_EQ(game.fillMode, fmNone);
    EXPECT_EQ(window.statusText, "");
    EXPECT_GT(game.entryLog.entryCount, 0);
}

TEST_F(Filling, FillDigitWithoutHintPlacesNothing) {
    startSolving(game);
    fillDigit();
    EXPECT_EQ(game.board.filled(), 0);
    EXPECT_EQ(game.fillMode, fmNone);
    EXPECT_FALSE(window.timerOn);
}

TEST_F(Filling, FillDigitPlacesOneGreyDigit) {
    game.board = boardFrom(loadPuzzles()[0]);
    startSolving(game);
    const Hint h = game.hint;
    fillDigit();
    EXPECT_EQ(game.board.at(h.hintColumn, h.hintRow).digit, h.hintDigit);
    EXPECT_EQ(game.board.at(h.hintColumn, h.hintRow).kind, fkFilled);
    EXPECT_EQ(game.fillMode, fmNone);
    EXPECT_FALSE(window.timerOn);
    EXPECT_EQ(window.statusColour, (Rgb{0, 208, 0}));  // the next hint is shown
}

TEST_F(Filling, TakeBackRemovesSystemDigitsAtOnceAndTheUsersOneTickLater) {
    startSolving(game);
    game.selectField(1, 1);
    game.enterDigit(5);  // by the user
    game.fillMode = fmFilling;
    game.selectField(2, 1);
    game.enterDigit(6);
    game.selectField(3, 1);
    game.enterDigit(7);
    game.fillMode = fmNone;
    ASSERT_EQ(game.entryLog.entryCount, 3);

    game.analysisBarChange(5, true);
    EXPECT_EQ(game.entryLog.entryCount, 1);
    EXPECT_EQ(game.board.digit(3, 1), 0);
    EXPECT_EQ(game.board.digit(2, 1), 0);
    EXPECT_EQ(game.board.digit(1, 1), 5);
    EXPECT_EQ(game.selColumn, 1);
    EXPECT_EQ(game.selRow, 1);
    EXPECT_EQ(game.fillMode, fmTakeBack);
    EXPECT_EQ(window.interval, 333);
    tick();
    EXPECT_EQ(game.entryLog.entryCount, 0);
    EXPECT_EQ(game.board.digit(1, 1), 0);
    EXPECT_EQ(game.fillMode, fmNone);
    EXPECT_TRUE(window.timerOn);  // the next tick switches it off
    tick();
    EXPECT_FALSE(window.timerOn);
}

TEST_F(Filling, DoublePressRemovesTheUserEntryOnceAndRestartsThePause) {
    startSolving(game);
    game.enterDigit(5);
    game.selectField(2, 1);
    game.enterDigit(6);
    game.analysisBarChange(5, true);
    const int restarts = window.timerRestarts;
    game.analysisBarChange(5, true);
    EXPECT_EQ(window.timerRestarts, restarts + 1);
    EXPECT_EQ(game.entryLog.entryCount, 2);
    tick();
    EXPECT_EQ(game.entryLog.entryCount, 1);
    EXPECT_EQ(game.board.digit(2, 1), 0);
    EXPECT_EQ(game.board.digit(1, 1), 5);
}

TEST_F(Filling, EscapeCancelsThePendingTakeBack) {
    startSolving(game);
    game.enterDigit(5);
    game.keyDown(vkBack);
    EXPECT_EQ(game.fillMode, fmTakeBack);
    game.keyDown(vkEscape);
    tick();
    EXPECT_EQ(game.board.digit(1, 1), 5);
    EXPECT_FALSE(window.timerOn);
}

TEST_F(Filling, OnlySystemDigitsAreRemovedAtOnceAndFillingGoesOn) {
    game.board = boardFrom(loadPuzzles()[0]);
    startSolving(game);
    fillAll();
    tick();
    ASSERT_EQ(game.entryLog.entryCount, 2);
    game.analysisBarChange(5, true);  // log only holds system digits
    EXPECT_EQ(game.entryLog.entryCount, 0);
    EXPECT_EQ(game.fillMode, fmFilling);
    EXPECT_EQ(game.board.filled(), boardFrom(loadPuzzles()[0]).filled());
    EXPECT_EQ(window.statusColour, (Rgb{0, 208, 0}));  // hint refreshed
    tick();
    EXPECT_EQ(game.entryLog.entryCount, 1);
}

TEST_F(Filling, TakeBackWithEmptyLogAndAfterErase) {
    startSolving(game);
    view.calls.clear();
    game.takeBack();
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(game.fillMode, fmNone);
    game.enterDigit(5);
    game.takeBack();
    game.commandBarChange(3, true);  // erase during the pause ends it
    EXPECT_FALSE(window.timerOn);
    game.Timer1Timer();  // a tick already queued
    EXPECT_EQ(game.entryLog.entryCount, 0);
    EXPECT_EQ(game.fillMode, fmNone);
}

TEST_F(Filling, PauseIs500AfterFillAllWasUsed) {
    startSolving(game);
    fillAll();  // nothing to fill on an empty board, but the interval stays 500
    game.enterDigit(5);
    game.takeBack();
    EXPECT_EQ(window.interval, 500);
}

TEST_F(Filling, ClipboardPauseEndsInIdleAndReleasesTheButton) {
    // Ended by its tick, or at once by Escape: never with "clipbrd" left down.
    for (bool escape : {false, true}) {
        game.gameState = gsRestored;
        game.fillMode = fmClipboard;
        window.timerOn = true;
        window.released.clear();
        if (escape)
            game.keyDown(vkEscape);
        else
            tick();
        EXPECT_EQ(game.gameState, gsIdle) << escape;
        EXPECT_EQ(game.fillMode, fmNone) << escape;
        EXPECT_FALSE(window.timerOn) << escape;
        EXPECT_EQ(window.released, (std::vector<int>{2})) << escape;
    }
}

TEST_F(Filling, OpeningAPuzzleForgetsThePreviousLog) {
    startSolving(game);
    game.enterDigit(5);
    game.selectField(2, 2);
    game.enterDigit(6);
    Board opened = boardFrom(loadPuzzles()[1]);
    game.replaceBoard(opened);
    EXPECT_EQ(game.entryLog.entryCount, 0);
    game.takeBack();
    game.Timer1Timer();
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) EXPECT_EQ(game.board.digit(c, r), opened.digit(c, r));
}

}  // namespace
}  // namespace dozudo::test
