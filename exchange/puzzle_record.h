#pragma once
// The puzzle file's record: 81 pairs of bytes (digit, given flag), column 1 rows 1..9
// first, then column 2, ..., column 9. No header.

#include <array>
#include <cstdint>

#include "model/board.h"

namespace dozudo {

inline constexpr int puzzleRecordSize = 162;
using puzzleRecord = std::array<std::uint8_t, puzzleRecordSize>;

// Byte offset of the pair of field (column, row).
constexpr int recordOffset(int column, int row) {
    return (column - 1) * 18 + (row - 1) * 2;
}

// Digit and given flag of every field; the flag is 1 for kind fkGiven, empty fields included.
puzzleRecord recordFromBoard(const Board& board);
// A flag other than 0 reads as fkGiven, 0 as fkEntered; digits are taken as they stand.
Board boardFromRecord(const puzzleRecord& record);
// Whether every digit byte is 0..9.
bool recordDigitsValid(const puzzleRecord& record);

}  // namespace dozudo
