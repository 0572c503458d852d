#pragma once
// The platform's side of the puzzle exchange: the file dialogs, the error box and the
// clipboard. The TForm1 members declared in ui/main_window.h for it live in
// ui/puzzle_exchange.cpp.

#include <QFileDialog>
#include <QString>
#include <memory>

#include "game/exchange_commands.h"

namespace dozudo {

class X11ClipboardReader;

// The system clipboard, plain text only. Reaches QClipboard only when used. On X, a text
// held by another program is read without Qt, so that an owner that has stopped answering
// never freezes the window.
class QtPuzzleClipboard : public PuzzleClipboard {
  public:
    QtPuzzleClipboard();
    ~QtPuzzleClipboard() override;
    void requestText(TextAnswer answer) override;
    void cancelRequest() override;
    void setText(const std::string& text) override;

  private:
    std::unique_ptr<X11ClipboardReader> x11_;  // made at the first read on an X display
};

// A puzzle file dialog: title, the "SUDOKU file (*sdk)" filter (selected; the open dialog
// also lists puzzle texts and all files) and the default extension "sdk". It watches its folder only while it runs (see runFileDialog).
QFileDialog* makePuzzleDialog(QWidget* parent, const QString& title, QFileDialog::AcceptMode mode);
// Shows the dialog in `folder` with an empty name field; returns the chosen file, or an empty
// text when the user cancelled. Nothing of the dialog stays on the screen afterwards.
QString runFileDialog(QFileDialog* dialog, const QString& folder);

}  // namespace dozudo
