// The technique ladder: a whole explained path per puzzle, and one "next step" press (the
// solver's check of the puzzle, then the step) at every position of those paths. Each
// iteration walks the whole set; the counters give the median and the worst puzzle (or press)
// in milliseconds, over all iterations.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "analysis/ladder.h"
#include "analysis/solver.h"
#include "puzzle_data.h"

namespace {

using namespace dozudo;
using dozudo::bench::loadBoards;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void report(benchmark::State& state, std::vector<double>& times) {
    if (times.empty()) return;
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["worst_ms"] = times.back();
}

const char* const sets[] = {"top95.txt", "hard.txt", "sudoku17-sample.txt", "euler50.txt"};

void BM_ExplainPath(benchmark::State& state) {
    const std::vector<Board> boards = loadBoards(sets[state.range(0)]);
    state.SetLabel(sets[state.range(0)]);
    std::vector<double> times;
    int solved = 0;
    for (auto _ : state)
        for (const Board& b : boards) {
            const Clock::time_point start = Clock::now();
            solved += explainPuzzle(b).solved;
            times.push_back(msSince(start));
        }
    benchmark::DoNotOptimize(solved);
    state.SetItemsProcessed(static_cast<std::int64_t>(times.size()));
    report(state, times);
}
BENCHMARK(BM_ExplainPath)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// Every position of every path, pressed as the window does: the puzzle digits' solutions
// counted, then the step found on the options as they stand.
void BM_NextStepPress(benchmark::State& state) {
    const std::vector<Board> boards = loadBoards(sets[state.range(0)]);
    state.SetLabel(sets[state.range(0)]);
    struct Position {
        Board board;
        OptionTables tables;
    };
    std::vector<Position> positions;
    for (const Board& b : boards) {
        Board board = b;
        OptionTables tables;
        computeOptions(board, tables);
        for (const Step& s : explainPuzzle(b).steps) {
            positions.push_back({board, tables});
            const int cell = s.technique == Technique::hint ? cellAt(s.hint.hintColumn, s.hint.hintRow) : s.placeCell;
            const int digit = s.technique == Technique::hint ? s.hint.hintDigit : s.placeDigit;
            if (digit)
                placeDigit(board, tables, cell, digit);
            else
                applyStep(s, tables);
        }
    }
    std::vector<double> times;
    int found = 0;
    for (auto _ : state)
        for (const Position& p : positions) {
            const Clock::time_point start = Clock::now();
            // The window counts the puzzle digits' solutions first.
            const bool one = countSolutions(p.board.givens()) == 1;
            found += findStep(p.board, p.tables, one).found();
            times.push_back(msSince(start));
        }
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(static_cast<std::int64_t>(times.size()));
    report(state, times);
}
BENCHMARK(BM_NextStepPress)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The slowest case of a press: a board with few digits and many solutions, where every
// technique up to the forcing nets is tried and none applies.
void BM_NextStepPressOpenBoard(benchmark::State& state) {
    Board board = loadBoards("sudoku17-sample.txt").front();
    board.at(1, 1) = {};  // one puzzle digit less than 17: many solutions
    for (int c = 1; c <= 9; ++c) board.at(c, 2) = {};
    OptionTables tables;
    computeOptions(board, tables);
    for (auto _ : state) {
        const bool one = countSolutions(board) == 1;
        benchmark::DoNotOptimize(findStep(board, tables, one));
    }
}
BENCHMARK(BM_NextStepPressOpenBoard)->Unit(benchmark::kMillisecond);

void BM_NextStepPressEmptyBoard(benchmark::State& state) {
    const Board board;
    OptionTables tables;
    computeOptions(board, tables);
    for (auto _ : state) benchmark::DoNotOptimize(findStep(board, tables, countSolutions(board) == 1));
}
BENCHMARK(BM_NextStepPressEmptyBoard)->Unit(benchmark::kMillisecond);

}  // namespace
