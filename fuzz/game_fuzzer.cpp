// Fuzz target: the program's state machine driven by arbitrary sequences of the
// events the window forwards (command bar and analysis column presses, keys,
// board clicks, timer ticks). After every event the state must be sane: digits
// 0..9, kinds and states in range, the entry log within the board,
// options within the nine digits and no screen call outside the board.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "game/captions.h"
#include "game/game.h"
#include "game/keys.h"

namespace {

using namespace dozudo;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "insane game state: %s\n", what);
    std::abort();
}

bool onBoard(int column, int row) { return column >= 1 && column <= 9 && row >= 1 && row <= 9; }

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

// Mirrors what the window's controls allow: only visible analysis buttons can
// be pressed, toggles remember their state, the timer ticks only when on.
struct Screen : Window {
    std::set<int> visible;
    bool toggled[2] = {false, false};
    bool timerOn = false;
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

void checkSane(const Game& g) {
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
    if (g.selColumn < 0 || g.selColumn > 9 || g.selRow < 0 || g.selRow > 9) fail("selection off the board");
    if ((g.selColumn == 0) != (g.selRow == 0)) fail("half a selection");
    if (g.hint.hintKind > 8 || g.hint.hintDigit > 9 || g.hint.hintRow > 9 || g.hint.hintColumn > 9 ||
        g.hint.hintGroup > 9)
        fail("hint out of range");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    View view;
    Screen screen;
    Game game(view, screen);
    static const int keys[] = {vkBack, vkEscape, vkLeft, vkUp, vkRight, vkDown, vkDelete, 13, 32, 65};
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const std::uint8_t op = data[i], arg = data[i + 1];
        switch (op % 8) {
            case 0: {  // command bar; erase and restore are push buttons
                const int b = arg % 8;
                game.commandBarChange(b, true);
                if (b == cmdErase || b == cmdRestore) game.commandBarChange(b, false);
                break;
            }
            case 1: {  // analysis column: visible buttons only
                const int b = arg % 6;
                if (!screen.visible.count(b)) break;
                if (b < 2) {
                    screen.toggled[b] = !screen.toggled[b];
                    game.analysisBarChange(b, screen.toggled[b]);
                } else {
                    game.analysisBarChange(b, true);
                    game.analysisBarChange(b, false);
                }
                break;
            }
            case 2: game.keyDown(keys[arg % 10]); break;
            case 3:  // digits and space most of the time, any character now and then
            case 4: game.keyPress(arg < 200 ? " 0123456789"[arg % 11] : static_cast<char>(arg)); break;
            case 5: game.boardPress(arg % 9 + 1, arg / 9 % 9 + 1); break;
            default:  // timer ticks (frequent: filling runs on them)
                if (screen.timerOn)
                    for (int n = 0; n <= arg % 4; ++n) game.Timer1Timer();
                break;
        }
        checkSane(game);
    }
    return 0;
}
