#include "analysis/unit_reduction.h"

#include <bit>

namespace dozudo {

void loadUnit(UnitWorkArea& area, const OptionTables& tables, UnitKind kind, int unit) {
    for (int i = 1; i <= 9; ++i) {
        const FieldPosition f = unitField(kind, unit, i);
        area.unitOptions[i] = tables.at(f.column, f.row);
        area.unitResult[i] = 0;
    }
}

void storeUnit(const UnitWorkArea& area, OptionTables& tables, UnitKind kind, int unit) {
    for (int i = 1; i <= 9; ++i) {
        const FieldPosition f = unitField(kind, unit, i);
        tables.at(f.column, f.row) = area.unitResult[i];
    }
}

namespace {
constexpr DigitMask noDigitLeft = 1024;
}

bool nextAssignment(UnitWorkArea& a, bool resume) {
    int i = 9;
    if (!resume) {
        i = 1;
        a.unitFree[1] = allDigits;
        a.unitChoice[1] = 1;
    }
    for (;;) {
        // Advance position i to its next usable digit.
        do {
            a.unitChoice[i] = static_cast<DigitMask>(a.unitChoice[i] << 1);
        } while (a.unitChoice[i] != noDigitLeft &&
                 (a.unitChoice[i] & a.unitFree[i] & a.unitOptions[i]) == 0);

        if (a.unitChoice[i] == noDigitLeft) {
            a.unitChoice[i] = 0;
            if (i == 1) return false;
            --i;
            continue;
        }
        if (i == 9) return true;
        ++i;
        a.unitChoice[i] = 1;
        a.unitFree[i] = static_cast<DigitMask>(a.unitFree[i - 1] & ~a.unitChoice[i - 1]);
    }
}

void collectAssignment(UnitWorkArea& a) {
    for (int i = 1; i <= 9; ++i) a.unitResult[i] |= a.unitChoice[i];
}

void reduceUnitEnumerated(UnitWorkArea& a) {
    for (int i = 1; i <= 9; ++i) a.unitResult[i] = 0;
    if (!nextAssignment(a, false)) return;
    collectAssignment(a);
    while (nextAssignment(a, true)) collectAssignment(a);
}

namespace {

// Positions and digits are 0..8 here; digit k is bit k+1 of a DigitMask.
struct Matching {
    unsigned edges[9];  // digits allowed at each position, bit k = digit k
    int digitOf[9];     // digit matched to each position, -1 = none
    int ownerOf[9];     // position matched to each digit, -1 = none
};

// Kuhn's augmenting path from position p; `seen` holds the digits already
// visited in this search.
bool augment(Matching& m, int p, unsigned& seen) {
    unsigned candidates = m.edges[p] & ~seen;
    while (candidates != 0) {
        const int d = std::countr_zero(candidates);
        candidates &= candidates - 1;
        seen |= 1u << d;
        if (m.ownerOf[d] < 0 || augment(m, m.ownerOf[d], seen)) {
            m.digitOf[p] = d;
            m.ownerOf[d] = p;
            return true;
        }
    }
    return false;
}

}  // namespace

void reduceUnitMatched(UnitWorkArea& a) {
    Matching m;
    for (int p = 0; p < 9; ++p) {
        m.edges[p] = (a.unitOptions[p + 1] & allDigits) >> 1;
        m.digitOf[p] = -1;
        m.ownerOf[p] = -1;
    }
    // Cheap greedy start, then augmenting paths for the positions left over.
    unsigned used = 0;
    for (int p = 0; p < 9; ++p) {
        const unsigned free = m.edges[p] & ~used;
        if (free != 0) {
            const int d = std::countr_zero(free);
            used |= 1u << d;
            m.digitOf[p] = d;
            m.ownerOf[d] = p;
        }
    }
    for (int p = 0; p < 9; ++p) {
        if (m.digitOf[p] >= 0) continue;
        unsigned seen = 0;
        if (!augment(m, p, seen)) {
            // No complete assignment: every position loses every digit.
            for (int i = 1; i <= 9; ++i) a.unitResult[i] = 0;
            return;
        }
    }

    // Position p points to position q when p may take q's matched digit.
    // Another perfect matching uses edge (p, digit of q) exactly when the
    // swap can be closed into a cycle, i.e. q reaches p along such pointers.
    unsigned reach[9];
    for (int p = 0; p < 9; ++p) {
        unsigned targets = 0;
        unsigned digits = m.edges[p];
        while (digits != 0) {
            const int d = std::countr_zero(digits);
            digits &= digits - 1;
            targets |= 1u << m.ownerOf[d];
        }
        reach[p] = targets;
    }
    for (int k = 0; k < 9; ++k)
        for (int p = 0; p < 9; ++p)
            if (reach[p] & (1u << k)) reach[p] |= reach[k];

    for (int p = 0; p < 9; ++p) {
        unsigned kept = 1u << m.digitOf[p];
        unsigned digits = m.edges[p] & ~kept;
        while (digits != 0) {
            const int d = std::countr_zero(digits);
            digits &= digits - 1;
            if (reach[m.ownerOf[d]] & (1u << p)) kept |= 1u << d;
        }
        a.unitResult[p + 1] = static_cast<DigitMask>(kept << 1);
    }
}

namespace {

template <void (*reduceUnit)(UnitWorkArea&)>
void reduceAllUnits(OptionTables& tables) {
    UnitWorkArea area;
    for (UnitKind kind : {UnitKind::row, UnitKind::column, UnitKind::group})
        for (int unit = 1; unit <= 9; ++unit) {
            loadUnit(area, tables, kind, unit);
            reduceUnit(area);
            storeUnit(area, tables, kind, unit);
        }
}

}  // namespace

void reduceByUnits(OptionTables& tables) {
    reduceAllUnits<reduceUnitMatched>(tables);
}

void reduceByUnitsEnumerated(OptionTables& tables) {
    reduceAllUnits<reduceUnitEnumerated>(tables);
}

}  // namespace dozudo
