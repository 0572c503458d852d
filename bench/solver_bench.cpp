// The exact solver: one puzzle per iteration, proving its solution unique (limit 2).
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "analysis/solver.h"

namespace {

using namespace dozudo;

// The puzzles of a file of tests/data, one line of 81 fields each ('#' lines are notes).
std::vector<Board> loadBoards(const char* name) {
    std::vector<Board> boards;
    std::ifstream in(std::string(DOZUDO_BENCH_DATA) + "/" + name);
    for (std::string line; std::getline(in, line);) {
        if (line.size() < 81 || line[0] == '#') continue;
        Board b;
        for (int i = 0; i < 81; ++i)
            if (line[i] >= '1' && line[i] <= '9') b.set(i % 9 + 1, i / 9 + 1, line[i] - '0', fkGiven);
        boards.push_back(b);
    }
    return boards;
}

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
