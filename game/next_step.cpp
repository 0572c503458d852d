// The "next step" command: a wrong digit, the hint, or the technique ladder's step.
#include "analysis/ladder.h"
#include "analysis/solver.h"
#include "game/game.h"

namespace dozudo {

namespace {

// The first of the user's digits that differs from the solution: in the entry log's
// order, then (digits from a file, or entered before "search") in reading order.
bool findWrongDigit(const Board& board, const EntryLog& log, const Board& solution, int& column, int& row) {
    for (int n = 1; n <= log.entryCount; ++n) {
        const EntryTriple& t = log.triple(n);
        if (board.digit(t.column, t.row) == t.digit && t.digit != solution.digit(t.column, t.row)) {
            column = t.column;
            row = t.row;
            return true;
        }
    }
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (board.digit(c, r) != 0 && board.at(c, r).kind != fkGiven &&
                board.digit(c, r) != solution.digit(c, r)) {
                column = c;
                row = r;
                return true;
            }
    return false;
}

}  // namespace

void Game::nextStep() {
    if (gameState != gsSolving || !optionsShown || fillMode != fmNone) return;
    if (shownStep.found()) {
        // The step on the board: its options go, as a reduction's narrowing.
        applyStep(shownStep, optionTables);
        shownStep = Step{};
        showReducedOptions();
        return;
    }
    Board solution;
    const bool oneSolution = countSolutions(board.givens(), 2, &solution) == 1;
    int column = 0, row = 0;
    if (oneSolution && countSolutions(board, 1) == 0 && findWrongDigit(board, entryLog, solution, column, row)) {
        const std::string digit = std::to_string(board.digit(column, row));
        const std::string where = "row " + std::to_string(row) + " column " + std::to_string(column);
        status.setStatus(1, "wrong digit: (" + digit + ") " + where,
                         "wrong digit: " + where + " holds " + digit + ", which is not the solution's digit");
        selectField(column, row);
        return;
    }
    Step step = findStep(board, optionTables, oneSolution);
    if (step.technique == Technique::hint) {
        hint = step.hint;
        showHint();
        return;
    }
    if (!step.found()) {
        setStatus(0, board.filled() == 81 ? "" : "no further step found");
        return;
    }
    shownStep = step;
    status.setStatus(stepStatusKind(step), stepStatus(step), stepSpeech(step));
    view_.paintAllOptions();
    if (step.places()) selectField(cellColumn(step.placeCell), cellRow(step.placeCell));
}

}  // namespace dozudo
