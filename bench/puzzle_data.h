#pragma once
// The puzzle collections of tests/data, read for the benchmarks.

#include <fstream>
#include <string>
#include <vector>

#include "model/board.h"

namespace dozudo::bench {

// One puzzle per line of 81 fields in reading order ('#' lines are notes); digits are givens.
inline std::vector<Board> loadBoards(const char* name) {
    std::vector<Board> boards;
    std::ifstream in(std::string(DOZUDO_BENCH_DATA) + "/" + name);
    for (std::string line; std::getline(in, line);) {
        if (line.size() < 81 || line[0] == '#') continue;
        Board b;
        for (int i = 0; i < 81; ++i)
            if (line[i] >= '1' && line[i] <= '9')
                b.set(i % 9 + 1, i / 9 + 1, line[i] - '0', fkGiven);
        boards.push_back(b);
    }
    return boards;
}

}  // namespace dozudo::bench
