// Wings: XY-Wing, XYZ-Wing and W-Wing.
#include "analysis/techniques.h"

namespace dozudo {

namespace {

const HouseTables& H = houses();

// The cells holding digit z that see every cell of `cells`, outside them.
CellSet seeingAll(const CandidateGrid& g, int z, std::initializer_list<int> cells) {
    CellSet t = g.cellsWith(z);
    for (int c : cells) t = (t & H.peers[c]);
    return t;
}

bool make(const CandidateGrid& g, Technique t, CellSet targets, int z,
          std::initializer_list<int> cells, Step& step) {
    if (targets.empty()) return false;
    Step s;
    s.technique = t;
    for (int c : cells) Step::add(s.pattern, c, g.cand[c]);
    targets.forEach([&](int c) { Step::add(s.removals, c, digitBit(z)); });
    step = s;
    return true;
}

}  // namespace

bool findXyWing(const CandidateGrid& g, Step& step) {
    for (int pivot = 0; pivot < 81; ++pivot) {
        const DigitMask p = g.cand[pivot];
        if (digitCount(p) != 2) continue;
        for (int a = 0; a < 81; ++a) {
            const DigitMask ma = g.cand[a];
            if (!sees(pivot, a) || digitCount(ma) != 2 || digitCount(ma & p) != 1) continue;
            const DigitMask z = static_cast<DigitMask>(ma & ~p);
            for (int b = a + 1; b < 81; ++b) {
                const DigitMask mb = g.cand[b];
                if (!sees(pivot, b) || mb != ((p & ~ma) | z)) continue;
                const int zd = firstDigit(z);
                if (make(g, Technique::xyWing, seeingAll(g, zd, {a, b}), zd, {pivot, a, b}, step))
                    return true;
            }
        }
    }
    return false;
}

bool findXyzWing(const CandidateGrid& g, Step& step) {
    for (int pivot = 0; pivot < 81; ++pivot) {
        const DigitMask p = g.cand[pivot];
        if (digitCount(p) != 3) continue;
        for (int a = 0; a < 81; ++a) {
            const DigitMask ma = g.cand[a];
            if (!sees(pivot, a) || digitCount(ma) != 2 || (ma & ~p)) continue;
            for (int b = a + 1; b < 81; ++b) {
                const DigitMask mb = g.cand[b];
                if (!sees(pivot, b) || digitCount(mb) != 2 || (mb & ~p) || (ma | mb) != p) continue;
                const DigitMask z = ma & mb;
                if (digitCount(z) != 1) continue;
                const int zd = firstDigit(z);
                if (make(g, Technique::xyzWing, seeingAll(g, zd, {pivot, a, b}), zd, {pivot, a, b}, step))
                    return true;
            }
        }
    }
    return false;
}

bool findWWing(const CandidateGrid& g, Step& step) {
    for (int a = 0; a < 81; ++a) {
        if (digitCount(g.cand[a]) != 2) continue;
        for (int b = a + 1; b < 81; ++b) {
            if (g.cand[b] != g.cand[a] || sees(a, b)) continue;
            // A strong link on x whose ends see a and b: then one of them holds y.
            for (int xi = 0; xi < 2; ++xi) {
                const int x = xi == 0 ? firstDigit(g.cand[a]) : 31 - std::countl_zero(unsigned{g.cand[a]});
                const int y = firstDigit(static_cast<DigitMask>(g.cand[a] & ~digitBit(x)));
                const CellSet targets = seeingAll(g, y, {a, b});
                if (targets.empty()) continue;
                for (int h = 0; h < 27; ++h) {
                    const CellSet xs = g.cellsWith(x, h);
                    if (xs.count() != 2 || xs.has(a) || xs.has(b)) continue;
                    const int e = xs.first(), f = xs.minus(CellSet::of(e)).first();
                    if (!((sees(e, a) && sees(f, b)) || (sees(e, b) && sees(f, a)))) continue;
                    Step s;
                    s.technique = Technique::wWing;
                    Step::add(s.pattern, a, g.cand[a]);
                    Step::add(s.pattern, b, g.cand[b]);
                    Step::add(s.pattern, e, digitBit(x));
                    Step::add(s.pattern, f, digitBit(x));
                    targets.forEach([&](int c) { Step::add(s.removals, c, digitBit(y)); });
                    step = s;
                    return true;
                }
            }
        }
    }
    return false;
}

}  // namespace dozudo
