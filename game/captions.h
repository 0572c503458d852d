#pragma once
// Captions and hover texts of the two command bars. A "/" splits a caption
// into two lines.

#include <array>
#include <string_view>

namespace dozudo {

inline constexpr std::array<std::string_view, 8> commandCaptions{
    "open",         "save",           "clipbrd", "erase/board",
    "enter/puzzle", "restore/puzzle", "search",  "help/info"};

inline constexpr std::array<std::string_view, 8> commandHoverTexts{
    "open puzzle from disc",
    "save puzzle to disc",
    "copy puzzle to clipboard",  // "paste puzzle from clipboard" on an empty board
    "erase puzzle",
    "enter digits of new puzzle",
    "restore the original puzzle",
    "search for a solution",
    "show help documentation"};

inline constexpr std::array<std::string_view, 6> analysisCaptions{
    "show options", "hints", "fill digit", "fill all", "reduction", "take back"};

inline constexpr std::array<std::string_view, 6> analysisHoverTexts{
    "show options",    "show hints",     "fill hint digit",
    "fill all digits", "reduce options", "remove last entry"};

// Command bar buttons.
enum CommandButton {
    cmdOpen = 0,
    cmdSave,
    cmdClipboard,
    cmdErase,
    cmdEnter,
    cmdRestore,
    cmdSearch,
    cmdHelp
};
// Analysis column buttons.
enum AnalysisButton { anShowOptions = 0, anHints, anFillDigit, anFillAll, anReduction, anTakeBack };

inline constexpr std::string_view programTitle = "DOZUDO - vudede";
inline constexpr std::string_view linkHoverText = "to Vorlane website";

}  // namespace dozudo
