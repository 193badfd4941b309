#include "settings/CRecentFiles.h"

#include "base/ReplaceFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

std::string CRecentFiles::DefaultPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/')
        return std::string(config) + "/quarncode/recent";
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0')
        return "";
    return std::string(home) + "/.config/quarncode/recent";
}

void CRecentFiles::Load() {
    Files.clear();
    std::ifstream in(Path);
    std::string line;
    while (Files.size() < Limit && std::getline(in, line)) {
        if (!line.empty() && std::find(Files.begin(), Files.end(), line) == Files.end())
            Files.push_back(line);
    }
}

bool CRecentFiles::Add(const std::string& file) {
    if (file.empty() || file.find_first_of("\r\n") != std::string::npos)
        return false;
    Load();
    Files.erase(std::remove(Files.begin(), Files.end(), file), Files.end());
    Files.insert(Files.begin(), file);
    if (Files.size() > Limit)
        Files.resize(Limit);
    return Save();
}

bool CRecentFiles::Remove(const std::string& file) {
    Load();
    Files.erase(std::remove(Files.begin(), Files.end(), file), Files.end());
    return Save();
}

bool CRecentFiles::Save() const {
    if (Path.empty())
        return false;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(Path).parent_path(), error);
    std::string text;
    for (const std::string& file : Files)
        text += file + "\n";
    return ReplaceFile(Path, text.data(), text.size());
}
