// Option reduction: the unit-assignment pass (the fast matching against the
// exhaustive enumerator), the intersection pass, and the two together.

#include "analysis/reduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "analysis/intersection_reduction.h"
#include "analysis/options.h"
#include "analysis/unit_reduction.h"

namespace dozudo {
namespace {

using UnitMasks = std::array<DigitMask, 10>;  // positions 1..9, slot 0 unused

Board boardFromLine(const std::string& line) {
    Board b;
    for (int i = 0; i < 81; ++i) {
        const char ch = line[static_cast<std::size_t>(i)];
        if (ch >= '1' && ch <= '9') b.set(i % 9 + 1, i / 9 + 1, ch - '0', fkGiven);
    }
    return b;
}

std::vector<Board> publishedPuzzles() {
    std::ifstream in(std::string(DOZUDO_TEST_DATA) + "/euler50.txt");
    std::vector<Board> puzzles;
    std::string line;
    while (std::getline(in, line))
        if (line.size() >= 81 && line[0] != '#') puzzles.push_back(boardFromLine(line));
    return puzzles;
}

// Plain backtracking, used only to get the solutions of the test puzzles.
bool solve(Board& b) {
    int bestC = 0, bestR = 0, bestCount = 10;
    DigitMask bestMask = 0;
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) {
            if (b.digit(c, r) != 0) continue;
            DigitMask used = 0;
            for (int i = 1; i <= 9; ++i) used |= digitBit(b.digit(i, r)) | digitBit(b.digit(c, i));
            for (int i = 0; i < 9; ++i)
                used |= digitBit(b.digit(groupFirstColumn(groupOf(c, r)) + i % 3,
                                         groupFirstRow(groupOf(c, r)) + i / 3));
            const DigitMask free = static_cast<DigitMask>(allDigits & ~used);
            if (optionCount(free) < bestCount) {
                bestCount = optionCount(free);
                bestC = c, bestR = r, bestMask = free;
            }
        }
    if (bestC == 0) return true;
    for (int d = 1; d <= 9; ++d)
        if (bestMask & digitBit(d)) {
            b.set(bestC, bestR, d, fkFilled);
            if (solve(b)) return true;
        }
    b.set(bestC, bestR, 0, 0);
    return false;
}

OptionTables optionsOf(const Board& b) {
    OptionTables t;
    computeOptions(b, t);
    return t;
}

OptionTables allOptions() {
    OptionTables t;
    for (auto& column : t.options) column.fill(allDigits);
    return t;
}

// The nine result masks of a unit, by each method.
struct UnitOutcome {
    UnitMasks enumerated{};
    UnitMasks matched{};
};

UnitOutcome reduceBoth(const UnitMasks& options) {
    UnitWorkArea a;
    a.unitOptions = options;
    reduceUnitEnumerated(a);
    UnitOutcome out;
    out.enumerated = a.unitResult;
    UnitWorkArea b;
    b.unitOptions = options;
    for (int i = 1; i <= 9; ++i) b.unitResult[i] = 0xFFFF;  // must be overwritten
    reduceUnitMatched(b);
    out.matched = b.unitResult;
    return out;
}

// Upper bound of the enumerator's work on a unit; keeps the random cases fast.
double assignmentBound(const UnitMasks& m) {
    double p = 1;
    for (int i = 1; i <= 9; ++i) p *= std::max(1, optionCount(m[i]));
    return p;
}

std::string describe(const UnitMasks& m) {
    std::string s;
    for (int i = 1; i <= 9; ++i) s += std::to_string(m[i]) + (i < 9 ? "," : "");
    return s;
}

// ---------------------------------------------------------------- positions

TEST(UnitReduction, PositionsAndLoading) {
    EXPECT_EQ(unitField(UnitKind::row, 4, 7).column, 7);
    EXPECT_EQ(unitField(UnitKind::row, 4, 7).row, 4);
    EXPECT_EQ(unitField(UnitKind::column, 4, 7).column, 4);
    EXPECT_EQ(unitField(UnitKind::column, 4, 7).row, 7);
    // Group 3: columns 7..9, rows 1..3, left to right then top to bottom.
    EXPECT_EQ(unitField(UnitKind::group, 3, 4).column, 7);
    EXPECT_EQ(unitField(UnitKind::group, 3, 4).row, 2);
    EXPECT_EQ(unitField(UnitKind::group, 8, 3).column, 6);
    EXPECT_EQ(unitField(UnitKind::group, 8, 3).row, 7);
    // Every unit covers nine distinct fields, and every field lies in one unit of each kind.
    for (UnitKind kind : {UnitKind::row, UnitKind::column, UnitKind::group}) {
        std::array<int, 81> hits{};
        for (int u = 1; u <= 9; ++u)
            for (int i = 1; i <= 9; ++i) {
                const FieldPosition f = unitField(kind, u, i);
                ++hits[static_cast<std::size_t>((f.column - 1) * 9 + f.row - 1)];
                if (kind == UnitKind::group) {
                    EXPECT_EQ(groupOf(f.column, f.row), u);
                }
            }
        for (int h : hits) EXPECT_EQ(h, 1);
    }
    OptionTables t;
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) t.at(c, r) = static_cast<DigitMask>(c * 16 + r);
    UnitWorkArea a;
    a.unitResult.fill(77);
    loadUnit(a, t, UnitKind::group, 6);
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(a.unitOptions[i], t.at(7 + (i - 1) % 3, 4 + (i - 1) / 3));
        EXPECT_EQ(a.unitResult[i], 0);
    }
}

// --------------------------------------------------------------- enumerator

TEST(UnitReduction, EnumeratorWalksAssignmentsInOrder) {
    UnitWorkArea a;
    a.unitOptions.fill(allDigits);
    ASSERT_TRUE(nextAssignment(a, false));
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(a.unitChoice[i], digitBit(i));
    ASSERT_TRUE(nextAssignment(a, true));  // the last two positions swap first
    EXPECT_EQ(a.unitChoice[7], digitBit(7));
    EXPECT_EQ(a.unitChoice[8], digitBit(9));
    EXPECT_EQ(a.unitChoice[9], digitBit(8));
    int count = 2;
    while (nextAssignment(a, true)) ++count;
    EXPECT_EQ(count, 362880);

    // {1,2},{1,2},{1,2,3} and six fixed digits: exactly two assignments.
    a.unitOptions = {0, 6, 6, 14, 16, 32, 64, 128, 256, 512};
    count = 0;
    for (bool more = nextAssignment(a, false); more; more = nextAssignment(a, true)) {
        collectAssignment(a);
        EXPECT_EQ(a.unitChoice[3], digitBit(3));
        ++count;
    }
    EXPECT_EQ(count, 2);
    a.unitOptions[2] = digitBit(4);  // digit 4 now twice
    EXPECT_FALSE(nextAssignment(a, false));
}

// The enumerator itself against every permutation of the nine digits.
TEST(UnitReduction, EnumeratorMatchesAllPermutations) {
    std::mt19937 rng(11);
    for (int round = 0; round < 120; ++round) {
        UnitMasks m{};
        const unsigned density = 3 + round % 6;  // of 10
        for (int i = 1; i <= 9; ++i)
            for (int d = 1; d <= 9; ++d)
                if (rng() % 10 < density) m[i] |= digitBit(d);
        UnitMasks expected{};
        std::array<int, 9> perm;
        std::iota(perm.begin(), perm.end(), 1);
        do {
            bool ok = true;
            for (int i = 0; i < 9 && ok; ++i) ok = (m[i + 1] & digitBit(perm[i])) != 0;
            if (ok)
                for (int i = 0; i < 9; ++i) expected[i + 1] |= digitBit(perm[i]);
        } while (std::next_permutation(perm.begin(), perm.end()));
        UnitWorkArea a;
        a.unitOptions = m;
        reduceUnitEnumerated(a);
        ASSERT_EQ(a.unitResult, expected) << describe(m);
    }
}

// ------------------------------------------------ fast vs exhaustive, units

TEST(UnitReduction, MatchingEqualsEnumerationOnRandomUnits) {
    std::mt19937 rng(2024);
    int compared = 0, contradictory = 0;
    for (int round = 0; round < 20000; ++round) {
        UnitMasks m{};
        const int shape = round % 6;
        std::array<int, 9> perm;
        std::iota(perm.begin(), perm.end(), 1);
        std::shuffle(perm.begin(), perm.end(), rng);
        if (shape == 0) {  // independent random masks of varying density, zero masks included
            const unsigned density = rng() % 8;
            for (int i = 1; i <= 9; ++i)
                for (int d = 1; d <= 9; ++d)
                    if (rng() % 10 < density) m[i] |= digitBit(d);
        } else if (shape == 1) {  // completable: a permutation plus extra digits
            for (int i = 1; i <= 9; ++i) {
                m[i] = digitBit(perm[static_cast<std::size_t>(i - 1)]);
                const int extras = static_cast<int>(rng() % 4);
                for (int e = 0; e < extras; ++e) m[i] |= digitBit(static_cast<int>(rng() % 9) + 1);
            }
        } else if (shape == 2) {  // full unit, sometimes with a repeated digit
            for (int i = 1; i <= 9; ++i) m[i] = digitBit(perm[static_cast<std::size_t>(i - 1)]);
            if (rng() % 2) m[rng() % 9 + 1] = m[rng() % 9 + 1];
        } else if (shape == 3) {  // k fields sharing only k-1 digits: no assignment
            const int k = static_cast<int>(rng() % 4) + 2;
            DigitMask small = 0;
            for (int j = 0; j < k - 1; ++j) small |= digitBit(perm[static_cast<std::size_t>(j)]);
            std::array<int, 9> pos;
            std::iota(pos.begin(), pos.end(), 1);
            std::shuffle(pos.begin(), pos.end(), rng);
            for (int i = 1; i <= 9; ++i)
                m[i] = static_cast<DigitMask>((rng() & allDigits) |
                                              digitBit(static_cast<int>(rng() % 9) + 1));
            for (int j = 0; j < k; ++j)
                m[pos[static_cast<std::size_t>(j)]] = static_cast<DigitMask>(small & rng());
            for (int j = 0; j < k; ++j)
                if (m[pos[static_cast<std::size_t>(j)]] == 0)
                    m[pos[static_cast<std::size_t>(j)]] = small;
        } else if (shape == 4) {  // a digit allowed in one field only
            for (int i = 1; i <= 9; ++i) m[i] = static_cast<DigitMask>(rng() & allDigits);
            const int d = static_cast<int>(rng() % 9) + 1;
            const int keep = static_cast<int>(rng() % 9) + 1;
            for (int i = 1; i <= 9; ++i)
                if (i != keep) m[i] &= static_cast<DigitMask>(~digitBit(d));
            m[keep] |= digitBit(d);
        } else {  // a few filled positions, the rest from a permutation with extras
            for (int i = 1; i <= 9; ++i) {
                m[i] = digitBit(perm[static_cast<std::size_t>(i - 1)]);
                if (rng() % 3) m[i] |= static_cast<DigitMask>(rng() & allDigits);
            }
        }
        if (assignmentBound(m) > 20000) continue;
        const UnitOutcome out = reduceBoth(m);
        ASSERT_EQ(out.matched, out.enumerated) << "shape " << shape << ": " << describe(m);
        ++compared;
        if (out.enumerated[1] == 0 && out.enumerated[2] == 0) ++contradictory;
    }
    EXPECT_GT(compared, 10000);
    EXPECT_GT(contradictory, 1000);  // the contradictory shape really produced contradictions
}

TEST(UnitReduction, MatchingEqualsEnumerationOnDenseUnits) {
    // Near-empty units have up to 9! assignments; a handful keeps the run short.
    std::mt19937 rng(5);
    for (int round = 0; round < 12; ++round) {
        UnitMasks m{};
        for (int i = 1; i <= 9; ++i) m[i] = allDigits;
        for (int cut = 0; cut < round; ++cut)
            m[rng() % 9 + 1] &= static_cast<DigitMask>(~digitBit(static_cast<int>(rng() % 9) + 1));
        const UnitOutcome out = reduceBoth(m);
        ASSERT_EQ(out.matched, out.enumerated) << describe(m);
    }
}

// ------------------------------------------- fast vs exhaustive, whole board

void expectSameBoardPass(const OptionTables& start, const std::string& what) {
    OptionTables fast = start, slow = start;
    reduceByUnits(fast);
    reduceByUnitsEnumerated(slow);
    ASSERT_EQ(fast.options, slow.options) << what;
    reduceByUnits(fast);  // a second run starts from the narrowed masks
    reduceByUnitsEnumerated(slow);
    ASSERT_EQ(fast.options, slow.options) << what << " (second run)";
}

TEST(UnitReduction, MatchingEqualsEnumerationOnPublishedPuzzlesAndTheirSolutionSteps) {
    const std::vector<Board> puzzles = publishedPuzzles();
    ASSERT_EQ(puzzles.size(), 50u);
    std::mt19937 rng(96);
    int boards = 0;
    for (std::size_t p = 0; p < puzzles.size(); ++p) {
        expectSameBoardPass(optionsOf(puzzles[p]), "puzzle " + std::to_string(p + 1));
        ++boards;
        Board solution = puzzles[p];
        ASSERT_TRUE(solve(solution));
        std::vector<int> empty;
        for (int i = 0; i < 81; ++i)
            if (puzzles[p].digit(i % 9 + 1, i / 9 + 1) == 0) empty.push_back(i);
        std::shuffle(empty.begin(), empty.end(), rng);
        Board step = puzzles[p];
        for (std::size_t k = 0; k < empty.size(); ++k) {
            const int c = empty[k] % 9 + 1, r = empty[k] / 9 + 1;
            step.set(c, r, solution.digit(c, r), fkEntered);
            if (k % 6 == 5) {
                OptionTables t = optionsOf(step);
                expectSameBoardPass(
                    t, "puzzle " + std::to_string(p + 1) + " step " + std::to_string(k));
                reduceByIntersections(t);  // narrower sets, as after a full reduction
                expectSameBoardPass(t, "puzzle " + std::to_string(p + 1) + " step " +
                                           std::to_string(k) + " narrowed");
                boards += 2;
            }
        }
    }
    EXPECT_GT(boards, 500);
}

TEST(UnitReduction, MatchingEqualsEnumerationOnRandomBoards) {
    const std::vector<Board> puzzles = publishedPuzzles();
    std::mt19937 rng(7);
    int zeroed = 0;
    for (int round = 0; round < 300; ++round) {
        Board solution = puzzles[static_cast<std::size_t>(round) % puzzles.size()];
        ASSERT_TRUE(solve(solution));
        OptionTables t;
        const bool completable = round % 3 != 0;
        for (int c = 1; c <= 9; ++c)
            for (int r = 1; r <= 9; ++r) {
                DigitMask m = completable ? digitBit(solution.digit(c, r)) : 0;
                const int extras = static_cast<int>(rng() % 3);
                for (int e = 0; e < extras; ++e) m |= digitBit(static_cast<int>(rng() % 9) + 1);
                t.at(c, r) = m;
            }
        expectSameBoardPass(t, "random board " + std::to_string(round));
        OptionTables after = t;
        reduceByUnits(after);
        if (completable) {
            for (int c = 1; c <= 9; ++c)
                for (int r = 1; r <= 9; ++r)
                    ASSERT_TRUE(after.at(c, r) & digitBit(solution.digit(c, r)))
                        << "solution digit lost";
        } else if (after.at(1, 1) == 0) {
            ++zeroed;
        }
    }
    EXPECT_GT(zeroed, 0);
}

// ------------------------------------------------------- behaviour of the pass

using UnitPass = void (*)(OptionTables&);
const std::array<std::pair<UnitPass, const char*>, 2> bothPasses{
    {{reduceByUnits, "matching"}, {reduceByUnitsEnumerated, "enumeration"}}};

TEST(UnitReduction, NakedSubsetNarrowsTheRestOfTheRow) {
    Board b;
    for (int c = 4; c <= 9; ++c) b.set(c, 1, c, fkGiven);
    for (const auto& [pass, name] : bothPasses) {
        OptionTables t = optionsOf(b);
        t.at(1, 1) = digitBit(1) | digitBit(2);
        t.at(2, 1) = digitBit(1) | digitBit(2);
        ASSERT_EQ(t.at(3, 1), digitBit(1) | digitBit(2) | digitBit(3));
        pass(t);
        EXPECT_EQ(t.at(1, 1), digitBit(1) | digitBit(2)) << name;
        EXPECT_EQ(t.at(2, 1), digitBit(1) | digitBit(2)) << name;
        EXPECT_EQ(t.at(3, 1), digitBit(3)) << name;
        for (int c = 4; c <= 9; ++c) EXPECT_EQ(t.at(c, 1), digitBit(c)) << name;
    }
}

TEST(UnitReduction, HiddenSingleBecomesTheOnlyOption) {
    for (const auto& [pass, name] : bothPasses) {
        OptionTables t = allOptions();
        for (int c = 1; c <= 9; ++c) t.at(c, 1) &= static_cast<DigitMask>(~digitBit(7));
        t.at(5, 1) = digitBit(2) | digitBit(7);
        pass(t);
        EXPECT_EQ(t.at(5, 1), digitBit(7)) << name;
        EXPECT_EQ(t.at(4, 1), allDigits & ~digitBit(7)) << name;
        // Column 5 then knows where its 7 is.
        EXPECT_EQ(t.at(5, 9), allDigits & ~digitBit(7)) << name;
    }
}

TEST(UnitReduction, ContradictoryRowEmptiesEveryMaskOfTheRow) {
    Board b;
    b.set(8, 1, 8, fkGiven);
    b.set(9, 1, 9, fkGiven);
    OptionTables t = optionsOf(b);
    t.at(1, 1) = digitBit(4);
    t.at(2, 1) = digitBit(4);
    UnitWorkArea a;
    loadUnit(a, t, UnitKind::row, 1);
    reduceUnitMatched(a);
    for (int i = 1; i <= 9; ++i) EXPECT_EQ(a.unitResult[i], 0) << "position " << i;
    for (const auto& [pass, name] : bothPasses) {
        OptionTables run = t;
        pass(run);
        for (int c = 1; c <= 9; ++c) EXPECT_EQ(run.at(c, 1), 0) << name << " column " << c;
        // Every column then meets a field without options, and so does every group.
        for (int c = 1; c <= 9; ++c)
            for (int r = 1; r <= 9; ++r) EXPECT_EQ(run.at(c, r), 0) << name;
    }
}

TEST(UnitReduction, RowsBeforeColumnsBeforeGroups) {
    for (const auto& [pass, name] : bothPasses) {
        // Row 1 has its 7 only at (1, 1); column 1 must already see that.
        OptionTables t = allOptions();
        for (int c = 2; c <= 9; ++c) t.at(c, 1) &= static_cast<DigitMask>(~digitBit(7));
        // Column 1 has its 5 only at (1, 5); group 4 must already see that.
        for (int r = 1; r <= 9; ++r)
            if (r != 5) t.at(1, r) &= static_cast<DigitMask>(~digitBit(5));
        pass(t);
        EXPECT_EQ(t.at(1, 1), digitBit(7)) << name;
        EXPECT_FALSE(t.at(1, 9) & digitBit(7)) << name;  // only the column can have removed it
        EXPECT_EQ(t.at(1, 5), digitBit(5)) << name;
        EXPECT_FALSE(t.at(2, 4) & digitBit(5)) << name;  // only group 4, after column 1
        EXPECT_TRUE(t.at(9, 5) & digitBit(5)) << name;   // row 5 came before column 1
    }
}

TEST(UnitReduction, SecondRunNarrowsFurther) {
    for (const auto& [pass, name] : bothPasses) {
        // Group 1 has its 5 only at (1, 1); rows and columns allow 5 elsewhere.
        OptionTables t = allOptions();
        for (int i = 2; i <= 9; ++i) {
            const FieldPosition f = unitField(UnitKind::group, 1, i);
            t.at(f.column, f.row) &= static_cast<DigitMask>(~digitBit(5));
        }
        pass(t);
        EXPECT_EQ(t.at(1, 1), digitBit(5)) << name;
        EXPECT_TRUE(t.at(4, 1) & digitBit(5)) << name;
        const OptionTables first = t;
        pass(t);
        EXPECT_FALSE(t.at(4, 1) & digitBit(5)) << name;
        EXPECT_FALSE(t.at(1, 4) & digitBit(5)) << name;
        for (int c = 1; c <= 9; ++c)
            for (int r = 1; r <= 9; ++r) EXPECT_EQ(t.at(c, r) & ~first.at(c, r), 0) << name;
    }
}

TEST(Reduction, FullAndEmptyBoardsUnchanged) {
    Board solved = publishedPuzzles().front();
    ASSERT_TRUE(solve(solved));
    Board partial = solved;
    for (int c = 1; c <= 9; ++c)
        for (int r = 2; r <= 9; ++r)
            if ((c + r) % 2) partial.set(c, r, 0, 0);  // row 1 stays full
    for (const auto& [pass, name] : bothPasses) {
        for (const bool full : {true, false}) {
            const OptionTables start = optionsOf(full ? solved : partial);
            OptionTables t = start;
            pass(t);
            for (int c = 1; c <= 9; ++c)
                EXPECT_EQ(t.at(c, 1), digitBit(solved.digit(c, 1))) << name;
            if (full) {
                EXPECT_EQ(t.options, start.options) << name;
            }
        }
        OptionTables empty = optionsOf(Board{});
        pass(empty);
        EXPECT_EQ(empty.options, allOptions().options) << name;
    }
    OptionTables empty = allOptions();
    reduceByIntersections(empty);
    EXPECT_EQ(empty.options, allOptions().options);
}

// --------------------------------------------------------- intersections

// Independent reference: one digit at a time, segments as booleans taken
// straight from the fields, steps in the same band / line / segment order.
void referenceIntersections(OptionTables& t) {
    for (int pass = 0; pass < 2; ++pass) {
        auto field = [&](int line, int along) -> DigitMask& {
            return pass == 0 ? t.at(along, line) : t.at(line, along);
        };
        for (int d = 1; d <= 9; ++d) {
            bool present[10][4] = {};  // [line][third]
            for (int line = 1; line <= 9; ++line)
                for (int along = 1; along <= 9; ++along)
                    if (field(line, along) & digitBit(d)) present[line][(along - 1) / 3 + 1] = true;
            for (int band = 0; band < 3; ++band)
                for (int L = 1; L <= 3; ++L)
                    for (int K = 1; K <= 3; ++K) {
                        const int line = band * 3 + L;
                        bool inLineRest = false, inGroupRest = false;
                        for (int j = 1; j <= 3; ++j) {
                            if (j != K) inLineRest |= present[line][j];
                            if (j != L) inGroupRest |= present[band * 3 + j][K];
                        }
                        if (inLineRest && inGroupRest) continue;
                        for (int j = 1; j <= 3; ++j) {
                            if (j != K) present[line][j] = false;
                            if (j != L) present[band * 3 + j][K] = false;
                        }
                    }
            for (int line = 1; line <= 9; ++line)
                for (int along = 1; along <= 9; ++along)
                    if (!present[line][(along - 1) / 3 + 1])
                        field(line, along) &= static_cast<DigitMask>(~digitBit(d));
        }
    }
}

TEST(IntersectionReduction, GroupDigitConfinedToOneLineLeavesTheRestOfTheLine) {
    // Rows: group 1 has its 3 only in row 2.
    OptionTables t = allOptions();
    for (int c = 1; c <= 3; ++c) {
        t.at(c, 1) &= static_cast<DigitMask>(~digitBit(3));
        t.at(c, 3) &= static_cast<DigitMask>(~digitBit(3));
    }
    reduceByIntersections(t);
    for (int c = 1; c <= 3; ++c) EXPECT_TRUE(t.at(c, 2) & digitBit(3));
    for (int c = 4; c <= 9; ++c) {
        EXPECT_FALSE(t.at(c, 2) & digitBit(3)) << c;
        EXPECT_TRUE(t.at(c, 1) & digitBit(3)) << c;
    }
    // Columns: group 1 has its 6 only in column 2.
    t = allOptions();
    for (int r = 1; r <= 3; ++r) {
        t.at(1, r) &= static_cast<DigitMask>(~digitBit(6));
        t.at(3, r) &= static_cast<DigitMask>(~digitBit(6));
    }
    reduceByIntersections(t);
    for (int r = 1; r <= 3; ++r) EXPECT_TRUE(t.at(2, r) & digitBit(6));
    for (int r = 4; r <= 9; ++r) {
        EXPECT_FALSE(t.at(2, r) & digitBit(6)) << r;
        EXPECT_TRUE(t.at(1, r) & digitBit(6)) << r;
    }
}

TEST(IntersectionReduction, LineDigitConfinedToOneGroupLeavesTheRestOfTheGroup) {
    // Rows: row 2 has its 3 only in columns 1..3.
    OptionTables t = allOptions();
    for (int c = 4; c <= 9; ++c) t.at(c, 2) &= static_cast<DigitMask>(~digitBit(3));
    reduceByIntersections(t);
    for (int c = 1; c <= 3; ++c) {
        EXPECT_TRUE(t.at(c, 2) & digitBit(3));
        EXPECT_FALSE(t.at(c, 1) & digitBit(3));
        EXPECT_FALSE(t.at(c, 3) & digitBit(3));
    }
    EXPECT_TRUE(t.at(4, 1) & digitBit(3));
    EXPECT_TRUE(t.at(1, 4) & digitBit(3));
    // Columns: column 2 has its 6 only in rows 1..3.
    t = allOptions();
    for (int r = 4; r <= 9; ++r) t.at(2, r) &= static_cast<DigitMask>(~digitBit(6));
    reduceByIntersections(t);
    for (int r = 1; r <= 3; ++r) {
        EXPECT_TRUE(t.at(2, r) & digitBit(6));
        EXPECT_FALSE(t.at(1, r) & digitBit(6));
        EXPECT_FALSE(t.at(3, r) & digitBit(6));
    }
    EXPECT_TRUE(t.at(1, 4) & digitBit(6));
}

TEST(IntersectionReduction, ColumnPassSeesTheRowPass) {
    // Row 1 has its 3 only in group 1; group 1 allows 3 at (1,1) and (2,2) only.
    // The row pass removes it from (2,2), so the column pass finds group 1's 3
    // confined to column 1 and removes it from column 1 below the group.
    OptionTables t = allOptions();
    for (int c = 4; c <= 9; ++c) t.at(c, 1) &= static_cast<DigitMask>(~digitBit(3));
    for (int i = 1; i <= 9; ++i) {
        const FieldPosition f = unitField(UnitKind::group, 1, i);
        if (i != 1 && i != 5) t.at(f.column, f.row) &= static_cast<DigitMask>(~digitBit(3));
    }
    OptionTables rowsOnly = t;
    SegmentTable s;
    buildRowSegments(rowsOnly, s);
    reduceSegments(s);
    applyRowSegments(s, rowsOnly);
    EXPECT_FALSE(rowsOnly.at(2, 2) & digitBit(3));
    EXPECT_TRUE(rowsOnly.at(1, 5) & digitBit(3));

    reduceByIntersections(t);
    EXPECT_EQ(t.at(1, 1) & digitBit(3), digitBit(3));
    for (int r = 4; r <= 9; ++r) EXPECT_FALSE(t.at(1, r) & digitBit(3)) << r;
    EXPECT_TRUE(t.at(2, 5) & digitBit(3));
}

TEST(IntersectionReduction, AgreesWithPerDigitReference) {
    const std::vector<Board> puzzles = publishedPuzzles();
    std::mt19937 rng(3);
    int changed = 0;
    for (int round = 0; round < 3000; ++round) {
        OptionTables t;
        if (round % 3 == 0) {
            t = optionsOf(puzzles[static_cast<std::size_t>(round / 3) % puzzles.size()]);
            if (round % 2) reduceByUnits(t);
        } else {
            const unsigned density = 2 + static_cast<unsigned>(round) % 7;
            for (int c = 1; c <= 9; ++c)
                for (int r = 1; r <= 9; ++r)
                    for (int d = 1; d <= 9; ++d)
                        if (rng() % 10 < density) t.at(c, r) |= digitBit(d);
        }
        OptionTables expected = t;
        referenceIntersections(expected);
        OptionTables actual = t;
        reduceByIntersections(actual);
        ASSERT_EQ(actual.options, expected.options) << "round " << round;
        if (actual.options != t.options) ++changed;
    }
    EXPECT_GT(changed, 1000);
}

// ----------------------------------------------------------- both passes

TEST(Reduction, CompletableBoardsKeepTheirSolution) {
    const std::vector<Board> puzzles = publishedPuzzles();
    std::mt19937 rng(17);
    for (std::size_t p = 0; p < puzzles.size(); ++p) {
        Board solution = puzzles[p];
        ASSERT_TRUE(solve(solution));
        Board step = puzzles[p];
        for (int k = 0; k < 4; ++k) {
            OptionTables t = optionsOf(step);
            for (int run = 0; run < 3; ++run) {
                reduceOptionTables(t);
                for (int c = 1; c <= 9; ++c)
                    for (int r = 1; r <= 9; ++r) {
                        ASSERT_TRUE(t.at(c, r) & digitBit(solution.digit(c, r)))
                            << "puzzle " << p + 1 << " field " << c << "," << r;
                        if (step.digit(c, r) != 0) {
                            ASSERT_EQ(t.at(c, r), digitBit(step.digit(c, r)));
                        }
                    }
            }
            for (int fill = 0; fill < 12; ++fill) {
                const int c = static_cast<int>(rng() % 9) + 1, r = static_cast<int>(rng() % 9) + 1;
                step.set(c, r, solution.digit(c, r), fkEntered);
            }
        }
    }
}

}  // namespace
}  // namespace dozudo
