#pragma once
// The options of every field and the digits still missing in every unit.
// Digit sets are 16-bit masks with bit d for digit d (bits 1..9).

#include <array>
#include <cstdint>

#include "model/board.h"

namespace dozudo {

using DigitMask = std::uint16_t;
inline constexpr DigitMask allDigits = 1022;

constexpr DigitMask digitBit(int digit) {
    return static_cast<DigitMask>(1u << digit);
}

struct OptionTables {
    // options[column-1][row-1]: empty field -> digits allowed; filled -> its own digit.
    std::array<std::array<DigitMask, 9>, 9> options{};
    std::array<DigitMask, 9> rowMask{};     // [row-1]: digits missing in the row
    std::array<DigitMask, 9> columnMask{};  // [column-1]
    std::array<DigitMask, 9> groupMask{};   // [group-1]

    DigitMask& at(int column, int row) { return options[column - 1][row - 1]; }
    DigitMask at(int column, int row) const { return options[column - 1][row - 1]; }
};

// Recomputes all four tables from the board.
void computeOptions(const Board& board, OptionTables& tables);

// Number of digits 1..9 in the mask.
int optionCount(DigitMask mask);
// The n-th smallest digit of the mask, counting from 1; 0 if there are fewer than n.
int nthOption(DigitMask mask, int n);

}  // namespace dozudo
