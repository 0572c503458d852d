#include "analysis/ladder.h"

#include "analysis/solver.h"
#include "analysis/techniques.h"

namespace dozudo {

namespace {

// The last resort: the first candidate whose placement leaves the board without solution.
bool findTrial(const CandidateGrid& g, Step& step) {
    Board board;
    for (int c = 0; c < 81; ++c) board.set(cellColumn(c), cellRow(c), g.value[c], fkGiven);
    for (int c = 0; c < 81; ++c)
        for (DigitMask m = g.cand[c]; m; m &= m - 1) {
            const int d = firstDigit(m);
            board.set(cellColumn(c), cellRow(c), d, fkGiven);
            const bool none = countSolutions(board, 1) == 0;
            board.set(cellColumn(c), cellRow(c), 0, fkGiven);
            if (!none) continue;
            step = Step{};
            step.technique = Technique::trialAndError;
            Step::add(step.pattern, c, digitBit(d));
            Step::add(step.removals, c, digitBit(d));
            return true;
        }
    return false;
}

}  // namespace

Step findTechnique(const CandidateGrid& g, bool oneSolution) {
    Step s;
    if (findLockedCandidates(g, s)) return s;
    for (int size = 2; size <= 4; ++size)
        if (findNakedSubset(g, size, s) || findHiddenSubset(g, size, s)) return s;
    for (int size = 2; size <= 4; ++size)
        if (findBasicFish(g, size, s)) return s;
    for (int size = 2; size <= 4; ++size)
        if (findFinnedFish(g, size, s)) return s;
    if (findXyWing(g, s) || findXyzWing(g, s) || findWWing(g, s) || findSimpleColouring(g, s)) return s;
    if (oneSolution && findUniqueRectangle(g, s)) return s;
    if (findChain(g, ChainKind::x, s) || findChain(g, ChainKind::xy, s) ||
        findChain(g, ChainKind::alternating, s) || findAlsXz(g, s))
        return s;
    if (findForcingChain(g, 1, s) || findForcingChain(g, 2, s)) return s;
    if (oneSolution && findTrial(g, s)) return s;
    return Step{};
}

Step findStep(const Board& board, const OptionTables& tables, bool oneSolution) {
    Step s;
    findHint(board, tables, s.hint);
    if (s.hint.hintKind != 0) {
        s.technique = Technique::hint;
        return s;
    }
    if (board.filled() == 81) return s;
    return findTechnique(CandidateGrid::from(board, tables), oneSolution);
}

void applyStep(const Step& step, OptionTables& tables) {
    if (step.places()) {
        tables.at(cellColumn(step.placeCell), cellRow(step.placeCell)) = digitBit(step.placeDigit);
        return;
    }
    for (const CellDigits& r : step.removals)
        tables.at(cellColumn(r.cell), cellRow(r.cell)) &= static_cast<DigitMask>(~r.digits);
}

void placeDigit(Board& board, OptionTables& tables, int cell, int digit) {
    board.set(cellColumn(cell), cellRow(cell), digit, fkFilled);
    OptionTables fresh;
    computeOptions(board, fresh);
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r)
            if (board.digit(c, r) == 0) fresh.at(c, r) &= tables.at(c, r);
    tables = fresh;
}

SolvingPath explainPuzzle(const Board& puzzle) {
    Board board = puzzle.givens();
    const bool oneSolution = countSolutions(board) == 1;
    OptionTables tables;
    computeOptions(board, tables);
    SolvingPath path;
    while (board.filled() < 81) {
        Step s = findStep(board, tables, oneSolution);
        if (!s.found()) break;
        path.steps.push_back(s);
        if (s.technique > path.hardest) path.hardest = s.technique;
        if (s.technique == Technique::hint) {
            if (!hintPlacesDigit(s.hint.hintKind)) break;  // a contradiction
            s.placeCell = static_cast<std::uint8_t>(cellAt(s.hint.hintColumn, s.hint.hintRow));
            s.placeDigit = s.hint.hintDigit;
        }
        if (s.places())
            placeDigit(board, tables, s.placeCell, s.placeDigit);
        else
            applyStep(s, tables);
    }
    path.solved = board.filled() == 81 && countSolutions(board, 1) == 1;
    return path;
}

}  // namespace dozudo
