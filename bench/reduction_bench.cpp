// The two-pass option reduction on boards from empty to mid-game, with the
// fast unit pass and with the exhaustive enumerator.

#include <benchmark/benchmark.h>

#include <string>

#include "analysis/intersection_reduction.h"
#include "analysis/options.h"
#include "analysis/reduction.h"
#include "analysis/unit_reduction.h"

namespace {

using namespace dozudo;

Board boardFromLine(const char* line) {
    Board b;
    for (int i = 0; i < 81; ++i)
        if (line[i] >= '1' && line[i] <= '9') b.set(i % 9 + 1, i / 9 + 1, line[i] - '0', fkGiven);
    return b;
}

// A 17-clue puzzle.
constexpr const char* seventeen =
    "000000010400000000020000000000050407008000300001090000300400200050100000000806000";
// The first puzzle of tests/data/euler50.txt with every other one of its empty
// fields filled from its solution, in reading order (25 of 49).
constexpr const char* puzzle =
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
constexpr const char* solution =
    "483921657967345821251876493548132976729564138136798245372689514814253769695417382";

Board midGame() {
    Board b = boardFromLine(puzzle);
    int empty = 0;
    for (int i = 0; i < 81; ++i)
        if (puzzle[i] == '.' && empty++ % 2 == 0)
            b.set(i % 9 + 1, i / 9 + 1, solution[i] - '0', fkEntered);
    return b;
}

Board boardNamed(int which) {
    switch (which) {
        case 0:
            return Board{};
        case 1:
            return boardFromLine(seventeen);
        default:
            return midGame();
    }
}

const char* boardLabel(int which) {
    return which == 0 ? "empty" : which == 1 ? "17-clue" : "mid-game";
}

void BM_Reduction(benchmark::State& state) {
    OptionTables start;
    computeOptions(boardNamed(static_cast<int>(state.range(0))), start);
    for (auto _ : state) {
        OptionTables t = start;
        reduceOptionTables(t);
        benchmark::DoNotOptimize(t);
    }
    state.SetLabel(boardLabel(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_Reduction)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_ReductionEnumerated(benchmark::State& state) {
    OptionTables start;
    computeOptions(boardNamed(static_cast<int>(state.range(0))), start);
    for (auto _ : state) {
        OptionTables t = start;
        reduceByUnitsEnumerated(t);
        reduceByIntersections(t);
        benchmark::DoNotOptimize(t);
    }
    state.SetLabel(boardLabel(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_ReductionEnumerated)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace
