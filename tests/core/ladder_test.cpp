// The technique ladder: each technique at its first use on a published puzzle, every
// step of every sample puzzle checked against the solution, and the paths' ends.
#include "analysis/ladder.h"

#include <gtest/gtest.h>

#include <sstream>

#include "analysis/solver.h"
#include "analysis/techniques.h"
#include "fakes.h"

namespace dozudo::test {
namespace {

// The first step of the path that uses the technique.
std::string firstUse(const std::string& puzzle, const std::string& technique) {
    for (const Step& s : explainPuzzle(boardFrom(puzzle)).steps)
        if (techniqueName(s) == technique) return stepLine(s);
    return "";
}

TEST(Ladder, EachTechniqueAtItsFirstUseOnAPublishedPuzzle) {
    struct Case {
        const char* file;
        int index;
        const char* line;
    };
    const Case cases[] = {
        {"euler50.txt", 5, "Locked Candidates (Pointing): r1c7{4} r1c9{4} => r1c6<>4"},
        {"euler50.txt", 6, "Locked Candidates (Claiming): r7c6{3} r8c6{3} => r7c5<>3, r8c4<>3, r8c5<>3"},
        {"euler50.txt", 6, "Naked Pair: r8c1{17} r8c4{17} => r8c2<>7, r8c3<>17, r8c5<>1, r8c6<>7"},
        {"euler50.txt", 6, "Hidden Pair: r5c7{49} r7c7{49} => r5c7<>15, r7c7<>36"},
        {"top95.txt", 4, "Naked Triple: r7c4{36} r7c5{369} r7c6{369} => r7c2<>69, r7c3<>369, r7c8<>9, "
                         "r8c4<>3, r8c6<>39, r9c5<>69"},
        {"top95.txt", 19, "Hidden Triple: r2c3{147} r8c3{17} r9c3{147} => r2c3<>26, r8c3<>236, r9c3<>23"},
        {"top95.txt", 71, "Naked Quad: r7c8{179} r8c7{1279} r8c9{79} r9c8{279} => r7c7<>179, r7c9<>79, "
                          "r9c7<>279, r9c9<>79"},
        {"euler50.txt", 6, "X-Wing: r1c6{6} r1c9{6} r9c6{6} r9c9{6} => r4c9<>6, r7c6<>6, r7c9<>6"},
        {"top95.txt", 28, "Swordfish: r3c2{5} r3c5{5} r8c5{5} r8c9{5} r9c2{5} r9c9{5} => r2c9<>5, r7c9<>5"},
        {"top95.txt", 4, "Finned X-Wing: r4c1{4} r4c2{4} r4c3{4} r4c5{4} r9c1{4} r9c5{4} => r6c1<>4"},
        {"top95.txt", 11, "Finned Swordfish: r3c4{2} r3c8{2} r5c3{2} r5c8{2} r8c3{2} r8c4{2} r9c4{2} => r8c6<>2"},
        {"sudoku17-sample.txt", 31, "Finned Jellyfish: r1c2{6} r1c3{6} r1c4{6} r5c1{6} r5c2{6} r5c3{6} "
                                    "r5c4{6} r7c3{6} r7c5{6} r9c2{6} r9c3{6} r9c5{6} => r6c2<>6"},
        {"top95.txt", 3, "XY-Wing: r7c1{58} r2c1{59} r8c3{89} => r2c3<>9, r9c1<>9"},
        {"top95.txt", 34, "XYZ-Wing: r8c9{156} r8c3{16} r9c7{56} => r8c7<>6"},
        {"top95.txt", 3, "W-Wing: r5c3{49} r9c4{49} r8c3{9} r8c6{9} => r9c3<>4"},
        {"top95.txt", 19, "Simple Colouring: r1c6{6} r3c4{6} r6c3{6} r6c6{6} => r3c3<>6"},
        {"top95.txt", 31, "Unique Rectangle Type 1: r2c5{79} r2c6{79} r5c5{79} r5c6{79} => r5c5<>79"},
        {"top95.txt", 55, "Unique Rectangle Type 2: r4c1{49} r4c2{49} r7c1{49} r7c2{49} => r4c4<>6, "
                          "r4c6<>6, r5c1<>6, r5c2<>6, r6c1<>6, r6c2<>6"},
        {"top95.txt", 11, "X-Chain: r1c5{2} r1c9{2} r3c8{2} r5c8{2} => r5c5<>2"},
        {"top95.txt", 30, "XY-Chain: r3c4{78} r3c1{47} r3c3{46} r9c3{68} => r9c4<>8"},
        {"top95.txt", 6, "AIC: r2c3{5} r2c2{57} r2c4{7} r4c4{7} r4c3{7} => r4c3<>5"},
        {"top95.txt", 11, "ALS-XZ: r1c3{3478} r2c3{78} r3c3{348} r7c2{139} r7c3{389} r8c2{139} => r8c3<>3"},
        {"top95.txt", 6, "Nishio Forcing Chain: r1c2{7} => r1c2<>7"},
        {"hard.txt", 0, "Forcing Net: r1c4{3} => r1c4<>3"},
        {"hard.txt", 0, "Trial and Error: r1c2{2} => r1c2<>2"},
    };
    for (const Case& k : cases) {
        const std::string line = k.line;
        const std::string name = line.substr(0, line.find(':'));
        EXPECT_EQ(firstUse(loadPuzzles(k.file).at(k.index), name), line) << k.file << " #" << k.index;
    }
}

// Candidates from a picture: 81 fields in reading order, a digit string for an empty
// field's candidates, "=d" for a placed digit, separated by blanks.
CandidateGrid gridFrom(const std::string& text) {
    CandidateGrid g;
    std::istringstream in(text);
    std::string field;
    for (int cell = 0; cell < 81 && in >> field; ++cell) {
        if (field[0] == '=') {
            g.value[cell] = static_cast<std::uint8_t>(field[1] - '0');
            continue;
        }
        for (char ch : field) g.cand[cell] |= digitBit(ch - '0');
    }
    return g;
}

// Techniques that the samples never need first, on small constructed grids: nine rows
// that each hold every candidate but where the technique's pattern is cut in.
TEST(Ladder, RareTechniquesOnConstructedGrids) {
    std::string all;
    for (int i = 0; i < 81; ++i) all += "123456789 ";
    CandidateGrid g = gridFrom(all);
    // Hidden Quad in row 1: 1, 2, 3 and 4 only in its first four fields.
    for (int c = 4; c < 9; ++c) g.cand[c] = digitBit(5) | digitBit(6) | digitBit(7) | digitBit(8) | digitBit(9);
    Step s;
    ASSERT_TRUE(findHiddenSubset(g, 4, s));
    EXPECT_EQ(stepLine(s), "Hidden Quad: r1c1{1234} r1c2{1234} r1c3{1234} r1c4{1234} => r1c1<>56789, "
                           "r1c2<>56789, r1c3<>56789, r1c4<>56789");
    EXPECT_FALSE(findHiddenSubset(g, 3, s));

    // Jellyfish on 7: rows 1, 4, 6 and 9 hold it only in columns 1, 4, 6 and 9.
    g = gridFrom(all);
    for (int r : {0, 3, 5, 8})
        for (int c : {1, 2, 4, 6, 7}) g.cand[r * 9 + c] &= static_cast<DigitMask>(~digitBit(7));
    ASSERT_FALSE(findBasicFish(g, 3, s));
    ASSERT_TRUE(findBasicFish(g, 4, s));
    EXPECT_EQ(techniqueName(s), "Jellyfish");
    EXPECT_EQ(s.removals.size(), 20u);  // columns 1, 4, 6 and 9 in the other five rows
    for (const CellDigits& r : s.removals) EXPECT_EQ(r.digits, digitBit(7));
}

// Every step of every sample puzzle against the solver's solution: nothing of the solution
// is removed, nothing else is placed, and every path ends at the solution.
TEST(Ladder, EveryStepOfEverySamplePuzzleKeepsTheSolution) {
    for (const char* file : {"euler50.txt", "top95.txt", "sudoku17-sample.txt", "hard.txt"}) {
        int unsolved = 0, wrong = 0;
        for (const std::string& puzzle : loadPuzzles(file)) {
            Board solution;
            ASSERT_EQ(countSolutions(boardFrom(puzzle), 2, &solution), 1);
            const SolvingPath path = explainPuzzle(boardFrom(puzzle));
            unsolved += !path.solved;
            for (const Step& s : path.steps) {
                for (const CellDigits& r : s.removals)
                    wrong += (r.digits & digitBit(solution.digit(cellColumn(r.cell), cellRow(r.cell)))) != 0;
                if (s.places()) wrong += solution.digit(cellColumn(s.placeCell), cellRow(s.placeCell)) != s.placeDigit;
                if (s.technique == Technique::hint)
                    wrong += !hintPlacesDigit(s.hint.hintKind) ||
                             solution.digit(s.hint.hintColumn, s.hint.hintRow) != s.hint.hintDigit;
            }
        }
        EXPECT_EQ(unsolved, 0) << file;
        EXPECT_EQ(wrong, 0) << file;
    }
}

// Where the puzzle has no single solution, the ladder never guesses: the path stops.
TEST(Ladder, PuzzlesWithoutOneSolutionEndShort) {
    const std::string published = loadPuzzles()[0];
    std::string twoSolutions = loadPuzzles("sudoku17-sample.txt")[0];
    twoSolutions[twoSolutions.find_first_not_of(".0")] = '.';
    for (const std::string& puzzle : {std::string(81, '.'), twoSolutions}) {
        const SolvingPath path = explainPuzzle(boardFrom(puzzle));
        EXPECT_FALSE(path.solved);
        for (const Step& s : path.steps) EXPECT_NE(s.technique, Technique::uniqueRectangle1);
    }
    EXPECT_TRUE(explainPuzzle(boardFrom(published)).solved);
}

}  // namespace
}  // namespace dozudo::test
