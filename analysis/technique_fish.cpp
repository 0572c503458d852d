// Fish: X-Wing, Swordfish and Jellyfish, basic and finned.
#include "analysis/techniques.h"

namespace dozudo {

namespace {

const HouseTables& H = houses();

constexpr Technique basicNames[] = {Technique::xWing, Technique::swordfish, Technique::jellyfish};
constexpr Technique finnedNames[] = {Technique::finnedXWing, Technique::finnedSwordfish,
                                     Technique::finnedJellyfish};

// Positions 0..8 along the line of the digit's candidates in line house `h`.
unsigned positionsIn(const CellSet& cells, int h) {
    unsigned m = 0;
    for (int i = 0; i < 9; ++i)
        if (cells.has(H.cells[h][i])) m |= 1u << i;
    return m;
}

// Tries every fish of `size` base lines of one orientation (rows: base 0, columns: base 9)
// for digit d. With `finned`, cover lines may leave fins, which must share a group.
bool fish(const CandidateGrid& g, int d, int base, int size, bool finned, Step& step) {
    const CellSet all = g.cellsWith(d);
    const int cover = base == 0 ? 9 : 0;
    int lines[9], n = 0;
    unsigned pos[9];
    for (int i = 0; i < 9; ++i) {
        const unsigned p = positionsIn(all, base + i);
        const int c = std::popcount(p);
        if (c >= 2 && (finned ? c <= size + 3 : c <= size)) lines[n] = i, pos[n++] = p;
    }
    for (unsigned pick = 0; pick < (1u << n); ++pick) {
        if (std::popcount(pick) != size) continue;
        unsigned used = 0;
        CellSet baseCells;
        for (int i = 0; i < n; ++i)
            if (pick >> i & 1) used |= pos[i], baseCells |= all & H.sets[base + lines[i]];
        if (!finned) {
            if (std::popcount(used) != size) continue;
            CellSet targets;
            for (int i = 0; i < 9; ++i)
                if (used >> i & 1) targets |= all & H.sets[cover + i];
            targets = targets.minus(baseCells);
            if (targets.empty()) continue;
            Step s;
            s.technique = basicNames[size - 2];
            targets.forEach([&](int c) { Step::add(s.removals, c, digitBit(d)); });
            baseCells.forEach([&](int c) { Step::add(s.pattern, c, digitBit(d)); });
            step = s;
            return true;
        }
        if (std::popcount(used) <= size) continue;  // basic, or no fish
        // Choose the cover lines; the base candidates outside them are the fins.
        for (unsigned coverPick = used; coverPick; coverPick = (coverPick - 1) & used) {
            if (std::popcount(coverPick) != size) continue;
            CellSet coverCells, fins = baseCells;
            for (int i = 0; i < 9; ++i)
                if (coverPick >> i & 1) coverCells |= H.sets[cover + i];
            fins = fins.minus(coverCells);
            const int group = H.of[fins.first()][2];
            if (!(fins.minus(H.sets[group])).empty()) continue;
            const CellSet targets = (all & coverCells & H.sets[group]).minus(baseCells);
            if (targets.empty()) continue;
            Step s;
            s.technique = finnedNames[size - 2];
            targets.forEach([&](int c) { Step::add(s.removals, c, digitBit(d)); });
            baseCells.forEach([&](int c) { Step::add(s.pattern, c, digitBit(d)); });
            step = s;
            return true;
        }
    }
    return false;
}

}  // namespace

bool findBasicFish(const CandidateGrid& g, int size, Step& step) {
    for (int d = 1; d <= 9; ++d)
        for (int base : {0, 9})
            if (fish(g, d, base, size, false, step)) return true;
    return false;
}

bool findFinnedFish(const CandidateGrid& g, int size, Step& step) {
    for (int d = 1; d <= 9; ++d)
        for (int base : {0, 9})
            if (fish(g, d, base, size, true, step)) return true;
    return false;
}

}  // namespace dozudo
