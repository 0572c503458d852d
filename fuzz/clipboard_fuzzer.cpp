// Fuzz target: the clipboard text scanner and the paste command on any text.
// The scan counts 0..82 marks and yields digits 0..9; a paste either refuses
// (board unchanged) or shows the puzzle of the text (its own text as scanned, any other
// as "open" reads it) without a rule conflict;
// a scanned board written as text and scanned again is the same board.
#include <cstdint>
#include <string>

#include "exchange/puzzle_formats.h"
#include "exchange/puzzle_text.h"
#include "fuzz/sane_state.h"
#include "game/game.h"
#include "model/rules.h"

using namespace dozudo;
using namespace dozudo::fuzz;

namespace {

void checkScan(const PuzzleScan& scan) {
    if (scan.markCount < 0 || scan.markCount > 82) fail("mark count out of range");
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r)
            if (scan.buffer.digit(c, r) > 9 || scan.buffer.at(c, r).kind > fkEntered) fail("scanned field out of range");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const PuzzleScan scan = scanPuzzleText(text);
    checkScan(scan);

    // Written out and read back, a scanned board stays the same board.
    if (scan.markCount == 81) {
        const PuzzleScan again = scanPuzzleText(puzzleText(scan.buffer));
        checkScan(again);
        if (again.markCount != 81) fail("written text does not scan as 81 fields");
        for (int c = 1; c <= 9; ++c)
            for (int r = 1; r <= 9; ++r) {
                const field a = scan.buffer.at(c, r), b = again.buffer.at(c, r);
                if (a.digit != b.digit || (a.digit && (a.kind == fkGiven) != (b.kind == fkGiven)))
                    fail("text round trip changed a field");
            }
    }

    // Paste into an empty board.
    View view;
    Screen screen;
    Game game(view, screen);
    game.pasteFromClipboard(text);
    checkSane(game);
    const int filled = game.board.filled();
    if (filled > 0) {
        // This program's own text (brackets or its title) by the scan, any other as "open" reads it.
        const bool own = isOwnPuzzleText(text);
        const std::optional<Board> opened = own ? std::nullopt : firstPuzzleInText(text);
        if (own ? scan.markCount != 81 : !opened) fail("pasted a text that holds no puzzle");
        const Board& expected = own ? scan.buffer : *opened;
        for (int c = 1; c <= 9; ++c)
            for (int r = 1; r <= 9; ++r) {
                const int d = game.board.digit(c, r);
                if (d != expected.digit(c, r)) fail("pasted digit differs from the text");
                if (d) {
                    Board without = game.board;
                    without.at(c, r).digit = 0;
                    if (checkRules(without, c, r, d) != 0) fail("pasted board breaks the rules");
                }
            }
    }
    return 0;
}
