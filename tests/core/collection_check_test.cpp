// The collection check: solutions and how far the window's own logic gets, one line each.
#include "game/collection_check.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "fakes.h"

namespace dozudo::test {
namespace {

// "fill all" alone, pressed as a user presses it, with its ticks: the empty fields left.
int emptyAfterFillAll(const std::string& puzzle) {
    Fixture f;
    f.game.board = boardFrom(puzzle);
    startSolving(f.game);
    f.game.analysisBarChange(3, true);
    while (f.window.timerOn) f.game.Timer1Timer();
    return 81 - f.game.board.filled();
}

TEST(CollectionCheck, OneLinePerPuzzleAndTheSummary) {
    const std::string published = loadPuzzles()[0];
    const std::vector<std::string> minimal = loadPuzzles("sudoku17-sample.txt");
    auto with = [](std::string text, int index, char digit) { return text[index] = digit, text; };
    struct Case {
        std::string puzzle;
        const char* line;
    };
    const Case cases[] = {{published, "1 1 singles"},
                          {minimal[5], "2 1 reduction"},
                          {minimal[4], "3 1 Finned Swordfish"},
                          {std::string(81, '.'), "4 2+ stuck 81"},
                          {with(published, 0, '3'), "5 0 stuck 39"},
                          {validSolution(), "6 1 singles"},
                          {with(minimal[0], 5, '0'), "7 2+ stuck 53"}};
    CheckCounts counts;
    int number = 0;
    for (const Case& k : cases) {
        const PuzzleVerdict v = checkPuzzle(boardFrom(k.puzzle));
        EXPECT_EQ(verdictLine(++number, v), k.line);
        counts.add(v);
    }
    EXPECT_EQ(
        summaryLine(counts),
        "7 puzzles: 1 without solution, 4 with one, 2 with more; singles 2, reduction 1, Finned Swordfish 1, "
        "stuck 3");
    // What "reduction" adds: "fill all" alone stops short on that puzzle.
    EXPECT_GT(emptyAfterFillAll(minimal[5]), 0);
    EXPECT_EQ(emptyAfterFillAll(published), 0);

    // Only the puzzle digits count: a wrong digit of the user's on the board is left out.
    Board progress = boardFrom(published);
    progress.set(1, 1, 5, fkEntered);
    EXPECT_EQ(verdictLine(1, checkPuzzle(progress)), "1 1 singles");
}

// What "--check FILE..." prints and returns, file by file.
TEST(CollectionCheck, FilesAndExitStatus) {
    const std::string dir = testing::TempDir();
    const std::vector<std::string> euler = loadPuzzles();
    auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(dir + name, std::ios::binary) << text;
        return dir + name;
    };
    const std::string two = write("two.txt", euler[0] + "\n" + euler[1] + "\n");
    const std::string open = write("open.txt", std::string(81, '.') + "\n");
    const std::string prose = write("prose.txt", "no puzzle in here\n");
    struct Case {
        std::vector<std::string> files;
        std::string out, err;
        int status;
    };
    const std::string summaryTwo =
        "2 puzzles: 0 without solution, 2 with one, 0 with more; singles 2, reduction 0, stuck 0\n";
    const Case cases[] = {
        {{two}, "1 1 singles\n2 1 singles\n" + summaryTwo, "", 0},
        {{open},
         "1 2+ stuck 81\n1 puzzle: 0 without solution, 0 with one, 1 with more; singles 0, "
         "reduction 0, stuck 1\n",
         "", 1},
        {{two, dir + "missing.txt"}, two + ":\n1 1 singles\n2 1 singles\n" + summaryTwo,
         "dozudo: " + dir + "missing.txt: File not found\n", 2},
        {{prose}, "0 puzzles: 0 without solution, 0 with one, 0 with more; singles 0, "
                  "reduction 0, stuck 0\n",
         "dozudo: " + prose + ": Invalid puzzle file\n", 2},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.files.back());
        std::ostringstream out, err;
        EXPECT_EQ(checkCollections(k.files, out, err), k.status);
        EXPECT_EQ(out.str(), k.out);
        EXPECT_EQ(err.str(), k.err);
    }
}

}  // namespace
}  // namespace dozudo::test
