#pragma once
// The puzzle as clipboard text: written as a titled grid of three-character cells,
// read leniently as field marks in reading order.

#include <string>
#include <string_view>

#include "model/board.h"

namespace dozudo {

// "SUDOKU - puzzle", an empty line, nine rows of cells "[d]" (puzzle digit), " d "
// (other digit) or " x " (empty), and a closing empty line; every line ends in CR LF.
std::string puzzleText(const Board& board);

// What a lenient scan found: the number of field marks (82 stands for any number above
// 81), and the first 81 of them as fields in reading order (row 1 columns 1..9, then row 2, ...).
struct PuzzleScan {
    int markCount = 0;
    Board buffer;
};

// Digits 1..9 and '.', 'x', 'X' are field marks; '[' '(' make the digits that follow
// puzzle digits, ']' ')' entered digits; every other character is skipped, '0' too.
PuzzleScan scanPuzzleText(std::string_view text);

// A text this program wrote: it has brackets, or starts with the title. Pasting scans such a
// text mark by mark; any other is read as a puzzle file's text.
bool isOwnPuzzleText(std::string_view text);

}  // namespace dozudo
