#pragma once

#include "import/LoadScope.h"

#include <stdexcept>
#include <string>
#include <vector>

// The parsed command line of the command-line tool.
class CCommandLine {
public:
    // A command line that cannot be run; the tool prints the text and the usage, exit code 2.
    class UsageError : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // Parses argv (argv[0] is the program). Throws UsageError on an unknown command or option,
    // a missing or malformed value, or a wrong number of arguments.
    static CCommandLine Parse(int argc, char** argv);
    // The usage text printed by --help and after a usage error.
    static const char* Usage();

    bool Help = false;
    std::string Command; // "stats", "dump", "find" or "render"
    std::string File;
    std::string Name;        // find: the name to look for
    bool Substring = false;  // find: names that contain Name match too
    bool IgnoreCase = false; // find: letters match in either case
    std::string Output;      // render: the PNG to write
    int Width = 800;         // render: image size in pixels
    int Height = 600;
    std::string Shader = "normal";       // render: normal, specular or debug
    std::vector<std::string> Selections; // render: names whose elements are selected
    bool Labels = false;                 // render: draws the rectangles' names
    std::string SettingsFile = "settings.cfg";
    std::string LogFile = "log.txt";
    bool Timings = false;
    int Jobs = -1; // --jobs: front-end runs at once (0: one per core); -1 keeps the setting
    std::vector<std::string> QueryDrivers; // --query-driver: more compilers the front end may run
    EScope Scope = EScope::FileDefault;    // --scope: the project's own declarations, or all
};
