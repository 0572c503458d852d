#include "exchange/puzzle_text.h"

namespace dozudo {

std::string puzzleText(const Board& board) {
    std::string text = "SUDOKU - puzzle\r\n\r\n";
    text.reserve(282);
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            const field& f = board.at(c, r);
            if (f.digit >= 1 && f.digit <= 9) {
                const char d = static_cast<char>('0' + f.digit);
                text += f.kind == fkGiven ? std::string{'[', d, ']'} : std::string{' ', d, ' '};
            } else {
                text += " x ";
            }
        }
        text += "\r\n";
    }
    text += "\r\n";
    return text;
}

PuzzleScan scanPuzzleText(std::string_view text) {
    PuzzleScan scan;
    bool givenMode = false;
    for (const char ch : text) {
        int digit = -1;
        if (ch >= '1' && ch <= '9')
            digit = ch - '0';
        else if (ch == '.' || ch == 'x' || ch == 'X')
            digit = 0;
        else if (ch == '[' || ch == '(')
            givenMode = true;
        else if (ch == ']' || ch == ')')
            givenMode = false;
        if (digit < 0) continue;
        if (scan.markCount < 81) {
            const int n = scan.markCount;
            field& f = scan.buffer.at(n % 9 + 1, n / 9 + 1);
            f.digit = static_cast<std::uint8_t>(digit);
            if (digit != 0) f.kind = givenMode ? fkGiven : fkEntered;
        }
        // Past 81 only "too many" matters: the count stops at 82 and never overflows.
        if (scan.markCount <= 81) ++scan.markCount;
    }
    return scan;
}

bool isOwnPuzzleText(std::string_view text) {
    return text.find_first_of("[]()") != std::string_view::npos || text.starts_with("SUDOKU - puzzle");
}

}  // namespace dozudo
