#pragma once

#include <string>
#include <vector>

// How a compilation database is compiled. Copied whole wherever it travels.
struct CFrontEndSettings {
    int Jobs = 0; // front-end runs at once; 0: one per processor core
    // Globs of compilers (absolute paths, shell wildcards) that the front end may run to learn
    // their macros and include directories, beyond the usual system compilers.
    std::vector<std::string> QueryDrivers;
    // Where the front end's outputs are kept; empty: $XDG_CACHE_HOME/quarncode, or
    // ~/.cache/quarncode without it.
    std::string CacheDirectory;
};
