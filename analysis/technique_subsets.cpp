// Locked candidates and naked and hidden subsets.
#include "analysis/techniques.h"

namespace dozudo {

namespace {

const HouseTables& H = houses();

// Fills the step's removals with `digits` from the cells of `targets` that hold them.
bool removeFrom(const CandidateGrid& g, CellSet targets, DigitMask digits, Step& step) {
    targets.forEach([&](int cell) {
        if (const DigitMask m = g.cand[cell] & digits) Step::add(step.removals, cell, m);
    });
    return !step.removals.empty();
}

void addPattern(const CandidateGrid& g, CellSet cells, DigitMask digits, Step& step) {
    cells.forEach([&](int cell) {
        if (const DigitMask m = g.cand[cell] & digits) Step::add(step.pattern, cell, m);
    });
}

// Calls f(mask) for every subset of `size` bits of the low `n` bits, in increasing order;
// stops when f returns true.
template <class F>
bool forEachCombination(int n, int size, F f) {
    for (unsigned m = 0; m < (1u << n); ++m)
        if (std::popcount(m) == size && f(m)) return true;
    return false;
}

}  // namespace

bool findLockedCandidates(const CandidateGrid& g, Step& step) {
    for (int pass = 0; pass < 2; ++pass) {
        // Pointing: a group's candidates of a digit on one line clear the rest of the line.
        // Claiming: a line's candidates of a digit in one group clear the rest of the group.
        for (int d = 1; d <= 9; ++d) {
            const CellSet all = g.cellsWith(d);
            const int firstHouse = pass == 0 ? 18 : 0, lastHouse = pass == 0 ? 27 : 18;
            for (int h = firstHouse; h < lastHouse; ++h) {
                const CellSet in = all & H.sets[h];
                if (in.count() < 2) continue;
                const int cell = in.first();
                for (int k = 0; k < 3; ++k) {
                    const int other = H.of[cell][k];
                    if (other == h || (pass == 0) == (other >= 18)) continue;
                    if (!(in.minus(H.sets[other])).empty()) continue;
                    Step s;
                    s.technique = pass == 0 ? Technique::pointing : Technique::claiming;
                    if (!removeFrom(g, H.sets[other].minus(H.sets[h]), digitBit(d), s)) continue;
                    addPattern(g, in, digitBit(d), s);
                    step = s;
                    return true;
                }
            }
        }
    }
    return false;
}

bool findNakedSubset(const CandidateGrid& g, int size, Step& step) {
    static constexpr Technique names[] = {Technique::nakedPair, Technique::nakedTriple, Technique::nakedQuad};
    for (int h = 0; h < 27; ++h) {
        int cells[9], n = 0;
        for (int cell : H.cells[h])
            if (g.cand[cell] && digitCount(g.cand[cell]) <= size) cells[n++] = cell;
        if (n < size) continue;
        if (forEachCombination(n, size, [&](unsigned pick) {
                DigitMask digits = 0;
                CellSet set;
                for (int i = 0; i < n; ++i)
                    if (pick >> i & 1) digits |= g.cand[cells[i]], set.add(cells[i]);
                if (digitCount(digits) != size) return false;
                // Every house the subset lies in loses its digits elsewhere.
                CellSet targets;
                for (int k = 0; k < 27; ++k)
                    if ((H.sets[k] & set) == set) targets |= H.sets[k];
                Step s;
                s.technique = names[size - 2];
                if (!removeFrom(g, targets.minus(set), digits, s)) return false;
                addPattern(g, set, digits, s);
                step = s;
                return true;
            }))
            return true;
    }
    return false;
}

bool findHiddenSubset(const CandidateGrid& g, int size, Step& step) {
    static constexpr Technique names[] = {Technique::hiddenPair, Technique::hiddenTriple, Technique::hiddenQuad};
    for (int h = 0; h < 27; ++h) {
        int digits[9], n = 0;
        CellSet places[10];
        for (int d = 1; d <= 9; ++d) {
            places[d] = g.cellsWith(d, h);
            const int c = places[d].count();
            if (c >= 2 && c <= size) digits[n++] = d;
        }
        if (n < size) continue;
        if (forEachCombination(n, size, [&](unsigned pick) {
                DigitMask mask = 0;
                CellSet set;
                for (int i = 0; i < n; ++i)
                    if (pick >> i & 1) mask |= digitBit(digits[i]), set |= places[digits[i]];
                if (set.count() != size) return false;
                Step s;
                s.technique = names[size - 2];
                if (!removeFrom(g, set, static_cast<DigitMask>(allDigits & ~mask), s)) return false;
                addPattern(g, set, mask, s);
                step = s;
                return true;
            }))
            return true;
    }
    return false;
}

}  // namespace dozudo
