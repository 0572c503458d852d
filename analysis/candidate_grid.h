#pragma once
// The candidates of the 81 fields as the solving techniques see them. Cells are numbered
// 0..80 in reading order (row by row); houses 0..26 are the rows, columns and groups.

#include <array>
#include <bit>
#include <cstdint>

#include "analysis/options.h"
#include "model/board.h"

namespace dozudo {

// A set of cells, bit i for cell i.
struct CellSet {
    std::uint64_t lo = 0, hi = 0;  // cells 0..63 and 64..80

    static CellSet of(int cell) {
        CellSet s;
        s.add(cell);
        return s;
    }
    void add(int cell) { (cell < 64 ? lo : hi) |= std::uint64_t{1} << (cell & 63); }
    void remove(int cell) { (cell < 64 ? lo : hi) &= ~(std::uint64_t{1} << (cell & 63)); }
    bool has(int cell) const { return ((cell < 64 ? lo : hi) >> (cell & 63)) & 1; }
    bool empty() const { return (lo | hi) == 0; }
    int count() const { return std::popcount(lo) + std::popcount(hi); }
    CellSet operator&(CellSet o) const { return {lo & o.lo, hi & o.hi}; }
    CellSet operator|(CellSet o) const { return {lo | o.lo, hi | o.hi}; }
    CellSet minus(CellSet o) const { return {lo & ~o.lo, hi & ~o.hi}; }
    CellSet& operator|=(CellSet o) { return lo |= o.lo, hi |= o.hi, *this; }
    CellSet& operator&=(CellSet o) { return lo &= o.lo, hi &= o.hi, *this; }
    bool operator==(const CellSet&) const = default;
    // Calls f(cell) for every cell, ascending.
    template <class F>
    void forEach(F f) const {
        for (std::uint64_t w = lo; w; w &= w - 1) f(std::countr_zero(w));
        for (std::uint64_t w = hi; w; w &= w - 1) f(64 + std::countr_zero(w));
    }
    int first() const {
        return lo ? std::countr_zero(lo) : hi ? 64 + std::countr_zero(hi) : -1;
    }
};

constexpr int cellColumn(int cell) {
    return cell % 9 + 1;
}
constexpr int cellRow(int cell) {
    return cell / 9 + 1;
}
constexpr int cellAt(int column, int row) {
    return (row - 1) * 9 + column - 1;
}

// Rows are houses 0..8, columns 9..17, groups 18..26.
struct HouseTables {
    std::array<std::array<std::uint8_t, 9>, 27> cells{};  // the nine cells of a house
    std::array<CellSet, 27> sets{};
    std::array<std::array<std::uint8_t, 3>, 81> of{};  // row, column and group house of a cell
    std::array<CellSet, 81> peers{};                   // the 20 cells sharing a house
};
const HouseTables& houses();

inline bool sees(int a, int b) {
    return houses().peers[a].has(b);
}

// The lowest digit of a mask and the digits of a mask, ascending.
inline int firstDigit(DigitMask m) {
    return std::countr_zero(unsigned{m});
}
inline int digitCount(DigitMask m) {
    return std::popcount(unsigned{m});
}

struct CandidateGrid {
    std::array<DigitMask, 81> cand{};       // candidates of an empty field, 0 for a filled one
    std::array<std::uint8_t, 81> value{};  // digit of a filled field, 0 for an empty one

    // The options of the tables (narrowed or not) for the board's empty fields.
    static CandidateGrid from(const Board& board, const OptionTables& tables);
    // Candidates from the board's digits alone.
    static CandidateGrid from(const Board& board);

    // The empty cells that hold candidate `digit`, in all the grid or in a house.
    CellSet cellsWith(int digit) const;
    CellSet cellsWith(int digit, int house) const { return cellsWith(digit) & houses().sets[house]; }
    // Places a digit and removes it from the peers' candidates.
    void place(int cell, int digit);
    bool solved() const;
};

}  // namespace dozudo
