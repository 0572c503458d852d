#pragma once
// The names a printed sheet is written to when it goes into a file, and how the status line
// names that file. A sheet never replaces an earlier one: a taken name is numbered on.

#include <functional>
#include <string>

namespace dozudo {

// The first of path, then path with "-2", "-3", ... before the extension of its file name
// (dozudo-printpage.pdf, dozudo-printpage-2.pdf, ...) that `taken` does not report.
std::string freeFileName(const std::string& path,
                         const std::function<bool(const std::string&)>& taken);

// The path with the home folder written as "~" (home itself, or a path inside it).
std::string homeShortened(const std::string& path, const std::string& home);

}  // namespace dozudo
