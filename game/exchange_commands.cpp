// The effects of opening, saving, copying and pasting a puzzle on the program's state.
#include "exchange/puzzle_file.h"
#include "exchange/puzzle_formats.h"
#include "exchange/puzzle_text.h"
#include "game/captions.h"
#include "game/exchange_commands.h"
#include "game/game.h"
#include "model/rules.h"

namespace dozudo {

std::string Game::openPuzzleFile(const std::string& path) {
    Board opened;
    std::string error = readPuzzle(path, opened);
    if (!error.empty()) return error;
    const std::string name = fileNameOf(path);
    window_.setCaption(std::string(programTitle) + " : " + name);
    setStatus(0, "opened : " + name);
    replaceBoard(opened);
    return {};
}

std::string Game::savePuzzleFile(const std::string& path, const puzzleRecord& record) {
    std::string error = writePuzzleFile(path, record);
    if (!error.empty()) return error;
    setStatus(0, "saved : " + fileNameOf(path));
    window_.releaseCommandButton(cmdSave);
    return {};
}

void Game::clipboardCommand(PuzzleClipboard& clipboard) {
    dropClipboardRead();
    gameState = gsRestored;
    fillMode = fmClipboard;
    countFilled();
    if (filledCount > 0) {
        copyToClipboard(clipboard);
        restartTimer();
        return;
    }
    // The text may take a while to come from the program that holds it: until then the
    // button stays down, the board stays locked and the pause has not begun. The clipboard
    // is read once per command.
    setTimerEnabled(false);
    clipboardRead_ = &clipboard;
    const unsigned read = ++clipboardReads_;
    clipboard.requestText([this, read](const std::string& text) {
        if (read != clipboardReads_ || !clipboardRead_) return;  // dropped meanwhile
        clipboardRead_ = nullptr;
        pasteFromClipboard(text);
        restartTimer();
    });
}

void Game::endClipboardPause() {
    dropClipboardRead();
    Timer1Timer();
}

void Game::dropClipboardRead() {
    if (!clipboardRead_) return;
    PuzzleClipboard* read = clipboardRead_;
    clipboardRead_ = nullptr;
    ++clipboardReads_;
    read->cancelRequest();
}

void Game::copyToClipboard(PuzzleClipboard& clipboard) {
    clipboard.setText(puzzleText(board));
    setStatus(0, "puzzle copied to clipboard");
}

void Game::pasteFromClipboard(const std::string& text) {
    if (text.empty()) {
        setStatus(1, "clipboard holds no text");
        return;
    }
    // This program's own text (it has brackets, or its title) is scanned mark by mark; any
    // other text is read as "open" reads a file: "0" for empty fields, grids, collections
    // (their first puzzle), and its puzzle digits come in as puzzle digits.
    Board read;
    if (isOwnPuzzleText(text)) {
        const PuzzleScan scan = scanPuzzleText(text);
        if (scan.markCount != 81) {
            setStatus(1, "no Sudoku puzzle found");
            return;
        }
        read = scan.buffer;
    } else if (std::optional<Board> found = firstPuzzleInText(text)) {
        read = *found;
    } else {
        setStatus(1, "no Sudoku puzzle found");
        return;
    }
    // Taken over field by field into a copy, so that a repeated digit leaves the board
    // exactly as it was.
    Board pasted = board;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const field& f = read.at(c, r);
            if (f.digit == 0) {
                pasted.at(c, r).digit = 0;
                continue;
            }
            if (checkRules(pasted, c, r, f.digit) != 0) {
                setStatus(1, "wrong digits");
                return;
            }
            pasted.at(c, r) = f;
        }
    replaceBoard(pasted);
    setStatus(0, "opened puzzle from clipboard");
    view_.repaintBoard();
}

}  // namespace dozudo
