// The exact solver against the rules and against a plain backtracking solver.
#include "analysis/solver.h"

#include <gtest/gtest.h>

#include <bit>

#include "fakes.h"

namespace dozudo::test {
namespace {

// Plain backtracking on the field with the fewest digits left, with the digits used
// in each row, column and group kept as bit sets.
struct Reference {
    int digit[81] = {}, used[27] = {};  // used: rows 0..8, columns 9..17, groups 18..26

    static int unit(int i, int k) {
        return k == 0 ? i / 9 : k == 1 ? 9 + i % 9 : 18 + i / 27 * 3 + i % 9 / 3;
    }
    int allowed(int i) const {
        return ~(used[unit(i, 0)] | used[unit(i, 1)] | used[unit(i, 2)]) & allDigits;
    }
    void put(int i, int d) {
        digit[i] = d;
        for (int k = 0; k < 3; ++k) used[unit(i, k)] ^= 1 << d;
    }
    int count(int limit) {
        int best = -1, fewest = 10;
        for (int i = 0; i < 81; ++i)
            if (digit[i] == 0 && std::popcount(unsigned(allowed(i))) < fewest)
                fewest = std::popcount(unsigned(allowed(best = i)));
        if (best < 0) return 1;
        int n = 0;
        for (int d = 1, options = allowed(best); d <= 9 && n < limit; ++d)
            if (options & (1 << d)) {
                put(best, d);
                n += count(limit - n);
                put(best, d);
                digit[best] = 0;
            }
        return n;
    }
};

int referenceSolutions(const Board& board) {
    Reference ref;
    for (int i = 0; i < 81; ++i) {
        const int d = board.digit(i % 9 + 1, i / 9 + 1);
        if (d > 9 || (d != 0 && !(ref.allowed(i) & (1 << d)))) return 0;
        if (d != 0) ref.put(i, d);
    }
    return ref.count(2);
}

// Each row, column and group holds 1..9, and every field of the puzzle is kept as it was.
void expectSolves(const Board& puzzle, const Board& s, const std::string& name) {
    for (int u = 1; u <= 9; ++u) {
        int row = 0, column = 0, group = 0;
        for (int i = 1; i <= 9; ++i) {
            row |= 1 << s.digit(i, u);
            column |= 1 << s.digit(u, i);
            group |=
                1 << s.digit(groupFirstColumn(u) + (i - 1) % 3, groupFirstRow(u) + (i - 1) / 3);
        }
        ASSERT_EQ(row & column & group, allDigits) << name << " unit " << u;
    }
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) {
            const field p = puzzle.at(c, r), f = s.at(c, r);
            if (p.digit != 0) {
                ASSERT_TRUE(f.digit == p.digit && f.kind == p.kind) << name << " changed a given";
            } else {
                ASSERT_EQ(f.kind, fkFilled) << name;
            }
        }
}

struct Collection {
    const char* file;
    int comparedEvery;  // every n-th puzzle is also counted by the reference
};

TEST(Solver, EveryPublishedPuzzleHasOneSolutionThatKeepsItsGivens) {
    for (const Collection& set :
         {Collection{"euler50.txt", 1}, Collection{"hard.txt", 1}, Collection{"top95.txt", 19},
          Collection{"sudoku17-sample.txt", 100}}) {
        const std::vector<std::string> puzzles = loadPuzzles(set.file);
        ASSERT_GE(puzzles.size(), 2u) << set.file;
        for (std::size_t i = 0; i < puzzles.size(); ++i) {
            const std::string name = std::string(set.file) + " #" + std::to_string(i + 1);
            const Board puzzle = boardFrom(puzzles[i]);
            Board solution;
            ASSERT_EQ(countSolutions(puzzle, 2, &solution), 1) << name;
            expectSolves(puzzle, solution, name);
            if (i % set.comparedEvery == 0) {
                ASSERT_EQ(referenceSolutions(puzzle), 1) << name;
            }
        }
    }
}

std::string withField(std::string text, int index, char digit) {
    text[index] = digit;
    return text;
}

TEST(Solver, CountsAgreeWithTheReference) {
    const std::string euler = loadPuzzles()[0], seventeen = loadPuzzles("sudoku17-sample.txt")[0];
    const std::string full = validSolution();
    // The published solution of the first puzzle; rows 1 and 2 hold 8 and 6 crosswise in
    // columns 2 and 7, so with those four fields empty the two digits can swap.
    const std::string solved =
        "483921657967345821251876493548132976729564138136798245372689514814253769695417382";
    Board first;
    ASSERT_EQ(countSolutions(boardFrom(euler), 2, &first), 1);
    for (int i = 0; i < 81; ++i) ASSERT_EQ(first.digit(i % 9 + 1, i / 9 + 1), solved[i] - '0');
    std::string rectangle = solved;
    for (int i : {1, 6, 10, 15}) rectangle[i] = '.';
    struct Case {
        const char* name;
        std::string board;
        int solutions;
    };
    for (const Case& k :
         {Case{"published puzzle", euler, 1}, Case{"a given changed", withField(euler, 2, '4'), 0},
          Case{"a given of a minimal puzzle removed", withField(seventeen, 5, '0'), 2},
          Case{"two fields of a row conflict", withField(euler, 0, '3'), 0},
          Case{"complete board", full, 1},
          Case{"digits that can swap in a rectangle", rectangle, 2},
          Case{"a full board with one conflict", withField(full, 0, full[1]), 0},
          Case{"empty board", std::string(81, '.'), 2}}) {
        const Board b = boardFrom(k.board);
        EXPECT_EQ(countSolutions(b), k.solutions) << k.name;
        EXPECT_EQ(countSolutions(b, 1), std::min(k.solutions, 1)) << k.name;
        EXPECT_EQ(referenceSolutions(b), k.solutions) << k.name;
    }
    Board byte = boardFrom(euler);  // a byte above 9 is no digit
    byte.at(1, 1).digit = 12;
    EXPECT_EQ(countSolutions(byte), 0);
}

// Boards with many solutions: the one handed back is a whole valid grid that keeps
// every digit of the board.
TEST(Solver, TheSolutionOfAnOpenBoardIsAValidGrid) {
    const std::string hard = loadPuzzles("top95.txt")[0], full = validSolution();
    std::string oneGiven(81, '.'), firstRow = oneGiven, fewGivens = hard;
    oneGiven[40] = '5';
    firstRow.replace(0, 9, full.substr(0, 9));
    for (int n = 0; n < 3; ++n) fewGivens[fewGivens.find_first_not_of(".0")] = '.';
    for (const std::string& text : {std::string(81, '.'), oneGiven, firstRow, fewGivens}) {
        const Board board = boardFrom(text);
        Board solution;
        ASSERT_EQ(countSolutions(board, 2, &solution), 2) << text;
        expectSolves(board, solution, text);
    }
}

// Hard puzzles a field off: one given taken away (two solutions or more, or still
// one), or one empty field given a digit its row, column and group allow (mostly
// none left). The search branches deep on these before it knows.
TEST(Solver, HardPuzzlesAFieldOffCountAsTheReferenceDoes) {
    const std::vector<std::string> puzzles = loadPuzzles("top95.txt");
    ASSERT_GE(puzzles.size(), 16u);
    int counted[3] = {};
    for (std::size_t i = 0; i < 16; ++i) {
        const std::string& puzzle = puzzles[i];
        const std::size_t given = puzzle.find_first_not_of(".0"),
                          empty = puzzle.find_first_of(".0");
        Reference ref;
        for (std::size_t f = 0; f < 81; ++f)
            if (f != empty && puzzle[f] != '.' && puzzle[f] != '0')
                ref.put(static_cast<int>(f), puzzle[f] - '0');
        std::string oneMore = puzzle;
        oneMore[empty] = static_cast<char>(
            '0' + std::countr_zero(unsigned(ref.allowed(static_cast<int>(empty)))));
        for (const std::string& text : {withField(puzzle, static_cast<int>(given), '.'), oneMore}) {
            const Board b = boardFrom(text);
            const int expected = referenceSolutions(b);
            ASSERT_EQ(countSolutions(b), expected) << text;
            ++counted[expected];
        }
    }
    // Both kinds of answer came up, so both ends of the search were taken.
    EXPECT_GT(counted[0], 0);
    EXPECT_GT(counted[2], 0);
}

}  // namespace
}  // namespace dozudo::test
