// Board, entry log, erase/restore and the status line.
#include <gtest/gtest.h>

#include <sstream>

#include "fakes.h"
#include "model/entry_log.h"

namespace dozudo::test {
namespace {

TEST(Board, GroupsNumberedLeftToRightTopToBottom) {
    struct Case {
        int c, r, g;
    };
    for (auto [c, r, g] : {Case{1, 1, 1},
                           {9, 1, 3},
                           {1, 9, 7},
                           {5, 5, 5},
                           {4, 7, 8},
                           {3, 3, 1},
                           {4, 3, 2},
                           {7, 4, 6},
                           {9, 9, 9}})
        EXPECT_EQ(groupOf(c, r), g) << c << "," << r;
    for (int g = 1; g <= 9; ++g) EXPECT_EQ(groupOf(groupFirstColumn(g), groupFirstRow(g)), g);
    EXPECT_EQ(groupFirstColumn(9), 7);
    EXPECT_EQ(groupFirstRow(4), 4);
}

std::string logText(const EntryLog& log) {
    std::ostringstream s;
    for (int i = 1; i <= log.entryCount; ++i) {
        const auto& t = log.triple(i);
        s << '(' << int(t.column) << ',' << int(t.row) << ',' << int(t.digit) << ')';
    }
    return s.str();
}

TEST(EntryLog, ReenteringMovesTheFieldToTheEndAndErasingDropsIt) {
    EntryLog log;
    recordEntry(log, 4, 4, 0);
    EXPECT_EQ(log.entryCount, 0);
    recordEntry(log, 1, 1, 5);
    recordEntry(log, 2, 1, 6);
    recordEntry(log, 3, 1, 7);
    recordEntry(log, 1, 1, 8);
    EXPECT_EQ(logText(log), "(2,1,6)(3,1,7)(1,1,8)");
    recordEntry(log, 3, 1, 0);
    EXPECT_EQ(logText(log), "(2,1,6)(1,1,8)");
    recordEntry(log, 1, 1, 2);  // last triple replaced in place
    EXPECT_EQ(logText(log), "(2,1,6)(1,1,2)");
}

TEST(EntryLog, EveryFieldOnceFillsAll81Triples) {
    EntryLog log;
    for (int pass = 0; pass < 2; ++pass)
        for (int c = 1; c <= 9; ++c)
            for (int r = 1; r <= 9; ++r) recordEntry(log, c, r, (c + r) % 9 + 1);
    EXPECT_EQ(log.entryCount, 81);
    EXPECT_EQ(log.triple(1).column, 1);
    EXPECT_EQ(log.triple(81).column, 9);
}

TEST(Board, EraseEmptiesDigitsKeepsKindsAndResetsCounts) {
    Fixture f;
    f.game.board = boardFrom("12" + std::string(79, '.'), fkEntered);
    f.game.board.set(5, 5, 7, fkFilled);
    f.game.entryLog.entryCount = 2;
    f.game.filledCount = 3;
    f.game.eraseBoard();
    EXPECT_EQ(f.game.board.filled(), 0);
    EXPECT_EQ(f.game.board.at(1, 1).kind, fkEntered);
    EXPECT_EQ(f.game.board.at(5, 5).kind, fkFilled);
    EXPECT_EQ(f.game.entryLog.entryCount, 0);
    EXPECT_EQ(f.game.filledCount, 0);
    EXPECT_EQ(f.window.caption, "DOZUDO - vudede : ");
    EXPECT_EQ(f.window.statusText, "erased game");
    EXPECT_EQ(f.window.statusColour, (Rgb{0, 0, 0}));
    EXPECT_EQ(f.view.repaints, 1);
}

TEST(Board, RestoreKeepsOnlyPuzzleDigits) {
    Fixture f;
    f.game.board.set(1, 1, 5, fkGiven);
    f.game.board.set(2, 1, 6, fkEntered);
    f.game.board.set(3, 1, 7, fkFilled);
    f.game.entryLog.entryCount = 2;
    f.game.filledCount = 3;
    f.game.restorePuzzle();
    EXPECT_EQ(f.game.board.digit(1, 1), 5);
    EXPECT_EQ(f.game.board.digit(2, 1), 0);
    EXPECT_EQ(f.game.board.digit(3, 1), 0);
    EXPECT_EQ(f.game.board.at(2, 1).kind, fkEntered);
    EXPECT_EQ(f.game.board.at(3, 1).kind, fkFilled);
    EXPECT_EQ(f.game.entryLog.entryCount, 2);  // emptied by the next "search"
    EXPECT_EQ(f.game.filledCount, 3);
    EXPECT_EQ(f.window.statusText, "original puzzle restored");
    EXPECT_EQ(f.view.repaints, 1);
}

TEST(StatusLine, KindsColoursAndTheRememberedMessage) {
    Fixture f;
    StatusLine& s = f.game.status;
    s.setStatus(5, "ignored");
    EXPECT_EQ(f.window.statusText, "");
    EXPECT_EQ(f.window.statusColour, (Rgb{0, 0, 0}));

    s.setStatus(1, "x");
    EXPECT_EQ(f.window.statusColour, (Rgb{255, 0, 0}));
    s.setStatus(4, "y");
    EXPECT_EQ(f.window.statusText, "y");
    EXPECT_EQ(f.window.statusColour, (Rgb{176, 176, 176}));
    s.setStatus(5, "z");
    EXPECT_EQ(f.window.statusText, "x");
    EXPECT_EQ(f.window.statusColour, (Rgb{255, 0, 0}));
    EXPECT_EQ(s.lastMessage(), "x");
    EXPECT_EQ(s.lastKind(), 1);

    s.setStatus(2, "green");
    EXPECT_EQ(f.window.statusColour, (Rgb{0, 208, 0}));
    s.setStatus(3, "blue");
    EXPECT_EQ(f.window.statusColour, (Rgb{0, 0, 255}));

    // Blanking keeps colour and the remembered message.
    s.blank();
    EXPECT_EQ(f.window.statusText, "");
    EXPECT_EQ(f.window.statusColour, (Rgb{0, 0, 255}));
    s.setStatus(5, "");
    EXPECT_EQ(f.window.statusText, "blue");

    s.setStatus(0, "");
    s.setStatus(5, "");
    EXPECT_EQ(f.window.statusText, "");
    EXPECT_EQ(s.lastKind(), 0);
}

}  // namespace
}  // namespace dozudo::test
