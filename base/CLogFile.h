#pragma once

#include <cstdio>
#include <string>

// The run's plain-text trace. Every entry is one line, written and flushed at once; when the
// file could not be opened every entry is dropped silently.
class CLogFile {
public:
    CLogFile() = default;
    // Writes "stop logging: closing file" and closes the file.
    ~CLogFile();
    CLogFile(const CLogFile&) = delete;
    CLogFile& operator=(const CLogFile&) = delete;

    // Opens (truncates) the file and writes "start logging: opening log file".
    // Returns whether the file is open.
    bool Open(const std::string& fileName);

    // Writes "[tag] message: detail" (or "message: detail" with an empty tag) and a line feed.
    void Write(const std::string& message, const std::string& detail, const std::string& tag);

    // Writes an entry tagged "error".
    void Error(const std::string& heading, const std::string& detail);

    const std::string& GetFileName() const { return FileName; }
    bool IsOpen() const { return File != nullptr; }

private:
    std::string FileName;
    std::FILE* File = nullptr; // owned; null when opening failed
};
