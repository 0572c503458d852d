// Puzzle texts of other programs opened as files: each format, its near misses, and the
// board that opens (or the refusal that leaves the board as it was).
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "exchange/puzzle_formats.h"
#include "exchange/puzzle_text.h"
#include "tests/core/fakes.h"

namespace dozudo {
namespace {

using namespace test;

// 81 fields in reading order: '.' empty, a puzzle digit as it is, "+" before a placed one.
std::string shown(const Board& b) {
    std::string s;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const field& f = b.at(c, r);
            if (f.digit && f.kind != fkGiven) s += '+';
            s += f.digit ? char('0' + f.digit) : '.';
        }
    return s;
}

std::string with(std::string p, char empty) {
    std::replace(p.begin(), p.end(), '.', empty);
    return p;
}

// Nine rows of a puzzle: `gap` between fields, `bar` between groups, a `band` line between
// the bands, an `edge` around each row.
std::string grid(const std::string& p, const std::string& bar = "", const std::string& band = "",
                 const std::string& edge = "", const std::string& gap = "") {
    std::string t;
    for (int i = 0; i < 81; ++i) {
        if ((i == 27 || i == 54) && !band.empty()) t += band + "\n";
        t += (i % 9 ? "" : edge) + p.substr(i, 1) + (i % 9 == 8 ? edge + "\n" : i % 3 == 2 ? bar : gap);
    }
    return t;
}

struct FormatRow {
    const char* what;
    std::string text;
    std::string opens;  // "" = refused with "Invalid puzzle file"
    size_t puzzles;     // puzzles the whole text holds
};

TEST(PuzzleFormats, Table) {
    const std::vector<std::string> euler = loadPuzzles();
    const std::string p1 = euler[0], p2 = euler[1];
    std::string placed = p1;  // the first two digits placed
    placed.insert(placed.find_first_not_of('.'), "+");
    placed.insert(placed.find_first_not_of('.', placed.find('+') + 2), "+");
    std::string entered, commas, groups, utf16 = "\xFF\xFE";
    for (std::size_t i = 0; i < 81; ++i) {
        entered += (p1[i] == '.' ? "" : "+") + p1.substr(i, 1);
        commas += p1.substr(i, 1) + (i % 9 == 8 ? "\n" : ",");
        utf16 += p1.substr(i, 1) + '\0';
        groups += p1.substr(i, 1) + (i % 9 == 8 ? " " : "");
    }
    const std::string solution = validSolution();
    std::string emptyCommas, zeroCommas, solutionCommas, tenCommas, spaced;
    for (std::size_t i = 0; i < 81; ++i) {
        const bool last = i % 9 == 8;
        emptyCommas += (p1[i] == '.' ? "" : p1.substr(i, 1)) + (last ? "\n" : ",");
        zeroCommas += " " + (p1[i] == '.' ? std::string("0") : p1.substr(i, 1)) + (last ? "\r\n" : " ,");
        solutionCommas += solution.substr(i, 1) + (last ? "\n" : ",");
        tenCommas += p1.substr(i, 1) + (last ? ",\n" : ",");
        spaced += p1.substr(i, 1) + (last ? "\n" : "; ");
    }
    std::string shortRow = grid(p1, "|", "-----------");
    shortRow.erase(70, 1);  // the last field of row 5
    const std::string eightRows = grid(p1).substr(10);
    std::vector<FormatRow> rows = {
        {"line of 81, '.'", p1, p1, 1},
        {"line with a comment", p1 + "\t# 23 givens, rated 3.4", p1, 1},
        {"BOM, CR LF, a note, trailing blanks", "\xEF\xBB\xBF# note\r\n" + p1 + "  \r\n", p1, 1},
        {"UTF-16 with its mark", utf16 + std::string("\n\0", 2), p1, 1},
        {"collection: the first of two", "# two\n\n" + p1 + "\n" + p2 + "\n", p1, 2},
        {"line inside a comma list", "7," + p1 + ",hard\n", p1, 1},
        {"80 fields", p1.substr(1), "", 0},
        {"82 fields", p1 + ".", "", 0},
        {"82 fields, a digit last", p1 + "5 easy", "", 0},
        {"two kinds of empty mark", "x" + p1.substr(1), "", 0},
        {"repeated digits open unchecked", "55" + std::string(79, '.'), "55" + std::string(79, '.'), 1},
        {"grid, plain", grid(p1), p1, 1},
        {"grid, | and ---", grid(p1, "|", "-----------"), p1, 1},
        {"grid, framed", "*-----------*\n" + grid(p1, "|", "|---+---+---|", "|") + "*-----------*", p1, 1},
        {"grid, spaced, '-' empty", grid(with(p1, '-'), " | ", "------+-------+------", "", " "), p1, 1},
        {"grid, nine '-' between bands", grid(p1, "", "---------"), p1, 1},
        {"81 fields in nine spaced groups", groups, p1, 1},
        {"grids under titles, '0' empty", "Grid 01\n" + grid(with(p1, '0')) + "Grid 02\n" + grid(with(p2, '0')), p1, 2},
        {"grid with notes and blank lines", "# a\n" + grid(p1).insert(30, "\n# b\n\n"), p1, 1},
        {"grid with a short row", shortRow, "", 0},
        {"short row, then a good grid", "Grid 01\n" + shortRow + "Grid 02\n" + grid(p2, "|", "-----------"), p2, 1},
        {"grid of eight rows", eightRows, "", 0},
        {"grid of eight rows under a title with a digit", "Puzzle 1\n" + eightRows, "", 0},
        {"[Puzzle] section", "[Header]\nby=x\n[Puzzle]\n" + grid(p2, "|", "-----------") + "[Solution]\n" + grid(p1), p2, 1},
        {"[Puzzle] section without a grid", "[Puzzle]\n[Other]\n" + grid(p1), "", 0},
        {"library line, + placed", ":0000:x:" + placed + ":::\n", placed, 1},
        {"library line, 80 fields", ":0000:x:" + p1.substr(1) + ":::", "", 0},
        {"library line, + before an empty field", ":0000:x:+" + p1.substr(1) + ":::", "", 0},
        {"own clipboard text", puzzleText(*firstPuzzleInText(":0:x:" + placed + ":")), placed, 1},
        {"comma grid, '.' empty, under a title", "From the paper:\n" + commas, p1, 1},
        {"comma grid, nothing between commas for empty", emptyCommas, p1, 1},
        {"comma grid, '0' empty, blanks, CR LF", zeroCommas, p1, 1},
        {"comma grid of a solution", solutionCommas, solution, 1},
        {"comma grid under a title with commas", "Puzzle 7, hard, 2026\n" + emptyCommas, p1, 1},
        {"comma rows of ten fields", tenCommas, "", 0},
        {"text the clipboard scan takes", "From the paper:\n" + spaced, entered, 1},
        {"no puzzle", "Dear friend,\nno Sudoku today: 1 2 3.\n", "", 0},
    };
    for (const char e : std::string("0xX*_-")) rows.push_back({"empty mark", with(p1, e), p1, 1});
    for (const FormatRow& row : rows) {
        SCOPED_TRACE(std::string(row.what) + ": " + row.text);
        const std::string path = testing::TempDir() + "puzzle.txt";
        std::ofstream(path, std::ios::binary) << row.text;
        Fixture f;
        f.game.board = boardFrom("9" + std::string(80, '.'));
        f.game.setStatus(0, "before");
        EXPECT_EQ(f.game.openPuzzleFile(path), row.opens.empty() ? "Invalid puzzle file" : "");
        EXPECT_EQ(shown(f.game.board), row.opens.empty() ? "9" + std::string(80, '.') : row.opens);
        EXPECT_EQ(f.window.statusText, row.opens.empty() ? "before" : "opened : puzzle.txt");
        std::vector<Board> all;
        readPuzzles(path, all);
        EXPECT_EQ(all.size(), row.puzzles);
    }
}

// No file is read without end: a pipe gives what it holds at once, a huge file is refused.
TEST(PuzzleFormats, PipesAndHugeFiles) {
    const std::string fifo = testing::TempDir() + "puzzle.fifo", huge = testing::TempDir() + "huge.txt";
    const std::string p1 = loadPuzzles()[0] + "\n";
    unlink(fifo.c_str());
    mkfifo(fifo.c_str(), 0600);
    const int writer = open(fifo.c_str(), O_RDWR);  // holds the pipe open: no end of file
    Board board;
    EXPECT_EQ(write(writer, p1.data(), p1.size()) > 0 ? readPuzzle(fifo, board) : "no pipe", "");
    EXPECT_EQ(shown(board) + "\n", p1);
    close(writer);
    std::ofstream(huge) << p1;
    std::filesystem::resize_file(huge, (std::uintmax_t{64} << 20) + 1);
    EXPECT_EQ(readPuzzle(huge, board), "File too large");
    std::filesystem::resize_file(huge, std::uintmax_t{64} << 20);
    EXPECT_EQ(readPuzzle(huge, board), "Invalid puzzle file") << "NUL bytes make it no text";
    unlink(fifo.c_str());
    unlink(huge.c_str());
}

}  // namespace
}  // namespace dozudo
