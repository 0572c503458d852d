#pragma once
// The Sudoku rule check of one digit in one field.

#include "model/board.h"

namespace dozudo {

// 0: the digit may stand there; 1: it stands in the field's row (for digit 0: the
// field is empty); 2: in its column; 3: in its group. The field itself is looked at.
int checkRules(const Board& board, int column, int row, int digit);

}  // namespace dozudo
