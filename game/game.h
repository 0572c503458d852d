#pragma once
// The program's single state and the commands that tie rules, analysis and the
// screen together.

#include <string>

#include "analysis/hints.h"
#include "analysis/options.h"
#include "analysis/step.h"
#include "exchange/puzzle_record.h"
#include "game/screen.h"
#include "model/board.h"
#include "model/entry_log.h"
#include "model/states.h"
#include "model/status_line.h"

namespace dozudo {

class PuzzleClipboard;

class Game {
  public:
    Game(BoardView& view, Window& window);
    // Drops a clipboard read still waiting, so that its answer never reaches a dead game.
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // ---- state ----
    Board board;
    EntryLog entryLog;
    std::uint8_t filledCount = 0;
    GameState gameState = gsIdle;
    FillMode fillMode = fmNone;
    int selColumn = 0, selRow = 0;  // 0 = nothing selected (only at start)
    bool entryAccepted = false;
    bool optionsShown = false;
    bool hintsShown = false;
    OptionTables optionTables;
    Hint hint;
    StatusLine status;

    // ---- board, log and status line ----
    void setStatus(int kind, const std::string& text) { status.setStatus(kind, text); }
    void countFilled();
    void eraseBoard();
    void restorePuzzle();
    void recordEntry(int column, int row, int digit);
    // Replaces the whole board by an opened puzzle. The entry log belongs to the
    // previous puzzle and is emptied, so a take back never empties the new one.
    void replaceBoard(const Board& opened);

    // ---- digit entry ----
    void enterPuzzleDigit(int digit);
    void enterDigit(int digit);
    void removeLastEntry();
    void updateAnalysis();

    // ---- analysis ----
    void computeOptions();
    void findHint();
    void showHint();
    void selectField(int column, int row);
    void reduceOptions();
    void showReducedOptions();

    // ---- next step (game/next_step.cpp) ----
    // "next step", while solving with options shown: a wrong digit of the user's when the
    // board has lost the puzzle's one solution, else the hint finder's hint, else the
    // technique ladder's step, named in the status line. A ladder step stays on the board
    // (`shownStep`: its pattern marked, the options it removes crossed out) until the next
    // "next step" removes those options, as "reduction" narrows them, or until the options
    // are recomputed.
    void nextStep();
    Step shownStep;

    // ---- automatic filling and take back ----
    void fillStep(bool single);
    void takeBack();
    void Timer1Timer();

    // ---- command bars, keyboard and mouse ----
    void commandBarChange(int button, bool down);
    void analysisBarChange(int button, bool down);
    void hideAnalysis();
    void showAnalysisStart();
    void hideOptions();
    void refreshAnalysis();
    // Says in red when the puzzle digits alone have no solution or more than one.
    void reportPuzzleSolutions();
    // The status-line explanation of a highlighted button.
    std::string commandHoverText(int button);
    static std::string analysisHoverText(int button);
    // Called when the pointer leaves the command bar.
    void commandBarLeave();
    void linkEnter();
    void linkLeave();
    void linkClick();
    // Key down (key codes of game/keys.h) and typed characters; true = consumed.
    bool keyDown(int key);
    bool keyPress(char character);
    // A mouse press on field (column, row) of the board.
    void boardPress(int column, int row);

    // ---- puzzle file and clipboard (game/exchange_commands.cpp) ----
    // Reads a puzzle file (its record, or the first puzzle of its text) and shows it:
    // caption, status line and board (no repaint is asked for). Returns the error text
    // of a failing step; then nothing has changed.
    std::string openPuzzleFile(const std::string& path);
    // Writes a record of the board to a puzzle file; on success shows "saved : " and
    // releases "save". Returns the error text of a failing step.
    std::string savePuzzleFile(const std::string& path, const puzzleRecord& record);
    // "clipbrd": copies a board with digits, pastes into an empty one, then pauses. The
    // paste waits for the clipboard's answer with the button down and the board locked;
    // the pause begins when the text has come. Another command or Escape drops the wait.
    void clipboardCommand(PuzzleClipboard& clipboard);
    void copyToClipboard(PuzzleClipboard& clipboard);
    // Pastes a text read from the clipboard into the empty board.
    void pasteFromClipboard(const std::string& text);
    // Whether "clipbrd" is waiting for the clipboard's text.
    bool clipboardWaiting() const { return clipboardRead_ != nullptr; }

  private:
    void setTimerEnabled(bool enabled);
    void restartTimer();
    void setTimerInterval(int milliseconds);
    void fieldEmptied();
    void moveRight();
    void moveLeft();
    bool selecting() const { return gameState == gsEntering || gameState == gsSolving; }
    // Drops a clipboard read whose answer has not come, if any.
    void dropClipboardRead();
    // Ends the pause after "clipbrd" at once, as its tick would.
    void endClipboardPause();

    BoardView& view_;
    Window& window_;
    PuzzleClipboard* clipboardRead_ = nullptr;  // asked for its text, no answer yet
    unsigned clipboardReads_ = 0;               // numbers the reads, so a late answer is known
};

}  // namespace dozudo
