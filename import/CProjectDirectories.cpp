#include "import/CProjectDirectories.h"

#include "import/CCompilationDatabase.h"
#include "import/ParseOptions.h"
#include "model/CProgram.h"
#include "model/CSourceFile.h"
#include "model/HideOutside.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace {

std::string WorkingDirectory() {
    std::error_code error;
    std::string directory = std::filesystem::current_path(error).string();
    return error ? std::string("/") : directory;
}

// Whether path lies under directory (both normalised, directory without a trailing "/").
bool IsUnder(const std::string& path, const std::string& directory) {
    if (directory == "/")
        return path.size() > 1 && path[0] == '/';
    return path.size() > directory.size() + 1 &&
           path.compare(0, directory.size(), directory) == 0 && path[directory.size()] == '/';
}

} // namespace

CProjectDirectories CProjectDirectories::OfDatabase(const CCompilationDatabase& database) {
    CProjectDirectories project;
    std::string name = std::filesystem::absolute(database.GetName()).string();
    project.AddDirectory(name.substr(0, name.rfind('/') + 1), "/");
    for (const CCompileEntry& entry : database.GetEntries()) {
        if (!entry.Error.empty())
            continue;
        project.AddBase(entry.Directory);
        project.AddDirectory(entry.Source.substr(0, entry.Source.rfind('/') + 1), "/");
        for (const std::string& directory : OwnDirectories(entry.Arguments, entry.Directory))
            project.AddDirectory(directory, entry.Directory);
    }
    return project;
}

CProjectDirectories CProjectDirectories::OfProjectFile(const std::string& projectFile,
                                                       const std::vector<std::string>& options) {
    CProjectDirectories project;
    std::string base = WorkingDirectory();
    project.AddBase(base);
    std::string name = (std::filesystem::path(base) / projectFile).string();
    project.AddDirectory(name.substr(0, name.rfind('/') + 1), base);
    std::vector<std::string> command{"front end"};
    command.insert(command.end(), options.begin(), options.end());
    for (const std::string& directory : OwnDirectories(command, base))
        project.AddDirectory(directory, base);
    return project;
}

std::vector<std::string> CProjectDirectories::Forms(const std::string& path) {
    std::string normal = std::filesystem::path(path).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    std::vector<std::string> forms{normal};
    if (char* real = realpath(path.c_str(), nullptr)) {
        if (normal != real)
            forms.push_back(real);
        std::free(real);
    }
    return forms;
}

void CProjectDirectories::AddDirectory(const std::string& directory, const std::string& base) {
    if (directory.empty() || directory[0] == '=')
        return;
    for (const std::string& form : Forms((std::filesystem::path(base) / directory).string())) {
        if (std::find(Directories.begin(), Directories.end(), form) == Directories.end())
            Directories.push_back(form);
    }
}

void CProjectDirectories::AddBase(const std::string& base) {
    if (std::find(Bases.begin(), Bases.end(), base) == Bases.end())
        Bases.push_back(base);
}

bool CProjectDirectories::Contains(const std::string& fileName) const {
    if (fileName.empty() || fileName[0] == '<')
        return false;
    std::vector<std::string> paths;
    if (fileName[0] == '/') {
        paths = Forms(fileName);
    } else {
        for (const std::string& base : Bases) {
            for (std::string& form : Forms(base + "/" + fileName))
                paths.push_back(std::move(form));
        }
    }
    for (const std::string& path : paths) {
        for (const std::string& directory : Directories) {
            if (IsUnder(path, directory))
                return true;
        }
    }
    return false;
}

void CProjectDirectories::Limit(CProgram& program) const {
    HideOutside(program, [this](const CSourceFile& file) { return Contains(file.Name); });
}
