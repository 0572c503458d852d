// Forcing chains and nets: each candidate assumed in turn and followed to its consequences.
#include <vector>

#include "analysis/techniques.h"

namespace dozudo {

namespace {

const HouseTables& H = houses();

// Follows the grid's forced moves: singles (level 1), and at level 2 also locked
// candidates and pairs. False when the grid runs into a contradiction.
bool propagate(CandidateGrid& g, int level) {
    for (;;) {
        bool changed = false;
        for (int c = 0; c < 81 && !changed; ++c) {
            if (g.value[c]) continue;
            if (g.cand[c] == 0) return false;
            if (digitCount(g.cand[c]) == 1) g.place(c, firstDigit(g.cand[c])), changed = true;
        }
        for (int h = 0; h < 27 && !changed; ++h) {
            DigitMask placed = 0, once = 0, twice = 0;
            for (int c : H.cells[h]) {
                if (g.value[c]) {
                    if (placed & digitBit(g.value[c])) return false;
                    placed |= digitBit(g.value[c]);
                }
                twice |= once & g.cand[c];
                once |= g.cand[c];
            }
            if ((placed | once) != allDigits) return false;
            if (const DigitMask single = once & ~twice & ~placed) {
                const int d = firstDigit(single);
                for (int c : H.cells[h])
                    if (g.cand[c] & digitBit(d)) g.place(c, d);
                changed = true;
            }
        }
        if (!changed && level >= 2) {
            Step s;
            if (findLockedCandidates(g, s) || findNakedSubset(g, 2, s) || findHiddenSubset(g, 2, s)) {
                for (const CellDigits& r : s.removals) g.cand[r.cell] &= static_cast<DigitMask>(~r.digits);
                changed = true;
            }
        }
        if (!changed) return true;
    }
}

struct Branch {
    bool contradiction = false;
    CandidateGrid grid;
};

// What all the branches that hold no contradiction agree on, against the grid before.
bool common(const CandidateGrid& g, const std::vector<const Branch*>& branches, Step& step) {
    std::vector<const Branch*> live;
    for (const Branch* b : branches)
        if (!b->contradiction) live.push_back(b);
    if (live.empty()) return false;  // the grid itself is contradictory
    for (int c = 0; c < 81; ++c) {
        if (g.value[c]) continue;
        const int v = live[0]->grid.value[c];
        bool same = v != 0;
        for (const Branch* b : live) same = same && b->grid.value[c] == v;
        if (same) {
            step.placeCell = static_cast<std::uint8_t>(c);
            step.placeDigit = static_cast<std::uint8_t>(v);
            return true;
        }
    }
    for (int c = 0; c < 81; ++c) {
        DigitMask gone = g.cand[c];
        for (const Branch* b : live)
            gone &= static_cast<DigitMask>(~(b->grid.cand[c] | (b->grid.value[c] ? digitBit(b->grid.value[c]) : 0)));
        if (gone) Step::add(step.removals, c, gone);
    }
    return !step.removals.empty();
}

}  // namespace

bool findForcingChain(const CandidateGrid& g, int level, Step& step) {
    // One branch for every candidate: that digit placed, then its consequences.
    std::vector<Branch> branches(729);
    for (int c = 0; c < 81; ++c)
        for (DigitMask m = g.cand[c]; m; m &= m - 1) {
            const int d = firstDigit(m);
            Branch& b = branches[c * 9 + d - 1];
            b.grid = g;
            b.grid.place(c, d);
            b.contradiction = !propagate(b.grid, level);
        }
    const auto named = [&](Technique t) { return level >= 2 ? Technique::forcingNet : t; };
    // A candidate that leads to a contradiction is false.
    for (int c = 0; c < 81; ++c)
        for (DigitMask m = g.cand[c]; m; m &= m - 1) {
            const int d = firstDigit(m);
            if (!branches[c * 9 + d - 1].contradiction) continue;
            step = Step{};
            step.technique = named(Technique::nishioForcingChain);
            Step::add(step.pattern, c, digitBit(d));
            Step::add(step.removals, c, digitBit(d));
            return true;
        }
    // A field: one of its candidates is true, so what all of them lead to holds.
    for (int c = 0; c < 81; ++c) {
        if (!g.cand[c]) continue;
        std::vector<const Branch*> list;
        for (DigitMask m = g.cand[c]; m; m &= m - 1) list.push_back(&branches[c * 9 + firstDigit(m) - 1]);
        Step s;
        if (!common(g, list, s)) continue;
        s.technique = named(Technique::cellForcingChain);
        Step::add(s.pattern, c, g.cand[c]);
        step = s;
        return true;
    }
    // A digit in a house: one of its places is true.
    for (int h = 0; h < 27; ++h)
        for (int d = 1; d <= 9; ++d) {
            const CellSet places = g.cellsWith(d, h);
            if (places.count() < 2) continue;
            std::vector<const Branch*> list;
            places.forEach([&](int c) { list.push_back(&branches[c * 9 + d - 1]); });
            Step s;
            if (!common(g, list, s)) continue;
            s.technique = named(Technique::unitForcingChain);
            places.forEach([&](int c) { Step::add(s.pattern, c, digitBit(d)); });
            step = s;
            return true;
        }
    return false;
}

}  // namespace dozudo
