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
// The same holds for the stacks of three columns and their mini-columns.
//
// A mini-row holds exactly three digits: when only three can go there, they
// leave the rest of its row and box; when three must go there, no other digit
// may. Mini-columns alike.
//
// When that is all that follows, the search picks the band or stack with the
// fewest patterns left over all digits, and in it a digit with the fewest, and
// tries each of the digit's patterns in turn.

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
    // Occupied mini-rows -> the patterns lying in them, bit p for pattern p.
    std::array<std::uint8_t, 512> patternsIn{};
    // Occupied mini-rows -> how many patterns lie in them.
    std::array<std::uint8_t, 512> patternCount{};
    // Pattern -> its mini-rows.
    std::array<std::uint16_t, 6> patternMiniRows{};
    // Mini-rows -> those alone in their row (bit 3 * row + box), and mini-columns
    // (bit 3 * band + column) -> those alone in their column.
    std::array<std::uint16_t, 512> aloneInRow{};
    std::array<std::uint16_t, 512> aloneInColumn{};
    // Mini-rows -> the other fields of their rows and boxes.
    std::array<Word, 512> besideMiniRows{};
    // Mini-columns of stack 0 -> per band, the other fields of their columns and boxes.
    std::array<std::array<Word, 3>, 512> besideMiniColumns{};
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
    for (int p = 0; p < 6; ++p)
        t.patternMiniRows[p] = static_cast<std::uint16_t>(
            (1u << patterns[p][0]) | (1u << (3 + patterns[p][1])) | (1u << (6 + patterns[p][2])));
    for (unsigned occupied = 0; occupied < 512; ++occupied) {
        unsigned kept = 0, in = 0;
        for (int p = 0; p < 6; ++p) {
            const unsigned m = t.patternMiniRows[p];
            if ((occupied & m) == m) {
                kept |= m;
                in |= 1u << p;
            }
        }
        t.placeable[occupied] = static_cast<std::uint16_t>(kept);
        t.patternsIn[occupied] = static_cast<std::uint8_t>(in);
        t.patternCount[occupied] = static_cast<std::uint8_t>(std::popcount(in));
        unsigned inRow = 0, inColumn = 0;
        for (int k = 0; k < 3; ++k) {
            const unsigned row = (occupied >> (3 * k)) & 7, column = (occupied >> k) & 0111;
            if (std::has_single_bit(row)) inRow |= row << (3 * k);
            if (std::has_single_bit(column)) inColumn |= column << k;
        }
        t.aloneInRow[occupied] = static_cast<std::uint16_t>(inRow);
        t.aloneInColumn[occupied] = static_cast<std::uint16_t>(inColumn);
        Word rowsAndBoxes = 0;
        for (int m = 0; m < 9; ++m) {
            if (!(occupied & (1u << m))) continue;
            const int row = m / 3, box = m % 3, band = m / 3, column = m % 3;
            rowsAndBoxes |= ((rowInBand << (9 * row)) | (boxInBand << (3 * box))) &
                            ~(Word{7} << (9 * row + 3 * box));
            for (int b = 0; b < 3; ++b)
                t.besideMiniColumns[occupied][b] |=
                    b == band ? boxInBand & ~(columnInBand << column) : columnInBand << column;
        }
        t.besideMiniRows[occupied] = rowsAndBoxes;
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
    Word cand[27];              // [digit * 3 + band], digits 0..8
    Word seen[27];              // cand as the band step last left it
    std::uint16_t rows[27];     // the mini-rows of seen: bit 3 * row + box
    std::uint16_t columns[27];  // the columns of seen as last taken: bit column
    Word open[3];               // fields not placed yet
    Word dirty;                 // bit digit * 3 + band: cand may differ from seen
    // The mini-rows of each digit in the bands 0..2 and its mini-columns in the stacks
    // 3..5, as the mini-line steps last read them, and the patterns lying in them,
    // summed over the digits.
    std::uint16_t lines[6][9];
    std::uint8_t patternTotal[6];
    // Bit u: a digit's mini-lines in band or stack u have changed since the mini-line
    // steps last ran there (for the stacks, as far as they know from columnsStale).
    Word linesChanged;
    Word columnsStale;  // bit digit * 3 + band: seen has changed since its columns were taken
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

// Mini-rows of a band word that hold any of its fields: bit 3 * row + box.
inline unsigned miniRowsOf(Word a) {
    return tables.rowBoxes[a & 511] | unsigned{tables.rowBoxes[(a >> 9) & 511]} << 3 |
           unsigned{tables.rowBoxes[a >> 18]} << 6;
}

// Narrows one digit in one band by its patterns, then places it where a row or
// box of the band has a single field left for it. False on a contradiction.
bool bandStep(State& s, int i) {
    const unsigned kept = tables.placeable[miniRowsOf(s.cand[i])];
    if (kept == 0) return false;
    const Word a = s.cand[i] & tables.miniRowFields[kept];
    s.cand[i] = s.seen[i] = a;
    const int d = i / 3, b = i % 3;
    if (kept != s.rows[i]) {
        s.rows[i] = static_cast<std::uint16_t>(kept);
        s.linesChanged |= Word{1} << b;
    }
    s.columnsStale |= Word{1} << i;
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

// How many of nine digits have each of the nine mini-rows (or mini-columns) in
// their sets: those had by fewer than three digits, by exactly three, by more.
struct Tally {
    unsigned under, three, over;
};

inline Tally tally(const unsigned (&sets)[9]) {
    unsigned ones = 0, twos = 0, over = 0;
#pragma GCC unroll 9
    for (unsigned x : sets) {
        const unsigned carry = ones & x;
        ones ^= x;
        over |= twos & carry;
        twos ^= carry;
    }
    const unsigned three = ones & twos & ~over;
    return {511 & ~over & ~three, three, over};
}

// Strikes a digit's fields in one band word; the band step looks at it again.
inline void strike(State& s, int d, int b, Word gone, int& struck) {
    Word& w = s.cand[d * 3 + b];
    if (w & gone) {
        w &= ~gone;
        s.dirty |= Word{1} << (d * 3 + b);
        struck = 1;
    }
}

// Leaves digit d in stack k only the given mini-columns (bit 3 * band + column).
inline void keepMiniColumns(State& s, int d, int k, unsigned miniColumns, int& struck) {
    for (int b = 0; b < 3; ++b)
        strike(s, d, b, (boxInBand & ~(((miniColumns >> (3 * b)) & 7) * columnInBand)) << (3 * k),
               struck);
}

// The three digits of each mini-row of band `unit` (or mini-column of stack unit - 3),
// given the mini-lines each digit may stand in, which are kept for the branch choice.
// -1 on a contradiction.
template <class Strike>
int threePerMiniLine(State& s, int unit, const unsigned (&may)[9],
                     const std::array<std::uint16_t, 512>& alone, Strike strikeDigit) {
    unsigned total = 0;
    for (int d = 0; d < 9; ++d) {
        s.lines[unit][d] = static_cast<std::uint16_t>(may[d]);
        total += tables.patternCount[may[d]];
    }
    s.patternTotal[unit] = static_cast<std::uint8_t>(total);
    unsigned must[9];
    for (int d = 0; d < 9; ++d) must[d] = alone[may[d]];
    const Tally mayTally = tally(may), mustTally = tally(must);
    if (mayTally.under | mustTally.over) return -1;
    const unsigned full = mustTally.three & ~mayTally.three;
    for (int d = 0; d < 9; ++d) {
        // All of a mini-line's three digits stand in it; where three must, no other may.
        const unsigned all = may[d] & mayTally.three, none = full & ~must[d];
        if (all | none) strikeDigit(d, all, none);
    }
    return 0;
}

// Runs the stack patterns and the mini-row and mini-column steps on the bands and
// stacks where the band step has changed a digit's mini-rows or mini-columns since
// they last ran.
// Returns -1 on a contradiction, else 1 when anything was struck.
int miniLineSteps(State& s) {
    // A band or stack without open fields is settled: one pattern to each digit. One
    // whose digits may stand in the mini-lines they could last time gives nothing new.
    // The band step has seen every changed word by now.
    for (Word stale = s.columnsStale; stale; stale &= stale - 1) {
        const int i = std::countr_zero(stale);
        const Word a = s.cand[i];
        const unsigned columns = (a | a >> 9 | a >> 18) & rowInBand;
        s.linesChanged |= Word{tables.rowBoxes[columns ^ s.columns[i]]} << 3;  // the stacks
        s.columns[i] = static_cast<std::uint16_t>(columns);
    }
    s.columnsStale = 0;
    const Word changed = s.linesChanged;
    const Word open = s.open[0] | s.open[1] | s.open[2];
    bool stack[3];
    for (int k = 0; k < 3; ++k)
        stack[k] = (changed & (Word{8} << k)) && (open & (boxInBand << (3 * k)));
    // The stack patterns first, as the band step does for the rows: they cost little,
    // and what they strike goes through the singles before any mini-line is counted.
    int struck = 0;
    unsigned stackMay[3][9];
    for (int k = 0; k < 3; ++k) {
        if (!stack[k]) continue;
        for (int d = 0; d < 9; ++d) {
            // The digit's columns in the stack, a band's three beside the next band's.
            const unsigned occupied = ((s.columns[d * 3] >> (3 * k)) & 7) |
                                      ((s.columns[d * 3 + 1] >> (3 * k)) & 7) << 3 |
                                      ((s.columns[d * 3 + 2] >> (3 * k)) & 7) << 6;
            const unsigned kept = tables.placeable[occupied];
            if (kept == 0) return -1;
            if (kept != occupied) keepMiniColumns(s, d, k, kept, struck);
            stackMay[k][d] = kept;
        }
    }
    if (struck) return 1;  // linesChanged stays: these bands and stacks are looked at again
    s.linesChanged = 0;
    for (int b = 0; b < 3; ++b) {
        if (!(changed & (Word{1} << b)) || !s.open[b]) continue;
        unsigned may[9];
        for (int d = 0; d < 9; ++d) may[d] = s.rows[d * 3 + b];
        if (threePerMiniLine(s, b, may, tables.aloneInRow, [&](int d, unsigned all, unsigned none) {
                strike(s, d, b, tables.besideMiniRows[all] | tables.miniRowFields[none], struck);
            }) < 0)
            return -1;
    }
    for (int k = 0; k < 3; ++k) {
        if (!stack[k]) continue;
        if (threePerMiniLine(s, 3 + k, stackMay[k], tables.aloneInColumn,
                             [&](int d, unsigned all, unsigned none) {
                                 for (int b = 0; b < 3; ++b)
                                     strike(s, d, b,
                                            (tables.besideMiniColumns[all][b] |
                                             ((none >> (3 * b)) & 7) * columnInBand)
                                                << (3 * k),
                                            struck);
                             }) < 0)
            return -1;
    }
    return struck;
}

// Places everything that follows by singles, the band and stack patterns and the
// mini-rows and mini-columns, the cheaper steps first. False on a contradiction.
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
        // A column with one field left for a digit needs no step of its own: the stack
        // step leaves the digit that column in its box, and the band step places it.
        const int r = miniLineSteps(s);
        if (r < 0) return false;
        if (r == 0) return true;
    }
}

// A digit of a band (unit 0..2) or stack (unit 3..5) and its patterns left.
struct Branch {
    int unit = -1, digit = 0;
    unsigned patterns = 0;
};

// The band or stack with the fewest patterns left over its nine digits, of those
// not settled, and in it a digit with the fewest (two, nearly always). Unit -1
// when every digit has one pattern left everywhere, which leaves no field open
// once the steps are through.
Branch branchToTry(const State& s) {
    const Word open = s.open[0] | s.open[1] | s.open[2];
    Branch branch;
    int fewest = std::numeric_limits<int>::max();
    for (int u = 0; u < 6; ++u) {
        if (!(u < 3 ? s.open[u] : open & (boxInBand << (3 * (u - 3))))) continue;  // settled
        const int total = s.patternTotal[u];
        if (total > 9 && total < fewest) {
            fewest = total;
            branch.unit = u;
        }
    }
    if (branch.unit < 0) return branch;
    fewest = std::numeric_limits<int>::max();
    for (int d = 0; d < 9; ++d) {
        const int n = tables.patternCount[s.lines[branch.unit][d]];
        if (n > 1 && n < fewest) {
            fewest = n;
            branch.digit = d;
        }
    }
    branch.patterns = tables.patternsIn[s.lines[branch.unit][branch.digit]];
    return branch;
}

// Keeps the branch's digit to pattern p in its band or stack.
void keepPattern(State& s, const Branch& branch, int p) {
    const unsigned miniRows = tables.patternMiniRows[p];
    int struck = 0;
    if (branch.unit < 3)
        strike(s, branch.digit, branch.unit, wholeBand & ~tables.miniRowFields[miniRows], struck);
    else  // in a stack the pattern's bits stand for (band, column) instead
        keepMiniColumns(s, branch.digit, branch.unit - 3, miniRows, struck);
}

// Every digit may stand everywhere: all mini-lines, all six patterns.
constexpr State emptyBoard = [] {
    State s{};
    std::fill(std::begin(s.cand), std::end(s.cand), wholeBand);
    std::fill(std::begin(s.seen), std::end(s.seen), wholeBand);
    std::fill(std::begin(s.rows), std::end(s.rows), 0777);
    std::fill(std::begin(s.columns), std::end(s.columns), 0777);
    std::fill(std::begin(s.open), std::end(s.open), wholeBand);
    for (auto& unit : s.lines) std::fill(std::begin(unit), std::end(unit), 0777);
    std::fill(std::begin(s.patternTotal), std::end(s.patternTotal), 54);
    return s;
}();

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
    // A branch leaves its digit one pattern in its band or stack, and the levels
    // below branch on others, so at most 54 branches are ever open.
    State stack[55];
    struct Open {
        Branch branch;
        unsigned untried;
    } open[55];
    State& start = stack[0];
    start = emptyBoard;
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
            } else if (const Branch branch = branchToTry(s); branch.unit >= 0) {
                // The first pattern on a copy; this level keeps the others.
                open[depth] = {branch, branch.patterns & (branch.patterns - 1)};
                stack[depth + 1] = s;
                keepPattern(stack[depth + 1], branch, std::countr_zero(branch.patterns));
                ++depth;
                continue;
            }
        }
        // Back to the nearest branch with patterns left; its last is tried in place.
        for (;;) {
            if (depth == 0) return found;
            Open& o = open[--depth];
            if (!o.untried) continue;
            const int p = std::countr_zero(o.untried);
            o.untried &= o.untried - 1;
            if (o.untried) {
                stack[depth + 1] = stack[depth];
                keepPattern(stack[++depth], o.branch, p);
            } else {
                keepPattern(stack[depth], o.branch, p);
            }
            break;
        }
    }
    return found;
}

}  // namespace dozudo
