#include "exchange/puzzle_formats.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "exchange/puzzle_file.h"
#include "exchange/puzzle_record.h"
#include "exchange/puzzle_text.h"

namespace dozudo {

namespace {

using Found = std::function<bool(const Board&)>;  // false: no more puzzles wanted

constexpr std::string_view emptyMarks = "0.xX*_-";
constexpr std::string_view blanks = " \t\v\f";
constexpr auto npos = std::string_view::npos;

bool isFieldChar(char c) { return (c >= '1' && c <= '9') || emptyMarks.find(c) != npos; }

// Writes field characters into `board` from field `first` on, in reading order. False for
// a character that is no field, or an empty mark of a second kind.
bool putFields(Board& board, int first, std::string_view cells) {
    char emptyKind = 0;
    for (const char c : cells) {
        const int n = first++;
        if (c >= '1' && c <= '9') {
            board.set(n % 9 + 1, n / 9 + 1, c - '0', fkGiven);
        } else {
            if (emptyMarks.find(c) == npos || (emptyKind && c != emptyKind)) return false;
            emptyKind = c;
        }
    }
    return true;
}

// The grid of a library line ":code:name:grid:...": 81 fields, "+" before a placed digit.
bool libraryGrid(std::string_view line, Board& board) {
    std::size_t start = 0;
    for (int colon = 0; colon < 3; ++colon) start = line.find(':', start) + 1;
    const std::string_view grid = line.substr(start, line.find(':', start) - start);
    int n = 0;
    char emptyKind = 0;
    for (std::size_t i = 0; i < grid.size(); ++i, ++n) {
        char c = grid[i];
        int kind = fkGiven;
        if (c == '+') {
            c = i + 1 < grid.size() ? grid[++i] : '\0';
            if (c < '1' || c > '9') return false;
            kind = fkEntered;
        }
        if (n >= 81) return false;
        if (c >= '1' && c <= '9') {
            board.set(n % 9 + 1, n / 9 + 1, c - '0', kind);
        } else {
            if (emptyMarks.find(c) == npos || (emptyKind && c != emptyKind)) return false;
            emptyKind = c;
        }
    }
    return n == 81;
}

// The first run of 60 or more field characters: a line of 81 fields, or a near miss.
std::string_view longRun(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && !isFieldChar(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && isFieldChar(line[i])) ++i;
        if (i - start >= 60) return line.substr(start, i - start);
    }
    return {};
}

// A line between the bands, of "-" "+" "|" "*" "=" and blanks. Nine "-" or nine "*"
// alone (perhaps with "|" between them) may also be a row of empty fields: then the
// mark is returned, else '\0' for no separator and '+' for a sure one.
char separatorKind(std::string_view line) {
    if (line.find_first_not_of("-+|*= \t\v\f") != npos) return '\0';
    if (line.find_first_of("+=") != npos) return '+';
    const auto dashes = std::count(line.begin(), line.end(), '-');
    const auto stars = std::count(line.begin(), line.end(), '*');
    if (dashes == 9 && stars == 0) return '-';
    if (stars == 9 && dashes == 0) return '*';
    return '+';
}

// The fields of a line with commas between them (a spreadsheet's export): a digit, or
// "0", "." or nothing for an empty field, blanks around each. False when a field is
// anything else.
bool commaFields(std::string_view line, std::string& cells) {
    cells.clear();
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(line.find(',', start), line.size());
        std::string_view f = line.substr(start, end - start);
        const std::size_t first = f.find_first_not_of(blanks);
        f = first == npos ? std::string_view() : f.substr(first, f.find_last_not_of(blanks) - first + 1);
        if (f.size() > 1 || (f.size() == 1 && !(f[0] >= '0' && f[0] <= '9') && f[0] != '.')) return false;
        cells += f.empty() || f[0] == '0' ? '.' : f[0];
        if (end == line.size()) return true;
        start = end + 1;
    }
}

bool isLibraryLine(std::string_view line) {
    return line.front() == ':' && std::count(line.begin(), line.end(), ':') >= 3;
}

// Reads the meaningful lines of a text one by one: lines of 81 fields and library lines
// give a puzzle each, nine rows in a row give a grid.
class LineReader {
  public:
    explicit LineReader(const Found& found) : found_(found) {}

    // False once no more puzzles are wanted.
    bool line(std::string_view line) {
        if (isLibraryLine(line)) {
            shaped_ = true;
            interrupt();
            Board board;
            return !libraryGrid(line, board) || emit(board);
        }
        // Comma-separated fields: a row of nine, or a line of 81. Fields of another count
        // break a grid, and the text is never read by the lenient scan. A line with longer
        // words between its commas (a title, a note, a line of 81 in a list) reads as any.
        if (std::string cells; line.find(',') != npos && commaFields(line, cells)) {
            if (cells.size() == 9 || cells.size() == 81) return fields(cells);
            shaped_ = true;
            reset();
            skipping_ = true;
            return true;
        }
        // Nine "-" after the third or sixth row of a grid that writes its empty fields
        // otherwise are the line between two bands.
        if (const char kind = separatorKind(line);
            kind == '+' || (kind && (rows_ == 3 || rows_ == 6) && marks_.find(kind) == npos))
            return true;
        if (const std::string_view run = longRun(line); !run.empty()) {
            shaped_ = true;
            interrupt();
            Board board;
            return run.size() != 81 || !putFields(board, 0, run) || emit(board);
        }
        std::string cells;
        for (const char c : line)
            if (c != '|' && c != '+' && blanks.find(c) == npos) cells += c;
        return fields(cells);
    }

    // A new section: nothing of a grid goes on across it.
    void reset() {
        grid_ = Board{};
        marks_.clear();
        rows_ = 0;
        skipping_ = false;
    }

    int found() const { return found_count_; }
    // Whether any line had the shape of one of the formats, valid or not.
    bool shaped() const { return shaped_; }

  private:
    // The field characters of a line: 81 of them, a row of a grid, or no puzzle line.
    bool fields(const std::string& cells) {
        if (!std::all_of(cells.begin(), cells.end(), isFieldChar)) {
            interrupt();  // a title or a note: between grids, or breaking one
            return true;
        }
        // 81 fields with blanks or bars between them.
        if (cells.size() == 81) {
            shaped_ = true;
            interrupt();
            Board board;
            return !putFields(board, 0, cells) || emit(board);
        }
        if (cells.size() == 9 && putFields(grid_, rows_ * 9, cells)) {
            shaped_ = true;
            if (skipping_) return true;
            marks_ += cells;
            if (++rows_ < 9) return true;
            const Board board = grid_;
            reset();
            return emit(board);
        }
        // A row of the wrong length or with two kinds of empty mark breaks its grid; a
        // short run of digits before any row ("1.", "12") is a puzzle number.
        if (rows_ > 0 || cells.size() >= 6) {
            shaped_ = true;
            reset();
            skipping_ = true;
        }
        return true;
    }

    bool emit(const Board& board) {
        ++found_count_;
        return found_(board);
    }
    // A line that is no row: it breaks a grid that has begun (whose other rows are then
    // passed over up to the next such line), or it ends the passing over.
    void interrupt() {
        const bool broken = rows_ > 0;
        reset();
        skipping_ = broken;
    }

    const Found& found_;
    Board grid_;
    std::string marks_;  // the rows of the grid so far
    int rows_ = 0;
    bool skipping_ = false;
    bool shaped_ = false;
    int found_count_ = 0;
};

// Calls `f` with every line, trimmed of blanks at both ends; lines end in CR, LF or CR LF.
template <class F>
void forEachLine(std::string_view text, F f) {
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        const std::size_t first = line.find_first_not_of(blanks);
        line = first == npos ? std::string_view() : line.substr(first, line.find_last_not_of(blanks) - first + 1);
        if (!f(line)) return;
        start = end + 1;
    }
}

bool isMeaningful(std::string_view line) { return !line.empty() && line.front() != '#'; }

bool isPuzzleSection(std::string_view line) {
    constexpr std::string_view name = "[puzzle]";
    return line.size() == name.size() &&
           std::equal(line.begin(), line.end(), name.begin(),
                      [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a + 32 : a) == b; });
}

bool isSectionHeader(std::string_view line) { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }

// The text as single-byte characters: a UTF-8 byte order mark is dropped, a UTF-16 text
// (known by its mark) narrowed to ASCII with '?' for every other character.
std::string_view plainText(std::string_view text, std::string& storage) {
    if (text.starts_with("\xEF\xBB\xBF")) return text.substr(3);
    const bool little = text.starts_with("\xFF\xFE"), big = text.starts_with("\xFE\xFF");
    if (!little && !big) return text;
    storage.reserve(text.size() / 2);
    for (std::size_t i = 2; i + 1 < text.size(); i += 2) {
        const unsigned char low = static_cast<unsigned char>(text[little ? i : i + 1]);
        const unsigned char high = static_cast<unsigned char>(text[little ? i + 1 : i]);
        storage += high == 0 && low < 0x80 ? static_cast<char>(low) : '?';
    }
    return storage;
}

bool hasBracketedDigit(std::string_view text) {
    for (std::size_t i = text.find_first_of("[("); i != npos && i + 1 < text.size(); i = text.find_first_of("[(", i + 1))
        if (text[i + 1] >= '1' && text[i + 1] <= '9') return true;
    return false;
}

void readText(std::string_view raw, const Found& found) {
    std::string storage;
    const std::string_view text = plainText(raw, storage);

    // This program's clipboard text reads as pasting reads it.
    std::string_view title;
    forEachLine(text, [&](std::string_view line) {
        if (isMeaningful(line)) title = line;
        return title.empty();
    });
    const auto scanned = [&] {
        const PuzzleScan scan = scanPuzzleText(text);
        if (scan.markCount == 81) found(scan.buffer);
    };
    if (title == "SUDOKU - puzzle") return scanned();

    // With a section "[Puzzle]", only what stands in such sections counts.
    bool sections = false;
    forEachLine(text, [&](std::string_view line) {
        sections = isPuzzleSection(line);
        return !sections;
    });
    LineReader reader(found);
    bool inPuzzle = !sections;
    forEachLine(text, [&](std::string_view line) {
        if (!isMeaningful(line)) return true;
        if (sections && isSectionHeader(line)) {
            inPuzzle = isPuzzleSection(line);
            reader.reset();
            return true;
        }
        return !inPuzzle || reader.line(line);
    });
    // A text of no known shape, or one that marks its puzzle digits in brackets as the
    // clipboard text does: the clipboard's lenient scan. A near miss of a known shape is
    // not scanned, for its marks would fill the fields out of place.
    if (!sections && reader.found() == 0 && (!reader.shaped() || hasBracketedDigit(text))) scanned();
}

// Control characters other than tabs, line and page breaks (and the old end-of-text and
// escape marks) make a file no text.
bool isText(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return true;
    return std::none_of(bytes.begin(), bytes.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c < 0x20 && (c == 0 || !std::strchr("\t\n\v\f\r\x1a\x1b", c));
    });
}

// The puzzles of a file's bytes: its record, or the puzzles of its text.
std::string puzzlesOfFile(const std::string& path, const Found& found) {
    std::string bytes;
    const std::string error = readPuzzleSource(path, bytes);
    if (!error.empty()) return error;
    int count = 0;
    const Found counted = [&](const Board& board) {
        ++count;
        return found(board);
    };
    puzzleRecord record;
    if (bytes.size() == record.size()) {
        std::copy(bytes.begin(), bytes.end(), record.begin());
        if (recordDigitsValid(record)) {
            found(boardFromRecord(record));
            return {};
        }
    }
    const bool text = !bytes.empty() && isText(bytes);
    if (text) readText(bytes, counted);
    if (count > 0) return {};
    // A cut-off record says so; anything else is no puzzle.
    return bytes.size() < record.size() && !text ? endOfFileText : invalidPuzzleText;
}

}  // namespace

std::optional<Board> firstPuzzleInText(std::string_view text) {
    std::optional<Board> first;
    readText(text, [&](const Board& board) {
        first = board;
        return false;
    });
    return first;
}

std::vector<Board> puzzlesInText(std::string_view text) {
    std::vector<Board> all;
    readText(text, [&](const Board& board) {
        all.push_back(board);
        return true;
    });
    return all;
}

std::string readPuzzle(const std::string& path, Board& board) {
    return puzzlesOfFile(path, [&](const Board& found) {
        board = found;
        return false;
    });
}

std::string readPuzzles(const std::string& path, std::vector<Board>& boards) {
    std::vector<Board> all;
    std::string error = puzzlesOfFile(path, [&](const Board& found) {
        all.push_back(found);
        return true;
    });
    if (error.empty()) boards = std::move(all);
    return error;
}

}  // namespace dozudo
