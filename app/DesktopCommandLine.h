#pragma once

#include <string>
#include <vector>

// The desktop program's command line: quarncode [FILE], or quarncode --help.
struct CDesktopCommandLine {
    // Parses the arguments after the program's name. Sets Error (and nothing else) on an
    // unknown option or more than one file.
    static CDesktopCommandLine Parse(const std::vector<std::string>& arguments);
    // The text --help prints, and a usage error after its message.
    static const char* Usage();

    bool Help = false;
    std::string File;  // opened at start-up; empty: none
    std::string Error; // why the command line cannot be run; empty when it can
};
