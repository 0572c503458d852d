// Almost locked sets: ALS-XZ.
#include <vector>

#include "analysis/techniques.h"

namespace dozudo {

namespace {

const HouseTables& H = houses();

// N empty cells of one house with N + 1 candidates.
struct Als {
    CellSet cells;
    DigitMask digits = 0;
    std::array<CellSet, 10> with{};  // its cells holding each digit
};

std::vector<Als> almostLockedSets(const CandidateGrid& g) {
    constexpr int maxCells = 4;
    std::vector<Als> sets;
    for (int h = 0; h < 27; ++h) {
        int cells[9], n = 0;
        for (int c : H.cells[h])
            if (g.cand[c]) cells[n++] = c;
        for (unsigned pick = 1; pick < (1u << n); ++pick) {
            const int size = std::popcount(pick);
            if (size > maxCells) continue;
            Als a;
            for (int i = 0; i < n; ++i)
                if (pick >> i & 1) a.cells.add(cells[i]), a.digits |= g.cand[cells[i]];
            if (digitCount(a.digits) != size + 1) continue;
            // A set lying in a line and a group is listed with the line only.
            if (h >= 18) {
                const int first = a.cells.first();
                if ((a.cells.minus(H.sets[H.of[first][0]])).empty() ||
                    (a.cells.minus(H.sets[H.of[first][1]])).empty())
                    continue;
            }
            a.cells.forEach([&](int c) {
                for (DigitMask m = g.cand[c]; m; m &= m - 1) a.with[firstDigit(m)].add(c);
            });
            sets.push_back(a);
        }
    }
    return sets;
}

// Whether every cell of `a` sees every cell of `b`.
bool allSee(CellSet a, CellSet b) {
    bool ok = true;
    a.forEach([&](int c) { ok = ok && (b.minus(H.peers[c])).empty(); });
    return ok;
}

}  // namespace

bool findAlsXz(const CandidateGrid& g, Step& step) {
    const std::vector<Als> sets = almostLockedSets(g);
    int bestSize = 99;
    for (std::size_t i = 0; i < sets.size(); ++i)
        for (std::size_t j = i + 1; j < sets.size(); ++j) {
            const Als &a = sets[i], &b = sets[j];
            const int size = a.cells.count() + b.cells.count();
            if (size >= bestSize || !(a.cells & b.cells).empty()) continue;
            const DigitMask common = a.digits & b.digits;
            if (digitCount(common) < 2) continue;
            // x: a restricted common digit, all of whose places in both sets see each other.
            for (DigitMask xs = common; xs; xs &= xs - 1) {
                const int x = firstDigit(xs);
                if (!allSee(a.with[x], b.with[x])) continue;
                Step s;
                for (DigitMask zs = static_cast<DigitMask>(common & ~digitBit(x)); zs; zs &= zs - 1) {
                    const int z = firstDigit(zs);
                    CellSet targets = g.cellsWith(z).minus(a.cells | b.cells);
                    (a.with[z] | b.with[z]).forEach([&](int c) { targets &= H.peers[c]; });
                    targets.forEach([&](int c) { Step::add(s.removals, c, digitBit(z)); });
                }
                if (s.removals.empty()) continue;
                s.technique = Technique::alsXz;
                (a.cells | b.cells).forEach([&](int c) { Step::add(s.pattern, c, g.cand[c]); });
                step = s;
                bestSize = size;
                break;
            }
        }
    return bestSize != 99;
}

}  // namespace dozudo
