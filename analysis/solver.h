#pragma once
// The exact solver: how many solutions the digits on a board have (0, 1, or 2
// standing for "two or more"), and the solution when there is one.

#include "model/board.h"

namespace dozudo {

// Counts the completions of the board's digits, whatever their kind, that keep
// every row, column and group free of repeated digits. The search stops after
// `limit` solutions (1 or 2; other values are taken as the nearer of them), so
// the result is 0..limit. Digits that already conflict, or bytes above 9, give 0.
// When at least one solution is found and `solution` is given, it receives the
// first one: the board's own fields unchanged, every empty field filled with
// kind fkFilled. Runs in fixed memory on the stack.
int countSolutions(const Board& board, int limit = 2, Board* solution = nullptr);

}  // namespace dozudo
