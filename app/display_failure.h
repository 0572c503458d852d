// Start-up without a usable display: the program's own message and exit status 1 instead of
// Qt's abort when no platform plugin (Wayland, X11, ...) can start.
#pragma once

namespace dozudo {

// Call right before the QApplication is made; from then on until displayStarted(), a
// platform that cannot start ends the program with a message and status 1.
void exitWhenNoDisplayStarts();
// Call once the QApplication exists: Qt's own message handling is back.
void displayStarted();

}  // namespace dozudo
