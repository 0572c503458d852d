// The exact solver: one puzzle per iteration, proving its solution unique (limit 2).
#include <benchmark/benchmark.h>

#include <vector>

#include "analysis/solver.h"
#include "puzzle_data.h"

namespace {

using namespace dozudo;
using dozudo::bench::loadBoards;

// Every iteration solves the next puzzle of the file, round and round.
void solveEach(benchmark::State& state, const std::vector<Board>& boards) {
    if (boards.empty()) {
        state.SkipWithError("no puzzles found");
        return;
    }
    std::size_t next = 0;
    int unique = 0;
    for (auto _ : state) {
        unique += countSolutions(boards[next]) == 1;
        if (++next == boards.size()) next = 0;
    }
    benchmark::DoNotOptimize(unique);
    state.SetItemsProcessed(state.iterations());
}

void BM_Solve17Givens(benchmark::State& state) {
    static const std::vector<Board> boards = loadBoards("sudoku17-sample.txt");
    solveEach(state, boards);
}
BENCHMARK(BM_Solve17Givens)->Unit(benchmark::kMicrosecond);

void BM_SolvePublished(benchmark::State& state) {
    static const std::vector<Board> boards = loadBoards("euler50.txt");
    solveEach(state, boards);
}
BENCHMARK(BM_SolvePublished)->Unit(benchmark::kMicrosecond);

void BM_SolveTop95(benchmark::State& state) {
    static const std::vector<Board> boards = loadBoards("top95.txt");
    solveEach(state, boards);
}
BENCHMARK(BM_SolveTop95)->Unit(benchmark::kMicrosecond);

void BM_SolveHard(benchmark::State& state) {
    static const std::vector<Board> boards = loadBoards("hard.txt");
    const std::size_t which = static_cast<std::size_t>(state.range(0));
    if (which >= boards.size()) {
        state.SkipWithError("no such puzzle");
        return;
    }
    solveEach(state, {boards[which]});
}
BENCHMARK(BM_SolveHard)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_SolveEmptyBoard(benchmark::State& state) {
    solveEach(state, {Board{}});
}
BENCHMARK(BM_SolveEmptyBoard)->Unit(benchmark::kMicrosecond);

}  // namespace
