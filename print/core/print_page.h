#pragma once
// The print page: two stored puzzles for one printed sheet, the top one (slot 0) and the
// bottom one (slot 1). A slot keeps only the digits of the board it was taken from.

#include <array>
#include <cstdint>
#include <string_view>

#include "model/board.h"
#include "model/status_line.h"

namespace dozudo {

// The digits of one stored puzzle, [column 1..9][row 1..9] kept 0-based; 0 = empty.
using PrintSlot = std::array<std::array<std::uint8_t, 9>, 9>;

// The positions' names in messages, by slot.
inline constexpr std::array<std::string_view, 2> slotName{"top", "bottom"};

struct PrintPage {
    std::array<PrintSlot, 2> printSlots{};

    std::uint8_t digit(int slot, int column, int row) const {
        return printSlots[slot][column - 1][row - 1];
    }

    // Every digit of both slots becomes 0.
    void emptySlots();
    // Copies the board's digits into the slot (an empty or unfinished board as it is).
    void addPuzzle(int slot, const Board& board, StatusLine& status);
    // Empties the slot.
    void takeOutPuzzle(int slot, StatusLine& status);
    // Empties both slots with one message for the whole page.
    void erasePage(StatusLine& status);
};

}  // namespace dozudo
