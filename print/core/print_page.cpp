#include "print/core/print_page.h"

#include <string>

namespace dozudo {

void PrintPage::emptySlots() {
    for (PrintSlot& slot : printSlots)
        for (auto& column : slot) column.fill(0);
}

void PrintPage::addPuzzle(int slot, const Board& board, StatusLine& status) {
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) printSlots[slot][c - 1][r - 1] = board.digit(c, r);
    status.setStatus(0, "added puzzle at " + std::string(slotName[slot]) + " of printpage");
}

void PrintPage::takeOutPuzzle(int slot, StatusLine& status) {
    for (auto& column : printSlots[slot]) column.fill(0);
    status.setStatus(0, "erased puzzle at " + std::string(slotName[slot]) + " of printpage");
}

void PrintPage::erasePage(StatusLine& status) {
    status.setStatus(0, "printer page erased");
    emptySlots();
}

}  // namespace dozudo
