// Fuzz target: the program's state machine driven by arbitrary sequences of the
// events the window forwards (command bar and analysis column presses, keys,
// board clicks, timer ticks, the clipboard's text). After every event the state must be sane:
// digits 0..9, kinds and states in range, the entry log within the board, options within the nine
// digits and no screen call outside the board. After "search" the solver's verdict on the puzzle
// is checked against the status line, and after "next step" the step it shows against a
// solution of the board: no removed option and no placed digit may contradict it.
#include <cstdint>
#include <string>

#include "analysis/solver.h"
#include "fuzz/sane_state.h"
#include "game/captions.h"
#include "game/keys.h"

using namespace dozudo;
using namespace dozudo::fuzz;

namespace {

// A step of the ladder removes only options that no solution of the board holds.
void checkShownStep(const Game& game) {
    const Step& step = game.shownStep;
    Board solution;
    if (!step.found() || countSolutions(game.board, 1, &solution) == 0) return;
    const auto digit = [&](int cell) { return solution.digit(cellColumn(cell), cellRow(cell)); };
    for (const CellDigits& r : step.removals)
        if (r.digits & digitBit(digit(r.cell))) fail("next step removed a digit of the solution");
    if (step.places() && digit(step.placeCell) != step.placeDigit) fail("next step placed a wrong digit");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    View view;
    Screen screen;
    Game game(view, screen);
    screen.game = &game;
    static const int keys[] = {vkBack, vkEscape, vkLeft, vkUp, vkRight, vkDown, vkDelete, 13, 32, 65};
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const std::uint8_t op = data[i], arg = data[i + 1];
        switch (op % 8) {
            case 0: {  // command bar; erase and restore are push buttons
                const int b = arg % 8;
                game.commandBarChange(b, true);
                if (b == cmdErase || b == cmdRestore) game.commandBarChange(b, false);
                if (b == cmdSearch) checkSearchVerdict(game);
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
            case 4:
                game.keyPress(arg < 200 ? " 0123456789n"[arg % 12] : static_cast<char>(arg));
                checkShownStep(game);
                break;
            case 5: game.boardPress(arg % 9 + 1, arg / 9 % 9 + 1); break;
            default:  // timer ticks (frequent: filling runs on them), or the clipboard's text
                if (game.clipboardWaiting()) {
                    const std::string texts[] = {"", screen.clipboard.contents,
                                                 "[53]" + std::string(79, '.'), "77"};
                    screen.clipboard.answer(texts[arg % 4]);
                    if (screen.timerOn != (game.fillMode == fmClipboard))
                        fail("pause not begun with the text");
                } else if (screen.timerOn)
                    for (int n = 0; n <= arg % 4; ++n) game.Timer1Timer();
                break;
        }
        checkSane(game);
    }
    return 0;
}
