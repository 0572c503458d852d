// The rule check and the two ways a digit reaches the selected field.
#include <gtest/gtest.h>

#include "fakes.h"
#include "model/rules.h"

namespace dozudo::test {
namespace {

TEST(CheckRules, RowBeforeColumnBeforeGroup) {
    Board b;
    b.set(9, 2, 5, fkGiven);               // row 2
    b.set(4, 8, 6, fkGiven);               // column 4
    b.set(5, 1, 7, fkGiven);               // group 2
    b.set(6, 3, 5, fkGiven);               // 5 also in group 2 and column 6
    EXPECT_EQ(checkRules(b, 4, 2, 5), 1);  // row and group: row wins
    EXPECT_EQ(checkRules(b, 4, 2, 6), 2);
    EXPECT_EQ(checkRules(b, 4, 2, 7), 3);
    EXPECT_EQ(checkRules(b, 6, 7, 5), 2);  // column 6 (the 5 at (6,3)) and not its group
    EXPECT_EQ(checkRules(b, 4, 2, 8), 0);
    EXPECT_EQ(checkRules(b, 9, 2, 5), 1);  // the field's own digit counts as row
    EXPECT_EQ(checkRules(b, 1, 1, 0), 1);  // digit 0: empty field
    EXPECT_EQ(checkRules(b, 9, 2, 0), 0);
}

struct EntryFixture : Fixture, ::testing::Test {
    void SetUp() override {
        game.board.set(9, 2, 5, fkGiven);
        game.board.set(4, 8, 6, fkGiven);
        game.board.set(5, 1, 7, fkGiven);
    }
};

TEST_F(EntryFixture, ConflictMessagesWhileSolving) {
    game.gameState = gsSolving;
    game.selectField(4, 2);
    struct Case {
        int digit;
        const char* text;
    };
    for (auto [digit, text] : {Case{5, "5 allready present in row 2"},
                               {6, "6 allready present in column 4"},
                               {7, "7 allready present in  group 2"}}) {
        const int beeps = window.beeps;
        game.enterDigit(digit);
        EXPECT_EQ(window.statusText, text);
        EXPECT_EQ(window.statusColour, (Rgb{255, 0, 0}));
        EXPECT_EQ(window.beeps, beeps + 1);
        EXPECT_FALSE(game.entryAccepted);
        EXPECT_EQ(game.board.digit(4, 2), 0);
        EXPECT_EQ(game.entryLog.entryCount, 0);
    }
}

TEST_F(EntryFixture, AcceptedDigitIsStoredDrawnLoggedAndBlanksTheLine) {
    game.gameState = gsSolving;
    game.setStatus(1, "old conflict");
    game.selectField(1, 1);
    game.enterDigit(3);
    EXPECT_TRUE(game.entryAccepted);
    EXPECT_EQ(game.board.at(1, 1).digit, 3);
    EXPECT_EQ(game.board.at(1, 1).kind, fkEntered);
    EXPECT_EQ(view.calls.back(), "drawField 1,1 3 2");
    EXPECT_EQ(game.entryLog.entryCount, 1);
    EXPECT_EQ(game.filledCount, 4);
    EXPECT_EQ(window.statusText, "");
    EXPECT_EQ(game.status.lastMessage(), "old conflict");  // blanked directly, still remembered

    // Typing the same digit again is a row conflict of the field itself.
    game.enterDigit(3);
    EXPECT_EQ(window.statusText, "3 allready present in row 1");

    // Replacing moves the triple to the end; erasing drops it.
    game.selectField(2, 1);
    game.enterDigit(4);
    game.selectField(1, 1);
    game.enterDigit(8);
    ASSERT_EQ(game.entryLog.entryCount, 2);
    EXPECT_EQ(game.entryLog.triple(2).digit, 8);
    game.enterDigit(0);
    EXPECT_TRUE(game.entryAccepted);
    EXPECT_EQ(game.entryLog.entryCount, 1);
    EXPECT_EQ(game.entryLog.triple(1).column, 2);
}

TEST_F(EntryFixture, PuzzleAndFilledDigitsCannotBeChangedWhileSolving) {
    game.gameState = gsSolving;
    game.board.set(3, 3, 2, fkFilled);
    game.setStatus(2, "kept");
    for (auto [c, r] : {std::pair{9, 2}, {3, 3}})
        for (int d : {0, 1}) {
            game.selectField(c, r);
            const Board before = game.board;
            game.enterDigit(d);
            EXPECT_FALSE(game.entryAccepted);
            EXPECT_EQ(game.board.digit(c, r), before.digit(c, r));
            EXPECT_EQ(window.statusText, "kept");
        }
    EXPECT_EQ(window.beeps, 4);
    game.selectField(1, 1);
    game.enterDigit(0);  // erase of an empty field
    EXPECT_EQ(window.beeps, 5);
    EXPECT_FALSE(game.entryAccepted);
}

TEST_F(EntryFixture, PuzzleDigitsOverwriteAnyFieldSilently) {
    game.gameState = gsEntering;
    game.board.set(2, 2, 4, fkEntered);
    game.selectField(2, 2);
    game.enterPuzzleDigit(9);
    EXPECT_TRUE(game.entryAccepted);
    EXPECT_EQ(game.board.at(2, 2).digit, 9);
    EXPECT_EQ(game.board.at(2, 2).kind, fkGiven);
    game.enterPuzzleDigit(9);  // own digit: beep, nothing changes, no message
    EXPECT_FALSE(game.entryAccepted);
    EXPECT_EQ(window.beeps, 1);
    EXPECT_EQ(window.statusText, "");
    game.enterPuzzleDigit(0);
    EXPECT_TRUE(game.entryAccepted);
    EXPECT_EQ(game.board.at(2, 2).digit, 0);
    EXPECT_EQ(game.board.at(2, 2).kind, fkGiven);
    game.enterPuzzleDigit(0);  // erasing an empty field is accepted too
    EXPECT_TRUE(game.entryAccepted);
    EXPECT_EQ(game.entryLog.entryCount, 0);
}

TEST(Entry, The81stDigitSolvesAndSkipsTheAnalysis) {
    Fixture f;
    f.game.board = boardFrom(validSolution());
    const int last = f.game.board.digit(9, 9);
    f.game.board.at(9, 9).digit = 0;
    startSolving(f.game);
    f.view.calls.clear();
    f.game.selectField(9, 9);
    f.game.enterDigit(last);
    EXPECT_EQ(f.game.gameState, gsSolved);
    EXPECT_EQ(f.window.statusText, "puzzle solved");
    EXPECT_EQ(f.window.statusColour, (Rgb{0, 0, 255}));
    EXPECT_EQ(f.view.count("paintAllOptions"), 0);
}

TEST(Entry, HintsNeedOptionsShown) {
    Fixture f;
    startSolving(f.game, false, false);
    f.game.hintsShown = true;
    f.game.enterDigit(1);
    EXPECT_EQ(f.view.count("paintAllOptions"), 0);
    EXPECT_EQ(f.game.hint.hintKind, 0);
    EXPECT_EQ(f.window.statusText, "");
}

TEST(Entry, RemoveLastEntryEmptiesTheFieldAndUpdates) {
    Fixture f;
    startSolving(f.game);
    f.game.enterDigit(4);
    f.game.selectField(5, 5);
    f.game.enterDigit(6);
    f.game.removeLastEntry();
    EXPECT_EQ(f.game.board.digit(5, 5), 0);
    EXPECT_EQ(f.game.board.digit(1, 1), 4);
    EXPECT_EQ(f.game.entryLog.entryCount, 1);
    EXPECT_EQ(f.game.optionTables.at(5, 5), allDigits);
    EXPECT_EQ(f.game.optionTables.at(1, 5), allDigits & ~digitBit(4));
}

}  // namespace
}  // namespace dozudo::test
