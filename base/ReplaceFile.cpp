#include "base/ReplaceFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Writes all of data, resuming after interruptions and short writes.
bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// The file a write to fileName lands in: the target of a symbolic link that resolves, else
// fileName itself.
std::string TargetOf(const std::string& fileName) {
    std::error_code error;
    if (!std::filesystem::is_symlink(fileName, error))
        return fileName;
    std::filesystem::path target = std::filesystem::canonical(fileName, error);
    return error ? fileName : target.string();
}

// The directory a path lies in ("." for a bare name).
std::string DirectoryOf(const std::string& path) {
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? "." : parent.string();
}

// The permissions a newly created file gets: 0666 less the process's umask.
mode_t NewFileMode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool ReplaceFile(const std::string& fileName, const void* data, std::size_t size) {
    std::string target = TargetOf(fileName);
    std::vector<char> temporary(target.begin(), target.end());
    const char suffix[] = ".XXXXXX";
    temporary.insert(temporary.end(), suffix, suffix + sizeof suffix); // with the final NUL
    int fd = mkstemp(temporary.data());
    if (fd < 0)
        return false;

    struct stat original;
    bool ok = true;
    if (stat(target.c_str(), &original) == 0) {
        // Giving the file back to its owner is allowed to a privileged process only; for
        // everyone else the file simply stays theirs.
        [[maybe_unused]] int owned = fchown(fd, original.st_uid, original.st_gid);
        ok = fchmod(fd, original.st_mode & 07777) == 0;
    } else {
        ok = fchmod(fd, NewFileMode()) == 0;
    }
    ok = ok && WriteAll(fd, static_cast<const char*>(data), size) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.data(), target.c_str()) == 0;
    if (!ok) {
        unlink(temporary.data());
        return false;
    }
    // Make the rename itself durable; the file is already replaced whatever this reports.
    int dir = open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}
