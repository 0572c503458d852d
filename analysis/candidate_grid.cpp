#include "analysis/candidate_grid.h"

namespace dozudo {

namespace {

HouseTables makeHouses() {
    HouseTables t;
    for (int cell = 0; cell < 81; ++cell) {
        const int r = cell / 9, c = cell % 9, g = (r / 3) * 3 + c / 3;
        const int hs[3] = {r, 9 + c, 18 + g};
        const int pos[3] = {c, r, (r % 3) * 3 + c % 3};
        for (int k = 0; k < 3; ++k) {
            t.cells[hs[k]][pos[k]] = static_cast<std::uint8_t>(cell);
            t.sets[hs[k]].add(cell);
            t.of[cell][k] = static_cast<std::uint8_t>(hs[k]);
        }
    }
    for (int cell = 0; cell < 81; ++cell) {
        for (int h : t.of[cell]) t.peers[cell] |= t.sets[h];
        t.peers[cell].remove(cell);
    }
    return t;
}

}  // namespace

const HouseTables& houses() {
    static const HouseTables tables = makeHouses();
    return tables;
}

CandidateGrid CandidateGrid::from(const Board& board, const OptionTables& tables) {
    CandidateGrid g;
    for (int cell = 0; cell < 81; ++cell) {
        const int c = cellColumn(cell), r = cellRow(cell);
        g.value[cell] = board.digit(c, r);
        g.cand[cell] = g.value[cell] ? 0 : static_cast<DigitMask>(tables.at(c, r) & allDigits);
    }
    return g;
}

CandidateGrid CandidateGrid::from(const Board& board) {
    OptionTables tables;
    computeOptions(board, tables);
    return from(board, tables);
}

CellSet CandidateGrid::cellsWith(int digit) const {
    CellSet s;
    const DigitMask bit = digitBit(digit);
    for (int cell = 0; cell < 81; ++cell)
        if (cand[cell] & bit) s.add(cell);
    return s;
}

void CandidateGrid::place(int cell, int digit) {
    value[cell] = static_cast<std::uint8_t>(digit);
    cand[cell] = 0;
    const DigitMask keep = static_cast<DigitMask>(~digitBit(digit));
    houses().peers[cell].forEach([&](int p) { cand[p] &= keep; });
}

bool CandidateGrid::solved() const {
    for (std::uint8_t v : value)
        if (v == 0) return false;
    return true;
}

}  // namespace dozudo
