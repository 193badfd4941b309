#pragma once

#include <string>

class CLogFile;
class IProgress;

// The directory where the front-end outputs of one compilation database are kept
// (ROOT/<fingerprint of the database's absolute path>, ROOT being $XDG_CACHE_HOME/quarncode,
// or ~/.cache/quarncode without it), and a lock on it that programs opening the same database
// take in turn while they make and read its files.
class CCacheDirectory {
public:
    // root: where the directories of all databases lie; empty for the default. When that
    // directory cannot be made or written, a private one under the system's temporary
    // directory is used instead (logged). Throws CError when neither can be made. log is
    // borrowed.
    CCacheDirectory(const std::string& root, const std::string& databasePath, CLogFile& log);
    // Releases the lock.
    ~CCacheDirectory();
    CCacheDirectory(const CCacheDirectory&) = delete;
    CCacheDirectory& operator=(const CCacheDirectory&) = delete;

    // Takes the lock, waiting while another program holds it; meanwhile says so through
    // progress (borrowed, may be null) and asks it whether the user cancelled: false then.
    bool Lock(IProgress* progress);

    const std::string& GetPath() const { return Path; }

    // The default root: $XDG_CACHE_HOME/quarncode when that is an absolute path, else
    // $HOME/.cache/quarncode.
    static std::string DefaultRoot();

private:
    // Makes directory (and its parents) and opens the lock file in it; false when either
    // fails.
    bool Open(const std::string& directory);

    std::string Path;
    int LockFd = -1; // owned; the lock file, open once the directory is usable
};
