// The collection check: one puzzle per iteration, solved by the solver and by the
// window's own logic ("fill all", "reduction").
#include <benchmark/benchmark.h>

#include "game/collection_check.h"
#include "puzzle_data.h"

namespace {

using namespace dozudo;

void BM_CheckPuzzle17Givens(benchmark::State& state) {
    static const std::vector<Board> boards = bench::loadBoards("sudoku17-sample.txt");
    if (boards.empty()) {
        state.SkipWithError("no puzzles found");
        return;
    }
    std::size_t next = 0;
    int stuck = 0;
    for (auto _ : state) {
        stuck += checkPuzzle(boards[next]).logic == PuzzleVerdict::Stuck;
        if (++next == boards.size()) next = 0;
    }
    benchmark::DoNotOptimize(stuck);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CheckPuzzle17Givens)->Unit(benchmark::kMicrosecond);

}  // namespace
