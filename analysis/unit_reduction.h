#pragma once
// Reduction by unit assignments: in every row, column and group a digit stays
// in a field's options only if some assignment of nine distinct digits to the
// unit's nine fields, each taken from its field's options, puts it there.
//
// Two ways to get the same masks:
// - the exhaustive enumerator (loadUnit / nextAssignment / collectAssignment),
//   which defines the result and walks every complete assignment;
// - a bipartite matching of positions to digits, whose cost does not depend on
//   how many assignments the unit has. reduceByUnits uses this one.

#include <array>

#include "analysis/options.h"
#include "model/units.h"

namespace dozudo {

// Work area for the unit being reduced. Every array is indexed by the
// position 1..9 inside the unit; slot 0 is never used.
struct UnitWorkArea {
    // Options mask of each position's field, copied in by loadUnit.
    std::array<DigitMask, 10> unitOptions{};
    // Union of the digits each position received in the assignments collected so far.
    std::array<DigitMask, 10> unitResult{};
    // Digits not used by positions 1..i-1 in the assignment being built.
    std::array<DigitMask, 10> unitFree{};
    // Single bit of the digit tried at position i; 1 (bit 0) stands before
    // digit 1, 1024 (bit 10) means no digit is left.
    std::array<DigitMask, 10> unitChoice{};
};

// Copies the nine options masks of the unit into unitOptions and clears unitResult.
void loadUnit(UnitWorkArea& area, const OptionTables& tables, UnitKind kind, int unit);
// Writes unitResult[i] into the options of the field at position i, for all nine positions.
void storeUnit(const UnitWorkArea& area, OptionTables& tables, UnitKind kind, int unit);

// Depth-first search for the first complete assignment (resume = false) or the
// next one after the last found (resume = true). The assignment stands in
// unitChoice[1..9]. Returns false when none is left.
bool nextAssignment(UnitWorkArea& area, bool resume);
// unitResult[i] |= unitChoice[i] for i = 1..9.
void collectAssignment(UnitWorkArea& area);

// Both set unitResult[1..9] from unitOptions[1..9] to the digits each position
// takes in at least one complete assignment (all 0 when there is none).
// By walking every assignment (up to 9! of them):
void reduceUnitEnumerated(UnitWorkArea& area);
// By a perfect matching and its alternating cycles (fixed small cost):
void reduceUnitMatched(UnitWorkArea& area);

// The pass over all 27 units: rows 1..9, then columns 1..9, then groups 1..9,
// each unit written back before the next one is loaded.
void reduceByUnits(OptionTables& tables);
// The same pass by enumeration; gives the identical masks, far more slowly.
void reduceByUnitsEnumerated(OptionTables& tables);

}  // namespace dozudo
