// One solving step on a mid-game board with options and hints shown: the entry,
// its rule check and log, the options, the hint search and its message.
#include <benchmark/benchmark.h>

#include <string>

#include "game/game.h"

namespace dozudo {
namespace {

struct NoView : BoardView {
    void drawField(int, int, int, int) override {}
    void paintAllOptions() override {}
    void eraseSelectionMark(int, int) override {}
    void drawSelectionMark(int, int) override {}
    void repaintBoard() override {}
};

struct NoWindow : Window {
    void showStatusLine(const std::string& text, Rgb) override {
        benchmark::DoNotOptimize(text.data());
    }
    void setCaption(const std::string&) override {}
    void beep() override {}
    void setTimerInterval(int) override {}
    void setTimerEnabled(bool) override {}
    void releaseCommandButton(int) override {}
    void hideAnalysisButton(int) override {}
    void showAnalysisButton(int) override {}
};

// A published puzzle with about half of its empty fields filled from its solution.
const char* midGame =
    "4.392.65.96.345.21.518.649.5.81329.67.9.6.1.81.67982.5.726.951.81.253.69.95.173.2";

void BM_EnterDigitStep(benchmark::State& state) {
    NoView view;
    NoWindow window;
    Game game(view, window);
    for (int i = 0; i < 81; ++i)
        if (midGame[i] != '.') game.board.set(i % 9 + 1, i / 9 + 1, midGame[i] - '0', fkGiven);
    game.commandBarChange(6, true);   // search
    game.analysisBarChange(0, true);  // show options
    game.analysisBarChange(1, true);  // hints
    // An empty field and a digit its units allow; entering and erasing it alternate.
    game.selectField(2, 1);
    bool entered = false;
    for (auto _ : state) {
        game.selColumn = 2;
        game.selRow = 1;
        game.enterDigit(entered ? 0 : 8);
        entered = !entered;
        benchmark::DoNotOptimize(game.hint);
    }
    if (game.board.digit(2, 1) != 0 && game.board.digit(2, 1) != 8)
        state.SkipWithError("entry refused");
}
BENCHMARK(BM_EnterDigitStep);

}  // namespace
}  // namespace dozudo
