#pragma once
// The keys desktop programs have for their commands. Each presses its button as a click does,
// so a hidden button or a latched one that is down ignores it too.

#include <QString>
#include <array>

#include "game/captions.h"

namespace dozudo {

struct CommandShortcut {
    const char* keys;  // in QKeySequence's portable form
    int button;        // of the command bar
};
inline constexpr std::array<CommandShortcut, 3> commandShortcuts{
    {{"F1", cmdHelp}, {"Ctrl+O", cmdOpen}, {"Ctrl+S", cmdSave}}};
inline constexpr const char* printShortcut = "Ctrl+P";  // "print" of the print page
inline constexpr const char* closeShortcut = "Ctrl+Q";  // closes the window

// The keys of a command-bar button, empty when it has none.
QString commandShortcut(int button);

}  // namespace dozudo
