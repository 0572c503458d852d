#pragma once
// The check of a puzzle collection: for every puzzle the number of solutions
// and how far the program's own logic gets on it, pressing the buttons of the
// window as a user would.

#include <ostream>
#include <string>
#include <vector>

#include "analysis/step.h"
#include "model/board.h"

namespace dozudo {

struct PuzzleVerdict {
    int solutions = 0;  // 0, 1, or 2 for two or more
    // Singles: "fill all" solves the puzzle. Reduction: it does when "reduction" is
    // pressed whenever it gets stuck. Ladder: neither finishes, the technique ladder
    // does, and `hardest` is the hardest technique of its path. Stuck: nothing finishes.
    enum Logic { Singles, Reduction, Ladder, Stuck } logic = Stuck;
    int emptyLeft = 0;  // empty fields on the board where the window's logic stopped
    Technique hardest = Technique::none;
};

// Checks the puzzle digits (kind fkGiven) of the board; other digits are left out.
PuzzleVerdict checkPuzzle(const Board& puzzle);

// One output line: the puzzle's number, its solutions ("0", "1", "2+") and the
// logic's verdict, e.g. "12 1 singles", "13 1 reduction", "14 1 X-Wing", "15 2+ stuck 40".
std::string verdictLine(int number, const PuzzleVerdict& verdict);

struct CheckCounts {
    int puzzles = 0;
    int noSolution = 0, oneSolution = 0, moreSolutions = 0;
    int singles = 0, reduction = 0, stuck = 0;
    std::vector<std::pair<Technique, int>> techniques;  // in the ladder's order
    void add(const PuzzleVerdict& verdict);
};

// e.g. "1000 puzzles: 0 without solution, 1000 with one, 0 with more; singles 342,
// reduction 401, X-Wing 12, XY-Chain 3, stuck 0" (techniques that no puzzle needs are left out).
std::string summaryLine(const CheckCounts& counts);

// Checks every puzzle of the files (the 162-byte record and every text form the program
// opens): one verdict line a puzzle on `out`, headed by the file's name when there are
// several files, then the summary; a file that cannot be read gets a line on `err`.
// Returns the exit status: 0 when every puzzle has exactly one solution, 1 otherwise,
// 2 when a file could not be read.
int checkCollections(const std::vector<std::string>& paths, std::ostream& out, std::ostream& err);

// Prints the solving path of the file's first puzzle, one step a line, and a last line
// "solved in N steps, hardest: X-Wing" (or "stuck after N steps, E empty fields left").
// Returns 0 when the path reaches the solution, 1 when not, 2 when the file cannot be read.
int explainFile(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace dozudo
