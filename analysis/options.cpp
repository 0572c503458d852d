#include "analysis/options.h"

#include <bit>

namespace dozudo {

void computeOptions(const Board& board, OptionTables& t) {
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) {
            const int d = board.digit(c, r);
            t.at(c, r) = d == 0 ? 0 : digitBit(d);
        }
    t.rowMask.fill(allDigits);
    t.columnMask.fill(allDigits);
    t.groupMask.fill(allDigits);
    // Every placed digit toggles its bit in the masks of its units.
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) {
            const DigitMask m = t.at(c, r);
            t.rowMask[r - 1] ^= m;
            t.columnMask[c - 1] ^= m;
            t.groupMask[groupOf(c, r) - 1] ^= m;
        }
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (board.digit(c, r) == 0)
                t.at(c, r) =
                    t.groupMask[groupOf(c, r) - 1] & t.columnMask[c - 1] & t.rowMask[r - 1];
}

int optionCount(DigitMask mask) {
    return std::popcount(static_cast<unsigned>(mask & allDigits));
}

int nthOption(DigitMask mask, int n) {
    int k = 0;
    for (int d = 1; d <= 9; ++d)
        if (mask & digitBit(d)) {
            ++k;
            if (k == n) return d;
        }
    return 0;
}

}  // namespace dozudo
