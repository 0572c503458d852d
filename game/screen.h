#pragma once
// What the core asks of the screen. The Qt front implements these; tests use
// recording fakes.

#include <string>

#include "model/status_line.h"

namespace dozudo {

// The board view: the only way the core changes what the board shows between
// full repaints.
class BoardView {
  public:
    virtual ~BoardView() = default;
    // Redraws one field's interior with the digit in its kind's colour (0: empty).
    virtual void drawField(int column, int row, int digit, int kind) = 0;
    // Draws the options into every empty field.
    virtual void paintAllOptions() = 0;
    // Restores the ring of a field from the board picture / draws the mark on it.
    virtual void eraseSelectionMark(int column, int row) = 0;
    virtual void drawSelectionMark(int column, int row) = 0;
    // Asks for a full repaint of the board view from the board.
    virtual void repaintBoard() = 0;
};

// The main window: caption, status line, beep, the pacing timer and the command bars.
class Window : public StatusLineView {
  public:
    virtual void setCaption(const std::string& caption) = 0;
    virtual void beep() = 0;

    // The pacing timer: enabling an enabled timer changes nothing; disabling and
    // enabling again restarts the interval.
    virtual void setTimerInterval(int milliseconds) = 0;
    virtual void setTimerEnabled(bool enabled) = 0;

    // Command bar: shows a latched button flat again, without an event.
    virtual void releaseCommandButton(int number) = 0;
    // Analysis column: hides / shows one button.
    virtual void hideAnalysisButton(int number) = 0;
    virtual void showAnalysisButton(int number) = 0;

    // Commands that need the platform (dialogs, clipboard, help window).
    virtual void openGame() {}
    virtual void saveGame() {}
    virtual void clipboardCommand() {}
    virtual void openHelp() {}
    // Opens the maker's web page in the user's browser.
    virtual void openWebPage() {}
};

}  // namespace dozudo
