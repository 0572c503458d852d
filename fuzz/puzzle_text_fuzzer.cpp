// Fuzz target: the reader of other programs' puzzle texts on any text. Every puzzle it
// finds holds digits 0..9, puzzle digits as given and placed ones as entered, empty
// fields as on a fresh board; the first puzzle is the first of all of them; the same
// text with CR LF line ends reads the same; and each puzzle written out as a library
// line (and, holding puzzle digits only, as an 81-field line and as a grid) reads back
// as the same board.
#include <cstdint>
#include <string>
#include <vector>

#include "exchange/puzzle_formats.h"
#include "fuzz/sane_state.h"

using namespace dozudo;
using namespace dozudo::fuzz;

namespace {

bool samePuzzles(const std::vector<Board>& a, const std::vector<Board>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!sameBoard(a[i], b[i])) return false;
    return true;
}

void readsBack(const std::string& text, const Board& board, const char* what) {
    const std::optional<Board> again = firstPuzzleInText(text);
    if (!again || !sameBoard(*again, board)) fail(what);
}

void checkPuzzle(const Board& board) {
    std::string library = ":0000:x:", line, grid;
    bool onlyGiven = true;
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            const field& f = board.at(c, r);
            if (f.digit > 9) fail("digit above 9");
            if (f.kind != fkGiven && (f.digit == 0 || f.kind != fkEntered)) fail("field of a wrong kind");
            onlyGiven = onlyGiven && f.kind == fkGiven;
            const char ch = f.digit ? static_cast<char>('0' + f.digit) : '.';
            library += f.kind == fkEntered ? std::string{'+', ch} : std::string{ch};
            line += ch;
            grid += c % 3 == 0 && c < 9 ? std::string{ch, '|'} : std::string{ch};
        }
        grid += r % 3 == 0 && r < 9 ? "\n---+---+---\n" : "\n";
    }
    readsBack(library + ":::", board, "library line read back differs");
    if (onlyGiven) {
        readsBack(line, board, "81-field line read back differs");
        readsBack(grid, board, "grid read back differs");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<Board> all = puzzlesInText(text);
    const std::optional<Board> first = firstPuzzleInText(text);
    if (first.has_value() == all.empty()) fail("first puzzle and all puzzles disagree");
    if (first && !sameBoard(*first, all.front())) fail("first puzzle is not the first of all");
    for (std::size_t i = 0; i < all.size() && i < 4; ++i) checkPuzzle(all[i]);

    // A UTF-16 text is left alone: inserting bytes would break its pairs.
    if (!text.starts_with("\xFF\xFE") && !text.starts_with("\xFE\xFF")) {
        std::string crlf;
        for (const char ch : text) crlf += ch == '\n' ? std::string("\r\n") : std::string{ch};
        if (!samePuzzles(puzzlesInText(crlf), all)) fail("CR LF line ends read differently");
    }
    return 0;
}
