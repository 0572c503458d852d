#pragma once
// Puzzles in the text forms that other programs, web sites and collections write:
//   - a line of 81 fields: digits 1..9, and one kind of empty mark per line
//     ("0" "." "x" "X" "*" "_" "-"); whatever follows the 81 fields is a comment;
//   - a grid of nine lines of nine fields, "|" and "+" between the groups allowed, and
//     lines of "-" "+" "|" "*" "=" between the bands;
//   - a grid of nine lines of nine fields with commas between them (a spreadsheet's
//     export: "0", "." or nothing for an empty field), or a line of 81 such fields;
//   - a library line ":code:name:grid:...:", where "+" before a digit marks a placed one;
//   - a grid that follows a line "[Puzzle]" (other sections are not looked at);
//   - this program's clipboard text, and any text its clipboard scan takes as a puzzle.
// Blank lines and lines starting with "#" are skipped; CR LF or LF line ends, a byte
// order mark (UTF-8, or UTF-16 with its mark) and trailing blanks are all fine.
// Puzzle digits come out as fkGiven, placed digits as fkEntered; no rule check is made.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/board.h"

namespace dozudo {

// The first puzzle of a text, or nothing.
std::optional<Board> firstPuzzleInText(std::string_view text);
// Every puzzle of a text in order: one per line, several grids, ...
std::vector<Board> puzzlesInText(std::string_view text);

// Read from a file: a valid 162-byte record opens as the record, anything else as text.
// The error texts are those of the record reader; a file that holds no puzzle is
// "Invalid puzzle file" ("Read beyond end of file" when it is shorter than a record and
// no text). `board` or `boards` is written only on success.
std::string readPuzzle(const std::string& path, Board& board);          // the first puzzle
std::string readPuzzles(const std::string& path, std::vector<Board>& boards);  // all of them

}  // namespace dozudo
