#include "base/CLogFile.h"

CLogFile::~CLogFile() {
    Write("stop logging", "closing file", "");
    if (File != nullptr)
        std::fclose(File);
}

bool CLogFile::Open(const std::string& fileName) {
    FileName = fileName;
    File = std::fopen(FileName.c_str(), "w");
    if (File != nullptr)
        Write("start logging", "opening log file", "");
    return File != nullptr;
}

void CLogFile::Write(const std::string& message, const std::string& detail,
                     const std::string& tag) {
    if (File == nullptr)
        return;
    std::string line;
    if (!tag.empty())
        line = "[" + tag + "] ";
    line += message + ": " + detail + "\n";
    if (std::fputs(line.c_str(), File) >= 0)
        std::fflush(File);
}

void CLogFile::Error(const std::string& heading, const std::string& detail) {
    Write(heading, detail, "error");
}
