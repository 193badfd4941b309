#pragma once

#include <string>
#include <vector>

// A fresh directory under the system's temporary directory that becomes the working
// directory for the object's lifetime; removed with everything in it afterwards.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return DirPath; }

    // Writes text to a file in the directory (name relative to it).
    void WriteFile(const std::string& name, const std::string& text) const;
    // The whole content of a file in the directory; empty when it does not exist.
    std::string ReadFile(const std::string& name) const;

private:
    std::string DirPath;
    std::string PreviousDir;
};

// The content of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// The lines of a log file after its opening entry.
std::vector<std::string> LogLines(const std::string& path);
