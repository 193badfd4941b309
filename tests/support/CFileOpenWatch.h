#pragma once

#include <string>

// Watches files for being opened or read (inotify), to show that a parser touched nothing
// beyond the file it was given.
class CFileOpenWatch {
public:
    // Starts watching nothing; throws std::runtime_error when inotify is not available.
    CFileOpenWatch();
    ~CFileOpenWatch();
    CFileOpenWatch(const CFileOpenWatch&) = delete;
    CFileOpenWatch& operator=(const CFileOpenWatch&) = delete;

    // Adds an existing file (or directory) to the watch; throws std::runtime_error when it
    // cannot be watched.
    void Watch(const std::string& path);
    // True when a watched file was opened or read since it was added or since the last call.
    bool Touched();

private:
    int Fd; // owned inotify descriptor
};
