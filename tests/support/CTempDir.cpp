#include "support/CTempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

CTempDir::CTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quarn-test-XXXXXX").string();
    if (mkdtemp(&pattern[0]) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    DirPath = pattern;
    PreviousDir = std::filesystem::current_path().string();
    std::filesystem::current_path(DirPath);
}

CTempDir::~CTempDir() {
    std::error_code error;
    std::filesystem::current_path(PreviousDir, error);
    // Restore write permission that a test may have taken away before removing.
    std::filesystem::permissions(DirPath, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(DirPath, error);
}

void CTempDir::WriteFile(const std::string& name, const std::string& text) const {
    std::ofstream out(DirPath + "/" + name, std::ios::binary);
    out << text;
}

std::string CTempDir::ReadFile(const std::string& name) const {
    return ReadWholeFile(DirPath + "/" + name);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

std::vector<std::string> LogLines(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream in(ReadWholeFile(path));
    std::string line;
    std::getline(in, line); // "start logging: opening log file"
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}
