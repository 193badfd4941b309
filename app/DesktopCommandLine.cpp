#include "app/DesktopCommandLine.h"

CDesktopCommandLine CDesktopCommandLine::Parse(const std::vector<std::string>& arguments) {
    CDesktopCommandLine line;
    bool optionsEnd = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnd && (argument == "--help" || argument == "-h")) {
            line.Help = true;
        } else if (!optionsEnd && argument == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && argument.size() > 1 && argument[0] == '-') {
            return {false, "", "unknown option " + argument};
        } else if (!line.File.empty()) {
            return {false, "", "more than one file given"};
        } else {
            line.File = argument;
        }
    }
    return line;
}

const char* CDesktopCommandLine::Usage() {
    return "Usage: quarncode [FILE]\n"
           "\n"
           "Starts the Quarn Code viewer and, when FILE is given, opens it as File, Open does:\n"
           "a project file (compiled with its front end first), a compilation database\n"
           "(compile_commands.json, whose files are compiled and merged into one program) or\n"
           "front-end output in GCC-XML format. The settings are read from settings.cfg in the\n"
           "working directory, and the log is written to log.txt there.\n"
           "\n"
           "  --help                   prints this text\n"
           "  --                       ends the options: a FILE that starts with \"-\" follows\n"
           "\n"
           "Exit status: 0 when the window was closed, 2 on a usage error.\n";
}
