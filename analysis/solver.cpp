#include "analysis/solver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <limits>

namespace dozudo {
namespace {

// The board is held in three bands of three rows. A band is a 27-bit word with
// bit 9 * (row within the band) + (column - 1) for each field. For every digit
// and band one word holds the fields where the digit may still stand, its own
// placed fields included; one more word per band holds the fields not placed yet.
//
// Within a band a digit stands once in each of the three rows and once in each
// of the three boxes, so its places form one of six patterns of three
// mini-rows (the three fields where a row crosses a box). A mini-row that lies
// in no pattern whose three mini-rows all have room for the digit is struck.

using Word = std::uint32_t;

constexpr Word rowInBand = 0x1FF;       // row 0 of a band
constexpr Word columnInBand = 0x40201;  // column 0 in all three rows
constexpr Word boxInBand = 0x1C0E07;    // columns 0..2 in all three rows
constexpr Word wholeBand = 0x7FFFFFF;

struct Tables {
    // Nine fields of a row -> bit k set when box k of the row has any.
    std::array<std::uint8_t, 512> rowBoxes{};
    // Occupied mini-rows (bit 3 * row + box) -> those lying in a pattern of occupied ones.
    std::array<std::uint16_t, 512> placeable{};
    // Mini-rows -> their fields.
    std::array<Word, 512> miniRowFields{};
    // The other fields of the same row, box or column within the band.
    std::array<Word, 27> bandPeers{};
};

constexpr Tables makeTables() {
    Tables t;
    for (unsigned x = 0; x < 512; ++x) {
        t.rowBoxes[x] = static_cast<std::uint8_t>(((x & 7) ? 1 : 0) | ((x & 070) ? 2 : 0) |
                                                  ((x & 0700) ? 4 : 0));
        Word fields = 0;
        for (unsigned j = 0; j < 9; ++j)
            if (x & (1u << j)) fields |= Word{7} << (3 * j);
        t.miniRowFields[x] = fields;
    }
    constexpr int patterns[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2},
                                    {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    for (unsigned occupied = 0; occupied < 512; ++occupied) {
        unsigned kept = 0;
        for (const auto& p : patterns) {
            const unsigned m = (1u << p[0]) | (1u << (3 + p[1])) | (1u << (6 + p[2]));
            if ((occupied & m) == m) kept |= m;
        }
        t.placeable[occupied] = static_cast<std::uint16_t>(kept);
    }
    for (int cell = 0; cell < 27; ++cell) {
        const int r = cell / 9, c = cell % 9;
        t.bandPeers[cell] =
            ((rowInBand << (9 * r)) | (columnInBand << c) | (boxInBand << (3 * (c / 3)))) &
            ~(Word{1} << cell);
    }
    return t;
}

constexpr Tables tables = makeTables();

struct State {
    Word cand[27];       // [digit * 3 + band], digits 0..8
    Word seen[27];       // cand as the band step last left it
    Word open[3];        // fields not placed yet
    Word dirty;          // bit digit * 3 + band: cand may differ from seen
    Word stackSeen[27];  // cand as the stack step last left it
    Word stackDirty;     // bit digit: its words changed since its stack step
};

constexpr Word everyDigitOfBand = 0111111111;  // bits 0, 3, ..., 24

// Puts digit d into field `cell` of band b, whose candidate it must be.
inline void place(State& s, int d, int b, int cell) {
    const Word bit = Word{1} << cell;
#pragma GCC unroll 9
    for (int e = 0; e < 9; ++e) s.cand[e * 3 + b] &= ~bit;
    const Word column = columnInBand << (cell % 9);
#pragma GCC unroll 3
    for (int o = 0; o < 3; ++o) s.cand[d * 3 + o] &= ~column;
    Word& own = s.cand[d * 3 + b];
    own = (own & ~tables.bandPeers[cell]) | bit;
    s.open[b] &= ~bit;
    s.dirty |= (everyDigitOfBand << b) | (Word{7} << (3 * d));
}

inline bool single(Word x) {
    return (x & (x - 1)) == 0;
}

// Number of fields in a band word (the library's popcount is a call without a popcnt target).
inline int fieldCount(Word x) {
    x -= (x >> 1) & 0x55555555;
    x = (x & 0x33333333) + ((x >> 2) & 0x33333333);
    x = (x + (x >> 4)) & 0x0F0F0F0F;
    return static_cast<int>((x * 0x01010101) >> 24);
}

// Narrows one digit in one band by its patterns, then places it where a row or
// box of the band has a single field left for it. False on a contradiction.
bool bandStep(State& s, int i) {
    Word a = s.cand[i];
    const unsigned occupied = tables.rowBoxes[a & 511] |
                              unsigned{tables.rowBoxes[(a >> 9) & 511]} << 3 |
                              unsigned{tables.rowBoxes[a >> 18]} << 6;
    a &= tables.miniRowFields[tables.placeable[occupied]];
    if (a == 0) return false;
    s.cand[i] = s.seen[i] = a;
    const int d = i / 3, b = i % 3;
    s.stackDirty |= Word{1} << d;
    // After the patterns a box with one field left for the digit leaves its row no
    // other field either, so the rows find every single of the band.
    Word found = 0;
#pragma GCC unroll 3
    for (int k = 0; k < 3; ++k) {
        const Word row = a & (rowInBand << (9 * k));
        if (single(row)) found |= row;
    }
    found &= s.open[b];
    while (found) {
        const int cell = std::countr_zero(found);
        found &= found - 1;
        if (!(s.cand[i] & (Word{1} << cell))) return false;  // taken away by the one before
        place(s, d, b, cell);
    }
    return true;
}

// Fields with a single digit left. Returns the number placed, -1 on a contradiction.
int nakedSingles(State& s) {
    int placed = 0;
    for (int b = 0; b < 3; ++b) {
        const Word open = s.open[b];
        if (!open) continue;
        Word once = 0, twice = 0;
#pragma GCC unroll 9
        for (int d = 0; d < 9; ++d) {
            const Word x = s.cand[d * 3 + b];
            twice |= once & x;
            once |= x;
        }
        if (open & ~once) return -1;
        for (Word found = open & ~twice; found; found &= found - 1) {
            const int cell = std::countr_zero(found);
            const Word bit = Word{1} << cell;
            int d = 0;
            while (d < 9 && !(s.cand[d * 3 + b] & bit)) ++d;
            if (d == 9) return -1;
            place(s, d, b, cell);
            ++placed;
        }
    }
    return placed;
}

// Columns with a single field left for a digit. Returns the number placed, -1 on a contradiction.
int columnSingles(State& s) {
    int placed = 0;
    for (int d = 0; d < 9; ++d) {
        Word once = 0, twice = 0;
#pragma GCC unroll 3
        for (int b = 0; b < 3; ++b)
#pragma GCC unroll 3
            for (int r = 0; r < 3; ++r) {
                const Word x = (s.cand[d * 3 + b] >> (9 * r)) & rowInBand;
                twice |= once & x;
                once |= x;
            }
        if (once != rowInBand) return -1;
        const Word columns = (once & ~twice) * columnInBand;
        for (int b = 0; b < 3; ++b)
            for (Word found = s.cand[d * 3 + b] & columns & s.open[b]; found; found &= found - 1) {
                const int cell = std::countr_zero(found);
                if (!(s.cand[d * 3 + b] & (Word{1} << cell))) return -1;
                place(s, d, b, cell);
                ++placed;
            }
    }
    return placed;
}

// Narrows one digit in the three stacks of columns by the patterns of the
// stacks: in each stack the digit stands once in each band and once in each
// column. Returns -1 on a contradiction, else 1 when anything was struck.
int stackSteps(State& s, int d) {
    Word* w = &s.cand[d * 3];
    Word* seen = &s.stackSeen[d * 3];
    if (w[0] == seen[0] && w[1] == seen[1] && w[2] == seen[2]) return 0;
    int struck = 0;
#pragma GCC unroll 3
    for (int k = 0; k < 3; ++k) {
        unsigned occupied = 0;  // bit 3 * band + column within the stack
#pragma GCC unroll 3
        for (int b = 0; b < 3; ++b) {
            const Word x = w[b] >> (3 * k);
            occupied |= ((x | x >> 9 | x >> 18) & 7) << (3 * b);
        }
        const unsigned kept = tables.placeable[occupied];
        if (kept == 0) return -1;
        if (kept == occupied) continue;
#pragma GCC unroll 3
        for (int b = 0; b < 3; ++b) {
            const Word gone = (boxInBand & ~(((kept >> (3 * b)) & 7) * columnInBand)) << (3 * k);
            if (w[b] & gone) {
                w[b] &= ~gone;
                s.dirty |= Word{1} << (d * 3 + b);
                struck = 1;
            }
        }
    }
    for (int b = 0; b < 3; ++b) seen[b] = w[b];
    return struck;
}

// Places everything that follows by singles and the band and stack patterns, the
// cheaper steps first. False on a contradiction.
bool propagate(State& s) {
    for (;;) {
        while (s.dirty) {
            const int i = std::countr_zero(s.dirty);
            s.dirty &= s.dirty - 1;
            if (s.cand[i] != s.seen[i] && !bandStep(s, i)) return false;
        }
        int placed = nakedSingles(s);
        if (placed < 0) return false;
        if (placed > 0) continue;
        int struck = 0;
        while (s.stackDirty) {
            const int d = std::countr_zero(s.stackDirty);
            s.stackDirty &= s.stackDirty - 1;
            const int r = stackSteps(s, d);
            if (r < 0) return false;
            struck |= r;
        }
        if (struck) continue;
        placed = columnSingles(s);
        if (placed < 0) return false;
        if (placed == 0) return true;
    }
}

struct Guess {
    int band, cell;
};

// The open fields with the fewest digits left, per band.
void fewestDigits(const State& s, Word with[3]) {
    Word any = 0;
    for (int b = 0; b < 3; ++b) {
        Word once = 0, twice = 0, thrice = 0;
#pragma GCC unroll 9
        for (int d = 0; d < 9; ++d) {
            const Word x = s.cand[d * 3 + b];
            thrice |= twice & x;
            twice |= once & x;
            once |= x;
        }
        any |= with[b] = s.open[b] & twice & ~thrice;
    }
    if (any) return;  // fields with two digits, as nearly always
    // Otherwise count the digits of every field in four bit planes.
    Word plane[3][4] = {};
    for (int b = 0; b < 3; ++b)
        for (int d = 0; d < 9; ++d) {
            Word carry = s.cand[d * 3 + b];
            for (Word& p : plane[b]) {
                const Word next = p & carry;
                p ^= carry;
                carry = next;
            }
        }
    for (unsigned k = 1; k <= 9 && !any; ++k)
        for (int b = 0; b < 3; ++b) {
            Word m = s.open[b];
            for (unsigned bit = 0; bit < 4; ++bit)
                m &= (k >> bit & 1) ? plane[b][bit] : ~plane[b][bit];
            any |= with[b] = m;
        }
}

// The open field to guess on: one with the fewest digits left and, among those,
// the one whose digits have the fewest places on the board, as their guesses
// strike most.
Guess fieldToGuess(const State& s) {
    Word with[3];
    fewestDigits(s, with);
    int places[9];
    for (int d = 0; d < 9; ++d)
        places[d] = fieldCount(s.cand[d * 3]) + fieldCount(s.cand[d * 3 + 1]) +
                    fieldCount(s.cand[d * 3 + 2]);
    Guess best{-1, -1};
    int fewest = std::numeric_limits<int>::max();
    int score[27];
    for (int b = 0; b < 3; ++b) {
        if (!with[b]) continue;
        for (Word w = with[b]; w; w &= w - 1) score[std::countr_zero(w)] = 0;
        for (int d = 0; d < 9; ++d)
            for (Word w = s.cand[d * 3 + b] & with[b]; w; w &= w - 1)
                score[std::countr_zero(w)] += places[d];
        for (Word w = with[b]; w; w &= w - 1) {
            const int cell = std::countr_zero(w);
            if (score[cell] < fewest) {
                fewest = score[cell];
                best = {b, cell};
            }
        }
    }
    return best;
}

void writeSolution(const State& s, const Board& board, Board& solution) {
    solution = board;
    for (int d = 0; d < 9; ++d)
        for (int b = 0; b < 3; ++b)
            for (Word w = s.cand[d * 3 + b]; w; w &= w - 1) {
                const int cell = std::countr_zero(w);
                const int column = cell % 9 + 1, row = b * 3 + cell / 9 + 1;
                if (solution.digit(column, row) == 0) solution.set(column, row, d + 1, fkFilled);
            }
}

}  // namespace

int countSolutions(const Board& board, int limit, Board* solution) {
    limit = std::clamp(limit, 1, 2);
    // Every guess places one more field, so at most 81 guesses are ever open.
    State stack[82];
    State& start = stack[0];
    std::fill(std::begin(start.cand), std::end(start.cand), wholeBand);
    std::fill(std::begin(start.seen), std::end(start.seen), wholeBand);
    std::fill(std::begin(start.open), std::end(start.open), wholeBand);
    start.dirty = 0;
    start.stackDirty = 0;
    std::fill(std::begin(start.stackSeen), std::end(start.stackSeen), wholeBand);
    for (int row = 1; row <= 9; ++row)
        for (int column = 1; column <= 9; ++column) {
            const int digit = board.digit(column, row);
            if (digit == 0) continue;
            if (digit > 9) return 0;
            const int b = (row - 1) / 3, cell = (row - 1) % 3 * 9 + column - 1, d = digit - 1;
            if (!(start.cand[d * 3 + b] & (Word{1} << cell)))
                return 0;  // a digit repeated in a unit
            place(start, d, b, cell);
        }

    int depth = 0, found = 0;
    for (;;) {
        State& s = stack[depth];
        if (propagate(s)) {
            if ((s.open[0] | s.open[1] | s.open[2]) == 0) {
                if (found == 0 && solution) writeSolution(s, board, *solution);
                if (++found >= limit) break;
            } else {
                // Try the field's first digit on a copy; this level goes on without it.
                const Guess g = fieldToGuess(s);
                int d = 0;
                while (!(s.cand[d * 3 + g.band] & (Word{1} << g.cell))) ++d;
                State& next = stack[depth + 1];
                next = s;
                s.cand[d * 3 + g.band] &= ~(Word{1} << g.cell);
                s.dirty |= Word{1} << (d * 3 + g.band);
                place(next, d, g.band, g.cell);
                ++depth;
                continue;
            }
        }
        if (depth == 0) break;
        --depth;
    }
    return found;
}

}  // namespace dozudo
