#include "import/CCacheDirectory.h"

#include "base/CError.h"
#include "base/CLogFile.h"
#include "import/Fingerprint.h"
#include "import/IProgress.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// A directory under the system's temporary directory that only this user can write:
// TMP/quarncode-UID, made private, or when something else already has that name (a file, a
// link, another user's directory), a fresh one.
std::string PrivateTemporaryRoot() {
    std::string temporary = std::filesystem::temp_directory_path().string();
    std::string root = temporary + "/quarncode-" + std::to_string(getuid());
    mkdir(root.c_str(), 0700);
    struct stat status;
    if (lstat(root.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == getuid() &&
        (status.st_mode & 077) == 0)
        return root;
    std::string pattern = temporary + "/quarncode-XXXXXX";
    if (mkdtemp(&pattern[0]) == nullptr)
        return std::string();
    return pattern;
}

} // namespace

std::string CCacheDirectory::DefaultRoot() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/')
        return std::string(cache) + "/quarncode";
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        struct passwd* user = getpwuid(getuid());
        home = user != nullptr ? user->pw_dir : "/";
    }
    return std::string(home) + "/.cache/quarncode";
}

CCacheDirectory::CCacheDirectory(const std::string& root, const std::string& databasePath,
                                 CLogFile& log) {
    std::string name =
        Fingerprint(std::filesystem::absolute(databasePath).lexically_normal().string());
    std::string preferred = (root.empty() ? DefaultRoot() : root) + "/" + name;
    if (Open(preferred))
        return;
    std::string reason = std::strerror(errno);
    std::string fallback = PrivateTemporaryRoot();
    if (fallback.empty() || !Open(fallback + "/" + name))
        throw CError("Could not make a cache directory for " + databasePath);
    log.Write("Cache directory", preferred + " cannot be written (" + reason + "); using " + Path,
              "");
}

CCacheDirectory::~CCacheDirectory() {
    if (LockFd >= 0)
        close(LockFd); // releases the lock
}

bool CCacheDirectory::Open(const std::string& directory) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error) {
        errno = error.value();
        return false;
    }
    int fd = open((directory + "/lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    // A directory that takes a new file can hold the outputs.
    std::string probe = directory + "/write-test.XXXXXX";
    int test = mkstemp(&probe[0]);
    if (test < 0) {
        int reason = errno;
        close(fd);
        errno = reason;
        return false;
    }
    close(test);
    unlink(probe.c_str());
    Path = directory;
    LockFd = fd;
    return true;
}

bool CCacheDirectory::Lock(IProgress* progress) {
    bool told = false;
    while (flock(LockFd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return true; // no locks on this file system: go on without
        if (progress != nullptr) {
            if (!told)
                progress->SetMessage("Waiting for another program that opens this database");
            told = true;
            if (progress->IsCancelled())
                return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}
