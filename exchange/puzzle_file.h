#pragma once
// Reading and writing a puzzle file of one 162-byte record. A failing step ends the
// operation and is reported with the runtime's text for it; an empty text means success.

#include <cstddef>
#include <string>

#include "exchange/puzzle_record.h"

namespace dozudo {

// The runtime's text for a system error number (errno): "File not found",
// "File access denied", "Disk full", "Invalid filename", "Too many open files",
// else "I/O error " + number.
std::string ioErrorText(int errorNumber);
inline constexpr const char* endOfFileText = "Read beyond end of file";
inline constexpr const char* invalidPuzzleText = "Invalid puzzle file";
inline constexpr const char* tooLargeText = "File too large";
// The most a puzzle file is read of: room for a large collection of puzzle lines.
inline constexpr std::size_t puzzleFileLimit = std::size_t{64} << 20;

// Reads the first 162 bytes of a file, opened for reading only. A shorter file gives
// "Read beyond end of file", a digit byte above 9 "Invalid puzzle file"; `record` is
// written only on success.
std::string readPuzzleFile(const std::string& path, puzzleRecord& record);

// The bytes of a puzzle file, read without waiting (a pipe or device gives what it holds
// at once): when its first 162 bytes form a valid record, just those; else the whole
// file, or "File too large" beyond puzzleFileLimit bytes.
std::string readPuzzleSource(const std::string& path, std::string& bytes);

// Writes the record. A regular file (or a new one) is written to a temporary file in the
// same folder that replaces the target only when all its bytes are on disc, so a failure
// leaves the old file as it was and nothing else behind.
std::string writePuzzleFile(const std::string& path, const puzzleRecord& record);

// The file name without its folder.
std::string fileNameOf(const std::string& path);

}  // namespace dozudo
