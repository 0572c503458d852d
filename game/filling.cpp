// Automatic filling from the hint, take back, and the pacing timer's tick.
#include "game/captions.h"
#include "game/game.h"

namespace dozudo {

void Game::setTimerEnabled(bool enabled) {
    window_.setTimerEnabled(enabled);
}

void Game::restartTimer() {
    setTimerEnabled(false);
    setTimerEnabled(true);
}

void Game::setTimerInterval(int milliseconds) {
    window_.setTimerInterval(milliseconds);
}

void Game::fillStep(bool single) {
    setTimerEnabled(false);
    if (gameState != gsSolving || !hintPlacesDigit(hint.hintKind)) {
        fillMode = fmNone;
        return;
    }
    selectField(hint.hintColumn, hint.hintRow);
    enterDigit(hint.hintDigit);
    if (gameState == gsSolved || !entryAccepted) {
        fillMode = fmNone;
        return;
    }
    refreshAnalysis();
    if (single)
        fillMode = fmNone;
    else
        setTimerEnabled(true);
}

void Game::takeBack() {
    if (entryLog.entryCount == 0) return;
    bool userEntryReached = false;
    while (entryLog.entryCount > 0) {
        const EntryTriple t = entryLog.last();
        field& f = board.at(t.column, t.row);
        if (f.kind != fkFilled) {
            userEntryReached = true;
            break;
        }
        f.digit = 0;
        view_.drawField(t.column, t.row, 0, fkFilled);
        --entryLog.entryCount;
        fieldEmptied();
    }
    if (userEntryReached) {
        const EntryTriple t = entryLog.last();
        selectField(t.column, t.row);
        fillMode = fmTakeBack;
        restartTimer();
    } else {
        updateAnalysis();
    }
}

void Game::Timer1Timer() {
    switch (fillMode) {
        case fmNone:
            setTimerEnabled(false);
            break;
        case fmFilling:
            fillStep(false);
            break;
        case fmTakeBack:
            fillMode = fmNone;
            if (entryLog.entryCount > 0) removeLastEntry();
            break;
        case fmClipboard:
            setTimerEnabled(false);
            if (clipboardRead_) break;  // the pause begins when the clipboard's text has come
            window_.releaseCommandButton(cmdClipboard);
            fillMode = fmNone;
            gameState = gsIdle;
            break;
    }
}

}  // namespace dozudo
