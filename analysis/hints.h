#pragma once
// The hint finder: the next contradiction or certain placement on the board.

#include <cstdint>
#include <string>

#include "analysis/options.h"
#include "model/board.h"

namespace dozudo {

// Kinds: 0 none, 1 empty field, 2 single digit, 3/4/5 missing digit in row/column/group,
// 6/7/8 single choice in row/column/group.
struct Hint {
    std::uint8_t hintKind = 0;
    std::uint8_t hintRow = 0;
    std::uint8_t hintColumn = 0;
    std::uint8_t hintGroup = 0;
    std::uint8_t hintDigit = 0;
};

// Searches the current options; sets hintKind and only the items the found kind names.
void findHint(const Board& board, const OptionTables& tables, Hint& hint);

// The status-line message of the hint and its status kind (0 for no hint).
std::string hintMessage(const Hint& hint);
int hintStatusKind(int hintKind);
// True for the kinds that name a digit to place (2, 6, 7, 8).
constexpr bool hintPlacesDigit(int hintKind) {
    return hintKind == 2 || hintKind == 6 || hintKind == 7 || hintKind == 8;
}

}  // namespace dozudo
