#pragma once
// Shared by the fuzz targets: screens that check every call the core makes,
// and the sanity check of the program's state after every input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>

#include "analysis/solver.h"
#include "game/exchange_commands.h"
#include "game/game.h"

namespace dozudo::fuzz {

[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "insane game state: %s\n", what);
    std::abort();
}

inline bool onBoard(int column, int row) { return column >= 1 && column <= 9 && row >= 1 && row <= 9; }

struct View : BoardView {
    void drawField(int c, int r, int d, int k) override {
        if (!onBoard(c, r) || d < 0 || d > 9 || k < 0 || k > 2) fail("drawField out of range");
    }
    void paintAllOptions() override {}
    void eraseSelectionMark(int c, int r) override {
        if (!onBoard(c, r)) fail("eraseSelectionMark off the board");
    }
    void drawSelectionMark(int c, int r) override {
        if (!onBoard(c, r)) fail("drawSelectionMark off the board");
    }
    void repaintBoard() override {}
};

// A clipboard whose answer comes when the input says so.
struct HeldClipboard : PuzzleClipboard {
    TextAnswer pending;
    std::string contents;
    void requestText(TextAnswer answer) override { pending = std::move(answer); }
    void cancelRequest() override { pending = nullptr; }
    void setText(const std::string& text) override { contents = text; }
    void answer(const std::string& text) {
        if (TextAnswer a = std::exchange(pending, nullptr)) a(text);
    }
};

// Mirrors what the window's controls allow: only visible analysis buttons can
// be pressed, toggles remember their state, the timer ticks only when on.
struct Screen : Window {
    std::set<int> visible;
    bool toggled[2] = {false, false};
    bool timerOn = false;
    Game* game = nullptr;  // "clipbrd" reads `clipboard` when set
    HeldClipboard clipboard;
    void clipboardCommand() override {
        if (game) game->clipboardCommand(clipboard);
    }
    void showStatusLine(const std::string&, Rgb) override {}
    void setCaption(const std::string&) override {}
    void beep() override {}
    void setTimerInterval(int ms) override {
        if (ms <= 0) fail("timer interval not positive");
    }
    void setTimerEnabled(bool on) override { timerOn = on; }
    void releaseCommandButton(int n) override {
        if (n < 0 || n > 7) fail("release of a command button that does not exist");
    }
    void hideAnalysisButton(int n) override {
        if (n < 0 || n > 5) fail("hide of an analysis button that does not exist");
        visible.erase(n);
        if (n < 2) toggled[n] = false;
    }
    void showAnalysisButton(int n) override {
        if (n < 0 || n > 5) fail("show of an analysis button that does not exist");
        visible.insert(n);
    }
};

inline void checkSane(const Game& g) {
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) {
            const field& f = g.board.at(c, r);
            if (f.digit > 9) fail("digit above 9");
            if (f.kind > fkEntered) fail("unknown field kind");
            if (g.optionTables.at(c, r) & ~DigitMask(1022)) fail("option outside 1..9");
        }
    // The count is refreshed when it is read, so it may lag behind, never exceed 81.
    if (g.filledCount > 81) fail("filled count above 81");
    if (g.entryLog.entryCount > 81) fail("entry log longer than 81");
    for (int i = 1; i <= g.entryLog.entryCount; ++i) {
        const EntryTriple& e = g.entryLog.triple(i);
        if (!onBoard(e.column, e.row) || e.digit > 9) fail("entry log triple out of range");
    }
    if (g.gameState > gsSolved || g.fillMode > fmClipboard) fail("state out of range");
    // Nothing can change the board while "clipbrd" waits for the text it pastes.
    if (g.clipboardWaiting() && (g.fillMode != fmClipboard || g.board.filled() != 0))
        fail("board unlocked or changed while waiting for the clipboard");
    if (g.selColumn < 0 || g.selColumn > 9 || g.selRow < 0 || g.selRow > 9) fail("selection off the board");
    if ((g.selColumn == 0) != (g.selRow == 0)) fail("half a selection");
    if (g.hint.hintKind > 8 || g.hint.hintDigit > 9 || g.hint.hintRow > 9 || g.hint.hintColumn > 9 ||
        g.hint.hintGroup > 9)
        fail("hint out of range");
}

// Every row, column and group of a full board holds 1..9.
// The same digits and kinds in every field.
inline bool sameBoard(const Board& a, const Board& b) {
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r)
            if (a.digit(c, r) != b.digit(c, r) || a.at(c, r).kind != b.at(c, r).kind) return false;
    return true;
}

inline bool obeysRules(const Board& b) {
    for (int u = 1; u <= 9; ++u) {
        int row = 0, column = 0, group = 0;
        for (int i = 1; i <= 9; ++i) {
            row |= 1 << b.digit(i, u);
            column |= 1 << b.digit(u, i);
            group |=
                1 << b.digit(groupFirstColumn(u) + (i - 1) % 3, groupFirstRow(u) + (i - 1) / 3);
        }
        if ((row & column & group) != 1022) return false;
    }
    return true;
}

// The solver on a board: a solution it gives obeys the rules, keeps the board's digits
// and is the only completion of itself. Returns the number of solutions (0, 1, 2 for more).
inline int checkSolver(const Board& board) {
    Board solution;
    const int n = countSolutions(board, 2, &solution);
    if (n < 0 || n > 2) fail("solution count out of range");
    if (n == 0) return n;
    if (!obeysRules(solution)) fail("a solution breaks the rules");
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r)
            if (board.digit(c, r) != 0 && board.digit(c, r) != solution.digit(c, r))
                fail("a solution changes a digit of the board");
    if (countSolutions(solution) != 1) fail("a solution is not its own only completion");
    return n;
}

// Right after "search": the status line names a puzzle without exactly one solution, and
// the digits on the board (the user's too) have no more solutions than the puzzle digits.
inline void checkSearchVerdict(const Game& g) {
    Board puzzle;
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r)
            if (g.board.at(c, r).kind == fkGiven) puzzle.at(c, r) = g.board.at(c, r);
    const int n = checkSolver(puzzle);
    const char* said = n == 0   ? "puzzle has no solution"
                       : n == 1 ? ""
                                : "puzzle has more than one solution";
    if (g.status.lastMessage() != said || g.status.lastKind() != (n == 1 ? 0 : 1))
        fail("the message after search does not match the puzzle's solutions");
    const int all = checkSolver(g.board);
    if ((all > 0 && n == 0) || (n == 1 && all == 2)) fail("more digits gave more solutions");
}

}  // namespace dozudo::fuzz
