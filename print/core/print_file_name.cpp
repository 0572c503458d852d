#include "print/core/print_file_name.h"

namespace dozudo {

std::string freeFileName(const std::string& path,
                         const std::function<bool(const std::string&)>& taken) {
    if (!taken(path)) return path;
    // The number goes before the last dot of the file name; a name whose only dot leads it
    // (".pdf") has no extension.
    const std::size_t nameStart = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) dot = path.size();
    const std::string stem = path.substr(0, dot), extension = path.substr(dot);
    // A folder holds finitely many names, so a free one comes.
    for (unsigned long n = 2;; ++n) {
        const std::string candidate = stem + "-" + std::to_string(n) + extension;
        if (!taken(candidate)) return candidate;
    }
}

std::string homeShortened(const std::string& path, const std::string& home) {
    if (home.empty() || home == "/") return path;
    const std::string base = home.back() == '/' ? home.substr(0, home.size() - 1) : home;
    if (path == base) return "~";
    if (path.size() > base.size() && path.compare(0, base.size(), base) == 0 &&
        path[base.size()] == '/')
        return "~" + path.substr(base.size());
    return path;
}

}  // namespace dozudo
