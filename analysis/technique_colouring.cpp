// Simple colouring and unique rectangles.
#include "analysis/techniques.h"

namespace dozudo {

namespace {

const HouseTables& H = houses();

}  // namespace

bool findSimpleColouring(const CandidateGrid& g, Step& step) {
    for (int d = 1; d <= 9; ++d) {
        const CellSet all = g.cellsWith(d);
        // Conjugate pairs: houses where d has exactly two places.
        std::array<CellSet, 81> links{};
        for (int h = 0; h < 27; ++h) {
            const CellSet two = all & H.sets[h];
            if (two.count() != 2) continue;
            const int a = two.first(), b = two.minus(CellSet::of(a)).first();
            links[a].add(b);
            links[b].add(a);
        }
        CellSet done;
        for (int start = 0; start < 81; ++start) {
            if (links[start].empty() || done.has(start)) continue;
            // Two colours over the cluster of conjugate pairs around start.
            CellSet colour[2];
            colour[0].add(start);
            int queue[81], head = 0, tail = 0;
            queue[tail++] = start;
            while (head < tail) {
                const int c = queue[head++];
                const int side = colour[0].has(c) ? 0 : 1;
                links[c].forEach([&](int n) {
                    if (colour[0].has(n) || colour[1].has(n)) return;
                    colour[1 - side].add(n);
                    queue[tail++] = n;
                });
            }
            const CellSet cluster = colour[0] | colour[1];
            done |= cluster;
            if (cluster.count() < 4) continue;
            Step s;
            // Colour wrap: two cells of one colour see each other, so that colour is false.
            for (int side = 0; side < 2 && s.removals.empty(); ++side) {
                bool wrap = false;
                colour[side].forEach([&](int c) { wrap = wrap || !(H.peers[c] & colour[side]).empty(); });
                if (wrap) colour[side].forEach([&](int c) { Step::add(s.removals, c, digitBit(d)); });
            }
            // Colour trap: a cell outside that sees both colours.
            if (s.removals.empty())
                all.minus(cluster).forEach([&](int c) {
                    if (!(H.peers[c] & colour[0]).empty() && !(H.peers[c] & colour[1]).empty())
                        Step::add(s.removals, c, digitBit(d));
                });
            if (s.removals.empty()) continue;
            s.technique = Technique::simpleColouring;
            cluster.forEach([&](int c) { Step::add(s.pattern, c, digitBit(d)); });
            step = s;
            return true;
        }
    }
    return false;
}

bool findUniqueRectangle(const CandidateGrid& g, Step& step) {
    // Four empty cells on two rows, two columns and two groups, all holding {a, b}: they
    // would let a and b swap, so the puzzle with one solution must break the rectangle.
    for (int r1 = 0; r1 < 9; ++r1)
        for (int r2 = r1 + 1; r2 < 9; ++r2)
            for (int c1 = 0; c1 < 9; ++c1)
                for (int c2 = c1 + 1; c2 < 9; ++c2) {
                    if ((r1 / 3 == r2 / 3) == (c1 / 3 == c2 / 3)) continue;  // two groups only
                    const int cells[4] = {r1 * 9 + c1, r1 * 9 + c2, r2 * 9 + c1, r2 * 9 + c2};
                    DigitMask common = allDigits;
                    for (int c : cells) common &= g.cand[c];
                    if (digitCount(common) != 2) continue;
                    int plain = 0, extra[4], nExtra = 0;
                    for (int c : cells) {
                        if (g.cand[c] == common)
                            ++plain;
                        else
                            extra[nExtra++] = c;
                    }
                    Step s;
                    if (plain == 3) {
                        // Type 1: the fourth cell loses a and b.
                        s.technique = Technique::uniqueRectangle1;
                        Step::add(s.removals, extra[0], common);
                    } else if (plain == 2 && nExtra == 2 &&
                               g.cand[extra[0]] == g.cand[extra[1]] &&
                               digitCount(g.cand[extra[0]]) == 3 && sees(extra[0], extra[1])) {
                        // Type 2: both others hold one more digit c, one of them is c.
                        const int cd = firstDigit(static_cast<DigitMask>(g.cand[extra[0]] & ~common));
                        (g.cellsWith(cd) & H.peers[extra[0]] & H.peers[extra[1]]).forEach(
                            [&](int c) { Step::add(s.removals, c, digitBit(cd)); });
                        s.technique = Technique::uniqueRectangle2;
                    }
                    if (s.removals.empty()) continue;
                    for (int c : cells) Step::add(s.pattern, c, common);
                    step = s;
                    return true;
                }
    return false;
}

}  // namespace dozudo
