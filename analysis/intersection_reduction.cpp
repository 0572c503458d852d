#include "analysis/intersection_reduction.h"

namespace dozudo {

void buildRowSegments(const OptionTables& tables, SegmentTable& s) {
    for (int x = 1; x <= 9; ++x)
        for (int k = 1; k <= 3; ++k)
            s.at(k, x) = tables.at(3 * k - 2, x) | tables.at(3 * k - 1, x) | tables.at(3 * k, x);
}

void buildColumnSegments(const OptionTables& tables, SegmentTable& s) {
    for (int x = 1; x <= 9; ++x)
        for (int k = 1; k <= 3; ++k)
            s.at(k, x) = tables.at(x, 3 * k - 2) | tables.at(x, 3 * k - 1) | tables.at(x, 3 * k);
}

void reduceSegments(SegmentTable& s) {
    for (int b = 1; b <= 3; ++b)
        for (int L = 1; L <= 3; ++L) {
            const int xL = 3 * b - 3 + L;
            for (int K = 1; K <= 3; ++K) {
                // The two other segments of the line, and the two other lines of the group.
                const int j1 = K == 1 ? 2 : 1, j2 = K == 3 ? 2 : 3;
                const int x1 = 3 * b - 3 + (L == 1 ? 2 : 1), x2 = 3 * b - 3 + (L == 3 ? 2 : 3);
                const DigitMask lineRest = s.at(j1, xL) | s.at(j2, xL);
                const DigitMask groupRest = s.at(K, x1) | s.at(K, x2);
                const DigitMask m = lineRest & groupRest;
                s.at(j1, xL) &= m;
                s.at(j2, xL) &= m;
                s.at(K, x1) &= m;
                s.at(K, x2) &= m;
            }
        }
}

void applyRowSegments(const SegmentTable& s, OptionTables& tables) {
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) tables.at(c, r) &= s.at((c - 1) / 3 + 1, r);
}

void applyColumnSegments(const SegmentTable& s, OptionTables& tables) {
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) tables.at(c, r) &= s.at((r - 1) / 3 + 1, c);
}

void reduceByIntersections(OptionTables& tables) {
    SegmentTable segments;
    buildRowSegments(tables, segments);
    reduceSegments(segments);
    applyRowSegments(segments, tables);
    buildColumnSegments(tables, segments);
    reduceSegments(segments);
    applyColumnSegments(segments, tables);
}

}  // namespace dozudo
