#pragma once
// The technique ladder: the next step on a board, from the hint finder's contradictions
// and singles up to forcing nets, and the whole path of a puzzle from its digits to the
// solution.

#include <vector>

#include "analysis/options.h"
#include "analysis/step.h"
#include "model/board.h"

namespace dozudo {

// The simplest technique that removes a candidate or places a digit in the grid, tried
// from simple to hard. Unique rectangles and the last resort (a candidate whose placement
// leaves the board without solution) only when the puzzle is known to have one solution.
Step findTechnique(const CandidateGrid& grid, bool oneSolution);

// The next step on the board with the options as they stand (narrowed or not): the hint
// finder's contradiction or single when it names one, else the ladder's technique.
Step findStep(const Board& board, const OptionTables& tables, bool oneSolution);

// Removes a step's candidates from the options (a placement keeps only its digit).
void applyStep(const Step& step, OptionTables& tables);
// Places a digit (kind fkFilled) along the path: the options are computed anew from the
// board, and what earlier steps removed stays removed.
void placeDigit(Board& board, OptionTables& tables, int cell, int digit);

struct SolvingPath {
    std::vector<Step> steps;
    bool solved = false;
    Technique hardest = Technique::none;  // the hardest technique the path needs
    bool singlesOnly() const { return hardest <= Technique::hint; }
};

// The path of the puzzle digits (kind fkGiven) of the board, step by step to the
// solution, or until no technique applies.
SolvingPath explainPuzzle(const Board& puzzle);

}  // namespace dozudo
