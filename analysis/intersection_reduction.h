#pragma once
// Reduction by intersections. Where a line (row or column) crosses a group,
// its three shared fields form a segment. A digit that, inside the group, is
// possible only in the segment leaves the rest of the line; a digit that,
// inside the line, is possible only in the segment leaves the rest of the group.

#include <array>

#include "analysis/options.h"

namespace dozudo {

// segmentMask[k][x], k = 1..3, x = 1..9: the OR of the options of one segment.
// Row pass: row x, columns 3k-2..3k. Column pass: column x, rows 3k-2..3k.
struct SegmentTable {
    std::array<std::array<DigitMask, 9>, 3> segmentMask{};

    DigitMask& at(int k, int x) { return segmentMask[k - 1][x - 1]; }
    DigitMask at(int k, int x) const { return segmentMask[k - 1][x - 1]; }
};

void buildRowSegments(const OptionTables& tables, SegmentTable& segments);
void buildColumnSegments(const OptionTables& tables, SegmentTable& segments);
// The elimination step, in place: band 1..3, line L = 1..3 outer, segment
// K = 1..3 inner; each step narrows the rest of its line and the rest of its
// group to the digits possible in both, and later steps see the narrowing.
void reduceSegments(SegmentTable& segments);
// options(c, r) &= segmentMask[(c-1)/3 + 1][r]
void applyRowSegments(const SegmentTable& segments, OptionTables& tables);
// options(c, r) &= segmentMask[(r-1)/3 + 1][c]
void applyColumnSegments(const SegmentTable& segments, OptionTables& tables);

// Row pass, applied to the options, then column pass.
void reduceByIntersections(OptionTables& tables);

}  // namespace dozudo
