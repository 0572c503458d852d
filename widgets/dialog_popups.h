#pragma once
// A dialog that is made once and shown again must leave nothing on the screen when it closes.

class QWidget;

namespace dozudo {

// Hides the list of every name completer in the dialog. Return in a completer's list accepts
// the dialog through its line edit, and the completer then keeps the list up, because the line
// edit of a hidden dialog still has its focus: the stray list would stay over the window and
// take the next click.
void hideCompleterPopups(QWidget* dialog);

}  // namespace dozudo
