// The two command bars, the keyboard, board clicks and the link label.
#include "analysis/solver.h"
#include "game/captions.h"
#include "game/game.h"
#include "game/keys.h"

namespace dozudo {

void Game::hideAnalysis() {
    for (int b = anShowOptions; b <= anTakeBack; ++b) window_.hideAnalysisButton(b);
}

void Game::showAnalysisStart() {
    window_.showAnalysisButton(anShowOptions);
    window_.showAnalysisButton(anTakeBack);
}

void Game::hideOptions() {
    hintsShown = false;
    hint.hintKind = 0;
    shownStep = Step{};
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r)
            if (board.digit(c, r) == 0) view_.drawField(c, r, 0, board.at(c, r).kind);
}

void Game::refreshAnalysis() {
    computeOptions();
    view_.paintAllOptions();
    findHint();
    showHint();
}

void Game::commandBarChange(int button, bool down) {
    // A command during the pause after "clipbrd" (whose button the command bar has just
    // released) ends the pause at once, as its tick would, so that the tick cannot overrule
    // the state of the new command. A paste still waiting for its text is dropped.
    if (fillMode == fmClipboard) endClipboardPause();
    setStatus(0, "");
    if (gameState == gsSolving || gameState == gsSolved) {
        // Leaving the solving display takes drawn options off the board and ends a running
        // "fill all" or a pending take back, whatever the display switches say.
        if (hintsShown || optionsShown) hideOptions();
        if (fillMode == fmFilling || fillMode == fmTakeBack) {
            fillMode = fmNone;
            setTimerEnabled(false);
        }
        hintsShown = false;
        optionsShown = false;
        hideAnalysis();
    }
    if (!down) return;
    switch (button) {
        case cmdOpen:
            window_.openGame();
            break;
        case cmdSave:
            window_.saveGame();
            break;
        case cmdClipboard:
            window_.clipboardCommand();
            break;
        case cmdErase:
            eraseBoard();
            gameState = gsIdle;
            break;
        case cmdEnter:
            gameState = gsEntering;
            selectField(1, 1);
            break;
        case cmdRestore:
            restorePuzzle();
            gameState = gsRestored;
            break;
        case cmdSearch:
            gameState = gsSolving;
            showAnalysisStart();
            entryLog.entryCount = 0;
            countFilled();
            selectField(1, 1);
            reportPuzzleSolutions();
            break;
        case cmdHelp:
            window_.openHelp();
            window_.releaseCommandButton(cmdHelp);
            break;
        default:
            break;
    }
}

void Game::reportPuzzleSolutions() {
    Board puzzle;
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r)
            if (board.at(c, r).kind == fkGiven) puzzle.at(c, r) = board.at(c, r);
    const int solutions = countSolutions(puzzle);
    if (solutions == 0) setStatus(1, "puzzle has no solution");
    if (solutions > 1) setStatus(1, "puzzle has more than one solution");
}

void Game::analysisBarChange(int button, bool down) {
    switch (button) {
        case anShowOptions:
            if (down) {
                window_.showAnalysisButton(anHints);
                window_.showAnalysisButton(anReduction);
                optionsShown = true;
                hintsShown = false;
                computeOptions();
                view_.paintAllOptions();
            } else {
                for (int b : {anHints, anFillDigit, anFillAll, anReduction})
                    window_.hideAnalysisButton(b);
                optionsShown = false;
                hintsShown = false;
                hideOptions();
            }
            break;
        case anHints:
            if (down) {
                window_.showAnalysisButton(anFillDigit);
                window_.showAnalysisButton(anFillAll);
                hintsShown = true;
                refreshAnalysis();
            } else {
                window_.hideAnalysisButton(anFillDigit);
                window_.hideAnalysisButton(anFillAll);
                hintsShown = false;
                status.blank();
            }
            break;
        case anFillDigit:
            if (down) {
                fillMode = fmFilling;
                fillStep(true);
            }
            break;
        case anFillAll:
            if (down) {
                setTimerInterval(500);
                fillMode = fmFilling;
                fillStep(false);
            }
            break;
        case anReduction:
            if (down) reduceOptions();
            break;
        case anTakeBack:
            if (down) takeBack();
            break;
        default:
            break;
    }
}

std::string Game::commandHoverText(int button) {
    if (button == cmdClipboard) {
        countFilled();
        return filledCount > 0 ? "copy puzzle to clipboard" : "paste puzzle from clipboard";
    }
    if (button < 0 || button >= static_cast<int>(commandHoverTexts.size())) return "";
    return std::string(commandHoverTexts[button]);
}

std::string Game::analysisHoverText(int button) {
    if (button < 0 || button >= static_cast<int>(analysisHoverTexts.size())) return "";
    return std::string(analysisHoverTexts[button]);
}

void Game::commandBarLeave() {
    if (status.shownColour() == statusColors[4]) status.blank();
}

void Game::linkEnter() {
    setStatus(4, std::string(linkHoverText));
}

void Game::linkLeave() {
    setStatus(5, "");
}

void Game::linkClick() {
    if (fillMode == fmNone) window_.openWebPage();
}

void Game::moveRight() {
    if (++selColumn > 9) {
        selColumn = 1;
        if (++selRow > 9) selRow = 1;
    }
}

void Game::moveLeft() {
    if (--selColumn < 1) {
        selColumn = 9;
        if (--selRow < 1) selRow = 9;
    }
}

bool Game::keyDown(int key) {
    if (key == vkEscape) {
        // Escape stops filling and take back; the pause after "clipbrd" ends at once as its
        // tick would end it, so the button never stays down. A paste still waiting for the
        // clipboard's text is dropped.
        if (fillMode == fmClipboard)
            endClipboardPause();
        else
            fillMode = fmNone;
    }
    if (fillMode != fmNone) return false;
    if (selecting() && selColumn != 0 && selRow != 0) {
        if (key == vkBack || key == vkLeft || key == vkUp || key == vkRight || key == vkDown ||
            key == vkDelete)
            view_.eraseSelectionMark(selColumn, selRow);
        switch (key) {
            case vkRight:
                moveRight();
                break;
            case vkLeft:
                moveLeft();
                break;
            case vkUp:
                if (--selRow < 1) selRow = 9;
                break;
            case vkDown:
                if (++selRow > 9) selRow = 1;
                break;
            case vkDelete:
                if (gameState == gsEntering)
                    enterPuzzleDigit(0);
                else
                    enterDigit(0);
                break;
            case vkBack:
                if (gameState == gsEntering)
                    moveLeft();
                else
                    takeBack();
                break;
            default:
                break;
        }
        selectField(selColumn, selRow);
    }
    return true;
}

bool Game::keyPress(char character) {
    if (fillMode != fmNone) return false;
    if (!selecting() || selColumn == 0) return true;
    if (character == 'n' || character == 'N') {
        nextStep();
    } else if (character == ' ') {
        keyDown(vkRight);
    } else if (character >= '0' && character <= '9') {
        const int digit = character - '0';
        if (gameState == gsEntering) {
            enterPuzzleDigit(digit);
            if (digit != 0 && entryAccepted) keyDown(vkRight);
        } else {
            enterDigit(digit);
        }
    }
    return true;
}

void Game::boardPress(int column, int row) {
    if (fillMode != fmNone) return;
    if (selecting()) selectField(column, row);
}

}  // namespace dozudo
