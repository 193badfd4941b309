#include "base/ReplaceFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

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

} // namespace

bool WriteAll(int fd, const void* data, std::size_t size) {
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t written = write(fd, next, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        next += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

int CreateTemporaryBeside(const std::string& fileName, std::string& temporary) {
    std::vector<char> name(fileName.begin(), fileName.end());
    const char suffix[] = ".XXXXXX";
    name.insert(name.end(), suffix, suffix + sizeof suffix); // with the final NUL
    int fd = mkstemp(name.data());
    if (fd < 0)
        return -1;
    // mkstemp gives 0600; a new file gets 0666 less the process's umask.
    mode_t mask = umask(0);
    umask(mask);
    if (fchmod(fd, 0666 & ~mask) != 0) {
        close(fd);
        unlink(name.data());
        return -1;
    }
    temporary = name.data();
    return fd;
}

bool ReplaceFile(const std::string& fileName, const void* data, std::size_t size) {
    std::string target = TargetOf(fileName);
    std::string temporary;
    int fd = CreateTemporaryBeside(target, temporary);
    if (fd < 0)
        return false;

    struct stat original;
    bool ok = true;
    if (stat(target.c_str(), &original) == 0) {
        // Giving the file back to its owner is allowed to a privileged process only; for
        // everyone else the file simply stays theirs.
        [[maybe_unused]] int owned = fchown(fd, original.st_uid, original.st_gid);
        ok = fchmod(fd, original.st_mode & 07777) == 0;
    }
    ok = ok && WriteAll(fd, data, size) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
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
