#include "model/rules.h"

namespace dozudo {

int checkRules(const Board& board, int column, int row, int digit) {
    if (digit == 0) return board.digit(column, row) == 0 ? 1 : 0;
    for (int c = 1; c <= 9; ++c)
        if (board.digit(c, row) == digit) return 1;
    for (int r = 1; r <= 9; ++r)
        if (board.digit(column, r) == digit) return 2;
    const int g = groupOf(column, row);
    const int c0 = groupFirstColumn(g), r0 = groupFirstRow(g);
    for (int c = c0; c < c0 + 3; ++c)
        for (int r = r0; r < r0 + 3; ++r)
            if (board.digit(c, r) == digit) return 3;
    return 0;
}

}  // namespace dozudo
