#include "exchange/puzzle_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <climits>
#include <cstdlib>
#include <vector>

namespace dozudo {

namespace {

// The folder part of a path ("." for a bare name).
std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A missing file in an existing folder is "not found"; a missing folder makes the name
// itself unusable.
std::string missingText(const std::string& path) {
    struct stat st {};
    if (stat(folderOf(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return ioErrorText(ENOENT);
    return ioErrorText(ENOTDIR);
}

std::string errorText(int errorNumber, const std::string& path) {
    return errorNumber == ENOENT ? missingText(path) : ioErrorText(errorNumber);
}

// Writes all bytes, resuming after interruptions and partial writes.
bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Writes straight into an existing file that is not a regular file (a device, for one).
std::string writeInPlace(const std::string& path, const puzzleRecord& record) {
    const int fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errorText(errno, path);
    if (!writeAll(fd, record.data(), record.size())) {
        const int e = errno;
        close(fd);
        return ioErrorText(e);
    }
    if (close(fd) != 0) return ioErrorText(errno);
    return {};
}

// Appends what the file gives until `bytes` holds `want` bytes or the file ends. A pipe
// or device with nothing ready counts as ended: nothing here waits.
std::string readUpTo(int fd, std::string& bytes, std::size_t want) {
    char chunk[1 << 16];
    while (bytes.size() < want) {
        const ssize_t n = read(fd, chunk, std::min(sizeof chunk, want - bytes.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        if (n < 0) return ioErrorText(errno);
        if (n == 0) break;
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    return {};
}

bool isRecord(const std::string& bytes) {
    if (bytes.size() != puzzleRecordSize) return false;
    for (std::size_t i = 0; i < bytes.size(); i += 2)
        if (static_cast<unsigned char>(bytes[i]) > 9) return false;
    return true;
}

}  // namespace

std::string ioErrorText(int errorNumber) {
    switch (errorNumber) {
        case ENOENT:
            return "File not found";
        case ENOTDIR:
        case ENAMETOOLONG:
        case EINVAL:
        case ELOOP:
            return "Invalid filename";
        case EMFILE:
        case ENFILE:
            return "Too many open files";
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            return "File access denied";
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return "Disk full";
        default:
            return "I/O error " + std::to_string(errorNumber);
    }
}

std::string fileNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string readPuzzleFile(const std::string& path, puzzleRecord& record) {
    if (path.empty()) return ioErrorText(ENOENT);
    // Read access only, so that a read-only file opens; no waiting on pipes or devices.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errorText(errno, path);
    puzzleRecord buffer{};
    std::size_t got = 0;
    std::string error;
    while (got < buffer.size()) {
        const ssize_t n = read(fd, buffer.data() + got, buffer.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = ioErrorText(errno);
            break;
        }
        if (n == 0) {
            error = endOfFileText;
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    if (close(fd) != 0 && error.empty()) error = ioErrorText(errno);
    if (!error.empty()) return error;
    if (!recordDigitsValid(buffer)) return invalidPuzzleText;
    record = buffer;
    return {};
}

std::string readPuzzleSource(const std::string& path, std::string& bytes) {
    bytes.clear();
    if (path.empty()) return ioErrorText(ENOENT);
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errorText(errno, path);
    std::string error = readUpTo(fd, bytes, puzzleRecordSize);
    if (error.empty() && !isRecord(bytes)) {
        struct stat st {};
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::uintmax_t>(st.st_size) > puzzleFileLimit)
            error = tooLargeText;
        else {
            if (S_ISREG(st.st_mode)) bytes.reserve(static_cast<std::size_t>(st.st_size));
            error = readUpTo(fd, bytes, puzzleFileLimit + 1);
        }
        // A pipe or device that goes on and on.
        if (error.empty() && bytes.size() > puzzleFileLimit) error = tooLargeText;
    }
    if (close(fd) != 0 && error.empty()) error = ioErrorText(errno);
    if (!error.empty()) bytes.clear();
    return error;
}

std::string writePuzzleFile(const std::string& path, const puzzleRecord& record) {
    if (path.empty()) return ioErrorText(ENOENT);
    std::string target = path;
    mode_t mode = 0;
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return ioErrorText(EISDIR);
        if (!S_ISREG(st.st_mode)) return writeInPlace(path, record);
        // A file the user may not write to stays as it is.
        if (access(path.c_str(), W_OK) != 0) return ioErrorText(errno);
        mode = st.st_mode & 07777;
        // Replace the file a link points to, not the link.
        char resolved[PATH_MAX];
        if (realpath(path.c_str(), resolved)) target = resolved;
    } else if (errno != ENOENT) {
        return ioErrorText(errno);
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }

    const std::string folder = folderOf(target);
    std::string pattern = folder + "/.sdk-save-XXXXXX";
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    const int fd = mkstemp(temp.data());
    if (fd < 0) return errorText(errno, target);
    const auto fail = [&](int e) {
        close(fd);
        unlink(temp.data());
        return ioErrorText(e);
    };
    if (fchmod(fd, mode) != 0) return fail(errno);
    if (!writeAll(fd, record.data(), record.size())) return fail(errno);
    if (fsync(fd) != 0) return fail(errno);
    if (close(fd) != 0) {
        const int e = errno;
        unlink(temp.data());
        return ioErrorText(e);
    }
    if (rename(temp.data(), target.c_str()) != 0) {
        const int e = errno;
        unlink(temp.data());
        return ioErrorText(e);
    }
    // Make the new directory entry durable too (best effort).
    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return {};
}

}  // namespace dozudo
