// The puzzle file (record layout, reading, writing, error texts) and the clipboard text
// (writing, lenient reading, the "clipbrd" command's messages and pause).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "exchange/puzzle_file.h"
#include "exchange/puzzle_text.h"
#include "game/exchange_commands.h"
#include "tests/core/fakes.h"

namespace dozudo {
namespace {

namespace fs = std::filesystem;
using namespace test;

// ------------------------------------------------------------------ helpers

struct TempDir {
    fs::path path;
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "dozudo-exchange-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempDir() {
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(path);
    }
    std::string file(const std::string& name) const { return (path / name).string(); }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(path)) out.push_back(e.path().filename());
        std::sort(out.begin(), out.end());
        return out;
    }
};

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string recordBytes(const Board& b) {
    const puzzleRecord r = recordFromBoard(b);
    return {r.begin(), r.end()};
}

// Digits of a board in reading order, '.' for empty; and the kinds, g/f/e ('.' empty).
std::string digitsOf(const Board& b) {
    std::string s;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) s += b.digit(c, r) ? char('0' + b.digit(c, r)) : '.';
    return s;
}
std::string kindsOf(const Board& b) {
    std::string s;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) s += b.digit(c, r) ? "gfe"[b.at(c, r).kind] : '.';
    return s;
}

// Every digit and kind byte.
std::string rawOf(const Board& b) {
    std::string s;
    for (const auto& column : b.fields)
        for (const field& f : column) s += {char(f.digit), char(f.kind)};
    return s;
}

// (1,1) given 5, (2,1) entered 3, (3,1) filled 7.
Board mixedBoard() {
    Board b;
    b.set(1, 1, 5, fkGiven);
    b.set(2, 1, 3, fkEntered);
    b.set(3, 1, 7, fkFilled);
    return b;
}

const std::string dots(int n) { return std::string(static_cast<std::size_t>(n), '.'); }

// ------------------------------------------------------------------ record layout

TEST(PuzzleRecord, ByteLayout) {
    const std::string fresh = recordBytes(Board{});
    ASSERT_EQ(fresh.size(), 162u);
    for (int i = 0; i < 162; i += 2) EXPECT_EQ(fresh.substr(i, 2), std::string("\x00\x01", 2)) << i;

    const std::string mixed = recordBytes(mixedBoard());
    EXPECT_EQ(mixed.substr(0, 2), std::string("\x05\x01", 2));   // (1,1) given 5
    EXPECT_EQ(mixed.substr(18, 2), std::string("\x03\x00", 2));  // (2,1) entered 3
    EXPECT_EQ(mixed.substr(36, 2), std::string("\x07\x00", 2));  // (3,1) filled 7
    EXPECT_EQ(mixed.substr(2, 2), std::string("\x00\x01", 2));   // (1,2) untouched
}

// ------------------------------------------------------------------ opening files

struct OpenRow {
    const char* what;
    std::string bytes;        // file contents; "<dir>" a folder, "<fifo>" a pipe, "<none>" no file
    const char* error;        // "" = opens
    const char* digits;       // first row of the opened board (when it opens)
    bool readOnly = false;
};

TEST(PuzzleFileOpen, Table) {
    std::string conflicting = recordBytes(boardFrom("55" + dots(79)));
    std::string longFile = recordBytes(mixedBoard()) + std::string(38, '\x09');
    std::string badDigit = recordBytes(mixedBoard());
    badDigit[40] = 10;
    const OpenRow rows[] = {
        {"a saved puzzle", recordBytes(mixedBoard()), "", "537......"},
        {"a read-only file", recordBytes(mixedBoard()), "", "537......", true},
        {"200 bytes: the first 162 count", longFile, "", "537......"},
        {"conflicting digits open", conflicting, "", "55......."},
        {"100 bytes", std::string(100, '\x00'), "Read beyond end of file", nullptr},
        {"empty file", "", "Read beyond end of file", nullptr},
        {"a digit byte of 10", badDigit, "Invalid puzzle file", nullptr},
        {"missing file", "<none>", "File not found", nullptr},
        {"a folder", "<dir>", "File access denied", nullptr},
        {"a pipe nobody writes to (no waiting)", "<fifo>", "Read beyond end of file", nullptr},
    };
    for (const OpenRow& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        const std::string path = dir.file("hard.sdk");
        if (row.bytes == "<dir>")
            fs::create_directory(path);
        else if (row.bytes == "<fifo>")
            mkfifo(path.c_str(), 0644);
        else if (row.bytes != "<none>")
            writeBytes(path, row.bytes);
        if (row.readOnly) chmod(path.c_str(), 0444);

        Fixture f;
        f.game.board = boardFrom("9" + dots(80));
        f.game.recordEntry(1, 1, 9);
        f.game.setStatus(0, "before");
        const std::string error = f.game.openPuzzleFile(path);
        EXPECT_EQ(error, row.error);
        if (*row.error) {
            EXPECT_EQ(digitsOf(f.game.board), "9" + dots(80));
            EXPECT_EQ(f.window.caption, "DOZUDO - vudede");
            EXPECT_EQ(f.window.statusText, "before");
            EXPECT_EQ(f.game.entryLog.entryCount, 1);
        } else {
            EXPECT_EQ(digitsOf(f.game.board).substr(0, 9), row.digits);
            EXPECT_EQ(f.window.caption, "DOZUDO - vudede : hard.sdk");
            EXPECT_EQ(f.window.statusText, "opened : hard.sdk");
            EXPECT_EQ(f.game.entryLog.entryCount, 0) << "a take back must not touch the new puzzle";
        }
        EXPECT_EQ(f.view.repaints, 0) << "the caller repaints";
    }
}

TEST(PuzzleFileOpen, MissingFolderAndErrorTexts) {
    puzzleRecord r{};
    EXPECT_EQ(readPuzzleFile("/nonexistent-dozudo/x.sdk", r), "Invalid filename");
    const std::pair<int, const char*> texts[] = {
        {ENOENT, "File not found"},  {EACCES, "File access denied"}, {ENOSPC, "Disk full"},
        {ENOTDIR, "Invalid filename"}, {EMFILE, "Too many open files"}, {EIO, "I/O error 5"},
    };
    for (const auto& [e, text] : texts) EXPECT_EQ(ioErrorText(e), text) << e;
}

TEST(PuzzleFileOpen, KindsAfterARoundTrip) {
    TempDir dir;
    Fixture f;
    f.game.board = mixedBoard();
    ASSERT_EQ(f.game.savePuzzleFile(dir.file("mixed.sdk"), recordFromBoard(f.game.board)), "");
    Fixture g;
    ASSERT_EQ(g.game.openPuzzleFile(dir.file("mixed.sdk")), "");
    EXPECT_EQ(digitsOf(g.game.board), "537" + dots(78));
    EXPECT_EQ(kindsOf(g.game.board), "gee" + dots(78)) << "filled comes back entered";
}

// ------------------------------------------------------------------ saving files

struct SaveRow {
    const char* what;
    const char* target;  // inside the temp folder; "/dev/full" as it stands
    const char* error;
};

TEST(PuzzleFileSave, Table) {
    const SaveRow rows[] = {
        {"new file", "new.sdk", ""},
        {"over an old file", "old.sdk", ""},
        {"disc full", "/dev/full", "Disk full"},
        {"a folder as the file", "folder", "File access denied"},
        {"a missing folder", "missing/x.sdk", "Invalid filename"},
    };
    for (const SaveRow& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        writeBytes(dir.file("old.sdk"), "old contents");
        fs::create_directory(dir.file("folder"));
        const std::string path = row.target[0] == '/' ? row.target : dir.file(row.target);
        Fixture f;
        f.game.board = mixedBoard();
        EXPECT_EQ(f.game.savePuzzleFile(path, recordFromBoard(f.game.board)), row.error);
        std::vector<std::string> expectedNames = {"folder", "old.sdk"};
        if (*row.error) {
            EXPECT_EQ(f.window.statusText, "");
            EXPECT_TRUE(f.window.released.empty()) << "\"save\" stays down";
        } else {
            EXPECT_EQ(bytesOf(path), recordBytes(mixedBoard()));
            EXPECT_EQ(f.window.statusText, "saved : " + std::string(fs::path(path).filename()));
            EXPECT_EQ(f.window.released, std::vector<int>{1});
            EXPECT_EQ(f.window.caption, "DOZUDO - vudede") << "saving keeps the caption";
            if (std::string(row.target) == "new.sdk") expectedNames = {"folder", "new.sdk", "old.sdk"};
        }
        if (std::string(row.target) != "old.sdk") {
            EXPECT_EQ(bytesOf(dir.file("old.sdk")), "old contents");
        }
        EXPECT_EQ(dir.names(), expectedNames) << "no stray file";
    }
}

// A write that fails half-way (file size limit: EFBIG, as on a full disc) leaves the old
// file whole and no temporary file behind.
TEST(PuzzleFileSave, FailingWriteKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("old.sdk");
    writeBytes(path, "old contents");
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    const std::string error = writePuzzleFile(path, recordFromBoard(mixedBoard()));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(error, "Disk full");
    EXPECT_EQ(bytesOf(path), "old contents");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"old.sdk"});
}

TEST(PuzzleFileSave, ReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    TempDir dir;
    const std::string path = dir.file("old.sdk");
    writeBytes(path, "old contents");
    chmod(dir.path.c_str(), 0555);
    EXPECT_EQ(writePuzzleFile(path, recordFromBoard(mixedBoard())), "File access denied");
    EXPECT_EQ(bytesOf(path), "old contents");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"old.sdk"});
}

// ------------------------------------------------------------------ clipboard text

TEST(PuzzleText, WrittenForm) {
    Board only5;
    only5.set(1, 1, 5, fkGiven);
    std::string expected = "SUDOKU - puzzle\r\n\r\n[5]";
    for (int i = 0; i < 8; ++i) expected += " x ";
    expected += "\r\n";
    for (int r = 0; r < 8; ++r) {
        for (int i = 0; i < 9; ++i) expected += " x ";
        expected += "\r\n";
    }
    expected += "\r\n";
    EXPECT_EQ(puzzleText(only5), expected);
    EXPECT_EQ(expected.size(), 282u);
    EXPECT_EQ(puzzleText(mixedBoard()).substr(19, 12), "[5] 3  7  x ") << "filled and entered alike";
}

struct PasteRow {
    const char* what;
    std::string text;
    bool holdsText;
    const char* status;
    int statusKind;              // 0 black, 1 red
    std::string digits, kinds;   // the board afterwards ("" = still empty)
};

TEST(ClipboardPaste, Table) {
    const std::string euler = loadPuzzles()[0];
    std::string eulerGiven = euler;
    for (char& ch : eulerGiven) ch = ch == '.' ? '.' : 'g';
    const std::string seven = ".7...7" + dots(75);
    std::string zeros = euler;
    std::replace(zeros.begin(), zeros.end(), '.', '0');
    std::string commaGrid;  // nine lines "0,0,3,0,2,..."
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) commaGrid += std::string(1, zeros[r * 9 + c]) + (c < 8 ? "," : "\n");
    const PasteRow rows[] = {
        {"no text format", "1", false, "clipboard holds no text", 1, "", ""},
        {"empty text", "", true, "clipboard holds no text", 1, "", ""},
        // Another program's text is read as "open" reads it: its digits are puzzle digits.
        {"another program's line of digits and dots", euler, true, "opened puzzle from clipboard", 0, euler, eulerGiven},
        {"0 for empty fields", zeros, true, "opened puzzle from clipboard", 0, euler, eulerGiven},
        {"a title line, then the puzzle", "Puzzle 12 of 2024\r\n" + euler, true, "opened puzzle from clipboard", 0,
         euler, eulerGiven},
        {"a collection: its first puzzle", zeros + "\n" + loadPuzzles()[1] + "\n", true, "opened puzzle from clipboard", 0,
         euler, eulerGiven},
        {"a comma grid", commaGrid, true, "opened puzzle from clipboard", 0, euler, eulerGiven},
        {"a text without a puzzle", "Sudoku 1 2 3", true, "no Sudoku puzzle found", 1, "", ""},
        // This program's own text keeps its reading: marks counted, "0" skipped.
        {"own text: 0 is skipped", "[5]0" + dots(80), true, "opened puzzle from clipboard", 0, "5" + dots(80),
         "g" + dots(80)},
        {"own text: 82 marks", "[" + euler + ".", true, "no Sudoku puzzle found", 1, "", ""},
        {"own title: digits after it count", "SUDOKU - puzzle 12\r\n" + euler, true, "no Sudoku puzzle found", 1, "", ""},
        {"brackets make puzzle digits", "[53]" + dots(79), true, "opened puzzle from clipboard", 0,
         "53" + dots(79), "gg" + dots(79)},
        {"parentheses", "(5)3" + dots(79), true, "opened puzzle from clipboard", 0, "53" + dots(79), "ge" + dots(79)},
        {"[ and ) close each other, x X . are empty", "[5)3xX" + dots(77), true,
         "opened puzzle from clipboard", 0, "53" + dots(79), "ge" + dots(79)},
        {"two 7s in row 1", seven, true, "wrong digits", 1, "", ""},
        {"copied text of a mixed board", puzzleText(mixedBoard()), true, "opened puzzle from clipboard", 0,
         "537" + dots(78), "gee" + dots(78)},
    };
    for (const PasteRow& row : rows) {
        SCOPED_TRACE(row.what);
        Fixture f;
        f.game.recordEntry(1, 1, 4);
        f.game.board.at(4, 4).kind = fkEntered;  // an empty field's kind stays as it was
        const Board before = f.game.board;
        FakeClipboard clip;
        clip.holdsText = row.holdsText;
        clip.contents = row.text;
        f.game.clipboardCommand(clip);
        EXPECT_EQ(f.window.statusText, row.status);
        EXPECT_EQ(f.window.statusColour, statusColors[row.statusKind]);
        EXPECT_EQ(f.window.beeps, 0);
        if (row.digits.empty()) {
            EXPECT_EQ(rawOf(f.game.board), rawOf(before)) << "board exactly as before";
            EXPECT_EQ(f.view.repaints, 0);
            EXPECT_EQ(f.game.entryLog.entryCount, 1);
        } else {
            EXPECT_EQ(digitsOf(f.game.board), row.digits);
            EXPECT_EQ(kindsOf(f.game.board), row.kinds);
            EXPECT_EQ(f.view.repaints, 1);
            EXPECT_EQ(f.game.entryLog.entryCount, 0);
        }
        if (row.digits.empty() || row.digits[30] == '.') {
            EXPECT_EQ(f.game.board.at(4, 4).kind, fkEntered) << "an empty field keeps its kind";
        }
        EXPECT_EQ(clip.contents, row.text) << "pasting leaves the clipboard alone";
        EXPECT_EQ(clip.requests, 1) << "read once";
        // The pause: button down and input ignored until one tick later.
        EXPECT_EQ(f.game.gameState, gsRestored);
        EXPECT_EQ(f.game.fillMode, fmClipboard);
        EXPECT_TRUE(f.window.timerOn);
        f.game.Timer1Timer();
        EXPECT_EQ(f.game.gameState, gsIdle);
        EXPECT_EQ(f.game.fillMode, fmNone);
        EXPECT_EQ(f.window.released, std::vector<int>{2});
    }
}

TEST(ClipboardCopy, ABoardWithDigitsIsCopied) {
    Fixture f;
    f.game.board = mixedBoard();
    f.game.gameState = gsSolving;
    f.game.selectField(4, 5);
    FakeClipboard clip;
    clip.contents = "something else";
    f.game.clipboardCommand(clip);
    EXPECT_EQ(clip.contents, puzzleText(mixedBoard()));
    EXPECT_EQ(clip.requests, 0) << "copying does not read";
    EXPECT_EQ(f.window.statusText, "puzzle copied to clipboard");
    EXPECT_EQ(digitsOf(f.game.board), "537" + dots(78));
    EXPECT_EQ(f.game.gameState, gsRestored);
    EXPECT_EQ(f.game.fillMode, fmClipboard);
    EXPECT_EQ(f.game.selColumn, 4);
    EXPECT_EQ(f.window.caption, "DOZUDO - vudede");
}

}  // namespace
}  // namespace dozudo
