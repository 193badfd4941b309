#include "import/CCompilerAllowlist.h"

#include "import/RunCommand.h"

#include <filesystem>
#include <fnmatch.h>

CCompilerAllowlist::CCompilerAllowlist(const std::vector<std::string>& extraGlobs) {
    for (const char* directory : {"/usr/bin/", "/usr/local/bin/"}) {
        for (const char* name : {"gcc", "g++", "cc", "c++", "clang", "clang++"}) {
            Globs.push_back(std::string(directory) + name);
            Globs.push_back(std::string(directory) + name + "-[0-9]*");
        }
    }
    Globs.insert(Globs.end(), extraGlobs.begin(), extraGlobs.end());
}

bool CCompilerAllowlist::Allows(const std::string& path) const {
    if (path.empty() || path[0] != '/')
        return false;
    for (const std::string& glob : Globs) {
        if (fnmatch(glob.c_str(), path.c_str(), FNM_PATHNAME) == 0)
            return true;
    }
    return false;
}

std::string CCompilerAllowlist::Locate(const std::string& compiler, const std::string& directory) {
    if (compiler.empty())
        return std::string();
    if (compiler.find('/') != std::string::npos) {
        std::filesystem::path path = std::filesystem::path(directory) / compiler;
        return path.lexically_normal().string();
    }
    std::string found = FindProgram(compiler);
    // A relative entry of PATH would make the answer depend on where the program runs.
    if (found.empty() || found[0] != '/')
        return std::string();
    return std::filesystem::path(found).lexically_normal().string();
}
