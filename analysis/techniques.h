#pragma once
// The finders of the technique ladder. Each looks at the candidates, and when it sees an
// instance of its technique that removes a candidate or places a digit, fills `step` with
// the simplest one it sees and returns true. None changes the grid.

#include "analysis/candidate_grid.h"
#include "analysis/step.h"

namespace dozudo {

bool findLockedCandidates(const CandidateGrid& g, Step& step);  // pointing, then claiming
bool findNakedSubset(const CandidateGrid& g, int size, Step& step);
bool findHiddenSubset(const CandidateGrid& g, int size, Step& step);
bool findBasicFish(const CandidateGrid& g, int size, Step& step);
bool findFinnedFish(const CandidateGrid& g, int size, Step& step);
bool findXyWing(const CandidateGrid& g, Step& step);
bool findXyzWing(const CandidateGrid& g, Step& step);
bool findWWing(const CandidateGrid& g, Step& step);
bool findSimpleColouring(const CandidateGrid& g, Step& step);
// Only sound when the puzzle is known to have exactly one solution.
bool findUniqueRectangle(const CandidateGrid& g, Step& step);
enum class ChainKind { x, xy, alternating };
bool findChain(const CandidateGrid& g, ChainKind kind, Step& step);
bool findAlsXz(const CandidateGrid& g, Step& step);
// Assumptions followed by singles (level 1) or by singles, locked candidates and pairs
// (level 2): a candidate that leads to a contradiction, or what every candidate of a
// field or every place of a digit in a house leads to.
bool findForcingChain(const CandidateGrid& g, int level, Step& step);

}  // namespace dozudo
