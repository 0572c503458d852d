// Fuzz target: opening a puzzle file of any length and content, then solving
// on the board it gave. The open either refuses with an error text and leaves
// the board as it was, or shows the file's first record as a board of digits
// 0..9 (flag 0 entered, any other flag given), or, for a file that holds no valid
// record, the first puzzle of its text; whatever was opened, search, options,
// hints, reduction and filling keep the state sane.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "exchange/puzzle_formats.h"
#include "exchange/puzzle_record.h"
#include "fuzz/sane_state.h"
#include "game/captions.h"

using namespace dozudo;
using namespace dozudo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/dozudo-fuzz-" + std::to_string(getpid()) + ".sdk";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    View view;
    Screen screen;
    Game game(view, screen);
    game.board.set(5, 5, 7, fkGiven);  // something to lose
    const Board before = game.board;
    const std::string error = game.openPuzzleFile(path);
    bool record = size >= puzzleRecordSize;
    for (std::size_t i = 0; record && i < puzzleRecordSize; i += 2) record = data[i] <= 9;
    if (!error.empty()) {
        if (!sameBoard(game.board, before)) fail("a refused file changed the board");
        if (record) fail("a valid record was refused");
        return 0;
    }
    if (record) {
        // One record is read; what follows it is not looked at.
        for (int c = 1; c <= 9; ++c)
            for (int r = 1; r <= 9; ++r) {
                const std::uint8_t digit = data[recordOffset(c, r)], flag = data[recordOffset(c, r) + 1];
                if (game.board.digit(c, r) != digit) fail("opened digit differs from the file");
                if (game.board.at(c, r).kind != (flag ? fkGiven : fkEntered)) fail("opened kind differs from the file");
            }
    } else {
        const std::optional<Board> text =
            firstPuzzleInText(std::string_view(reinterpret_cast<const char*>(data), size));
        if (!text || !sameBoard(game.board, *text)) fail("a file without a record opened as no puzzle of its text");
    }
    checkSane(game);
    // Solve on whatever was opened, conflicting digits included.
    game.commandBarChange(cmdSearch, true);
    checkSane(game);
    checkSearchVerdict(game);
    for (int b : {0, 1, 4, 3}) {  // show options, hints, reduction, fill all
        if (!screen.visible.count(b)) continue;
        game.analysisBarChange(b, true);
        if (b >= 2) game.analysisBarChange(b, false);
        checkSane(game);
    }
    for (int tick = 0; tick < 90 && screen.timerOn; ++tick) {
        game.Timer1Timer();
        checkSane(game);
    }
    return 0;
}
