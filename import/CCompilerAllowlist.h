#pragma once

#include <string>
#include <vector>

// The compilers the front end may run. The front end runs the compiler a compilation database
// names, to learn its macros and include directories; a database must not make it run any
// program, so only compilers whose absolute path matches one of these globs are handed over:
// the usual system compilers (gcc, g++, cc, c++, clang and clang++, also with a version suffix
// such as gcc-12, in /usr/bin and /usr/local/bin) and the globs the user adds. As clangd's
// --query-driver.
class CCompilerAllowlist {
public:
    // extraGlobs: shell wildcard patterns (*, ?, [...]) of absolute paths, where * does not
    // match "/".
    explicit CCompilerAllowlist(const std::vector<std::string>& extraGlobs);

    // Whether the compiler at path (absolute, normalised) may be run.
    bool Allows(const std::string& path) const;

    // The absolute, normalised path of the compiler an entry names: a name without "/" looked
    // up along PATH, a relative path taken from directory. Empty when a name is not found.
    static std::string Locate(const std::string& compiler, const std::string& directory);

    const std::vector<std::string>& GetGlobs() const { return Globs; }

private:
    std::vector<std::string> Globs;
};
