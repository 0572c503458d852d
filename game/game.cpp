#include "game/game.h"

#include "game/captions.h"
#include "model/rules.h"

namespace dozudo {

Game::Game(BoardView& view, Window& window) : status(&window), view_(view), window_(window) {}

Game::~Game() {
    dropClipboardRead();
}

void Game::countFilled() {
    filledCount = static_cast<std::uint8_t>(board.filled());
}

void Game::eraseBoard() {
    for (auto& column : board.fields)
        for (field& f : column) f.digit = 0;
    view_.repaintBoard();
    window_.setCaption(std::string(programTitle) + " : ");
    setStatus(0, "erased game");
    entryLog.entryCount = 0;
    filledCount = 0;
}

void Game::restorePuzzle() {
    for (auto& column : board.fields)
        for (field& f : column)
            if (f.kind != fkGiven) f.digit = 0;
    view_.repaintBoard();
    setStatus(0, "original puzzle restored");
}

void Game::recordEntry(int column, int row, int digit) {
    dozudo::recordEntry(entryLog, column, row, digit);
}

void Game::replaceBoard(const Board& opened) {
    board = opened;
    entryLog.entryCount = 0;
}

void Game::enterPuzzleDigit(int digit) {
    entryAccepted = false;
    field& f = board.at(selColumn, selRow);
    if (digit != 0) {
        if (checkRules(board, selColumn, selRow, digit) != 0) {
            window_.beep();
            return;
        }
        f.kind = fkGiven;
    }
    entryAccepted = true;
    f.digit = static_cast<std::uint8_t>(digit);
    view_.drawField(selColumn, selRow, digit, fkGiven);
}

void Game::enterDigit(int digit) {
    entryAccepted = false;
    field& f = board.at(selColumn, selRow);
    if (f.digit != 0 && f.kind != fkEntered) {
        window_.beep();
        return;
    }
    if (digit == 0 && f.digit == 0) {
        window_.beep();
        return;
    }
    const int r = checkRules(board, selColumn, selRow, digit);
    if (r != 0) {
        const std::string where = r == 1   ? "row " + std::to_string(selRow)
                                  : r == 2 ? "column " + std::to_string(selColumn)
                                           : " group " + std::to_string(groupOf(selColumn, selRow));
        setStatus(1, std::to_string(digit) + " allready present in " + where);
        window_.beep();
        return;
    }
    status.blank();
    const int kind = fillMode == fmFilling ? fkFilled : fkEntered;
    board.set(selColumn, selRow, digit, kind);
    view_.drawField(selColumn, selRow, digit, kind);
    entryAccepted = true;
    recordEntry(selColumn, selRow, digit);
    countFilled();
    if (filledCount == 81) {
        setStatus(3, "puzzle solved");
        gameState = gsSolved;
        return;
    }
    updateAnalysis();
}

void Game::removeLastEntry() {
    if (entryLog.entryCount == 0) return;
    const EntryTriple t = entryLog.last();
    board.at(t.column, t.row).digit = 0;
    view_.drawField(t.column, t.row, 0, fkEntered);
    --entryLog.entryCount;
    fieldEmptied();
    updateAnalysis();
}

void Game::fieldEmptied() {
    // A solved board that loses a digit is being solved again: keys, clicks and filling work.
    if (gameState == gsSolved) gameState = gsSolving;
}

void Game::updateAnalysis() {
    if (!optionsShown) return;
    computeOptions();
    view_.paintAllOptions();
    if (hintsShown) {
        findHint();
        showHint();
    }
}

void Game::computeOptions() {
    shownStep = Step{};
    dozudo::computeOptions(board, optionTables);
}

void Game::findHint() {
    dozudo::findHint(board, optionTables, hint);
}

void Game::showHint() {
    setStatus(hintStatusKind(hint.hintKind), hintMessage(hint));
    if (hintPlacesDigit(hint.hintKind)) selectField(hint.hintColumn, hint.hintRow);
}

void Game::selectField(int column, int row) {
    if (selColumn != 0) view_.eraseSelectionMark(selColumn, selRow);
    selColumn = column;
    selRow = row;
    view_.drawSelectionMark(column, row);
}

}  // namespace dozudo
