// Chains of alternating strong and weak links between candidates: X-Chains (one digit,
// links between places of a house), XY-Chains (bivalue fields, links between fields of one
// digit) and alternating inference chains (both).
#include <algorithm>

#include "analysis/techniques.h"

namespace dozudo {

namespace {

const HouseTables& H = houses();

// A candidate is a node: cell * 9 + digit - 1. A chain state is a node assumed false
// (state 2n) or true (2n + 1).
constexpr int nodeCell(int n) {
    return n / 9;
}
constexpr int nodeDigit(int n) {
    return n % 9 + 1;
}

struct ChainSearch {
    const CandidateGrid& g;
    ChainKind kind;
    std::array<CellSet, 10> with{};  // cells of each digit

    // Strong links: if n is false, the returned nodes are true.
    template <class F>
    void strong(int n, F f) const {
        const int c = nodeCell(n), d = nodeDigit(n);
        if (kind != ChainKind::x && digitCount(g.cand[c]) == 2)
            f(c * 9 + firstDigit(static_cast<DigitMask>(g.cand[c] & ~digitBit(d))) - 1);
        if (kind == ChainKind::xy) return;
        for (int h : H.of[c]) {
            const CellSet two = with[d] & H.sets[h];
            if (two.count() == 2) f(two.minus(CellSet::of(c)).first() * 9 + d - 1);
        }
    }
    // Weak links: if n is true, the returned nodes are false.
    template <class F>
    void weak(int n, F f) const {
        const int c = nodeCell(n), d = nodeDigit(n);
        (with[d] & H.peers[c]).forEach([&](int p) { f(p * 9 + d - 1); });
        if (kind != ChainKind::alternating) return;
        for (DigitMask m = static_cast<DigitMask>(g.cand[c] & ~digitBit(d)); m; m &= m - 1)
            f(c * 9 + firstDigit(m) - 1);
    }

    // What "s or t" removes: candidates that see both ends.
    void conclude(int s, int t, Step& step) const {
        const int cs = nodeCell(s), ct = nodeCell(t), ds = nodeDigit(s), dt = nodeDigit(t);
        if (ds == dt) {
            if (cs == ct) return;
            (with[ds] & H.peers[cs] & H.peers[ct]).forEach([&](int c) { Step::add(step.removals, c, digitBit(ds)); });
            return;
        }
        if (kind != ChainKind::alternating) return;
        if (cs == ct) {
            if (const DigitMask m = g.cand[cs] & ~(digitBit(ds) | digitBit(dt)))
                Step::add(step.removals, cs, static_cast<DigitMask>(m));
        } else if (sees(cs, ct)) {
            if (g.cand[cs] & digitBit(dt)) Step::add(step.removals, cs, digitBit(dt));
            if (g.cand[ct] & digitBit(ds)) Step::add(step.removals, ct, digitBit(ds));
        }
    }
};

constexpr Technique chainName(ChainKind k) {
    return k == ChainKind::x ? Technique::xChain : k == ChainKind::xy ? Technique::xyChain : Technique::aic;
}

}  // namespace

bool findChain(const CandidateGrid& g, ChainKind kind, Step& step) {
    ChainSearch search{g, kind};
    for (int d = 1; d <= 9; ++d) search.with[d] = g.cellsWith(d);
    constexpr int maxLinks = 15;
    int bestLinks = maxLinks + 1;
    Step best;
    std::array<std::int16_t, 1458> parent;
    std::array<std::int8_t, 1458> depth;
    std::array<std::int16_t, 1458> queue;
    for (int s = 0; s < 729; ++s) {
        if (!(g.cand[nodeCell(s)] & digitBit(nodeDigit(s)))) continue;
        if (kind == ChainKind::xy && digitCount(g.cand[nodeCell(s)]) != 2) continue;
        depth.fill(-1);
        int head = 0, tail = 0;
        queue[tail++] = static_cast<std::int16_t>(2 * s);
        depth[2 * s] = 0;
        parent[2 * s] = -1;
        while (head < tail) {
            const int state = queue[head++];
            const int links = depth[state];
            if (links + 1 >= bestLinks) break;
            const int n = state / 2;
            bool stop = false;
            const auto visit = [&](int next, int truth) {
                const int ns = 2 * next + truth;
                if (stop || depth[ns] >= 0) return;
                depth[ns] = static_cast<std::int8_t>(links + 1);
                parent[ns] = static_cast<std::int16_t>(state);
                queue[tail++] = static_cast<std::int16_t>(ns);
                if (truth == 0 || links + 1 < 3) return;
                Step found;
                if (next == s) {
                    // s false leads to s true: s holds.
                    found.placeCell = static_cast<std::uint8_t>(nodeCell(s));
                    found.placeDigit = static_cast<std::uint8_t>(nodeDigit(s));
                } else {
                    search.conclude(s, next, found);
                    if (found.removals.empty()) return;
                }
                found.technique = chainName(kind);
                for (int at = ns; at >= 0; at = parent[at])
                    Step::add(found.pattern, nodeCell(at / 2), digitBit(nodeDigit(at / 2)));
                std::reverse(found.pattern.begin(), found.pattern.end());
                best = found;
                bestLinks = links + 1;
                stop = true;
            };
            if (state % 2 == 0)
                search.strong(n, [&](int next) { visit(next, 1); });
            else
                search.weak(n, [&](int next) { visit(next, 0); });
            if (stop) break;
        }
    }
    if (!best.found()) return false;
    step = best;
    return true;
}

}  // namespace dozudo
