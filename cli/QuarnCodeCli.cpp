#include "cli/CCommandLine.h"
#include "cli/CCommandLineTool.h"

#include <cstdio>

// quarncode-cli: the command-line tool over the same core as the desktop program.
int main(int argc, char** argv) {
    CCommandLine line;
    try {
        line = CCommandLine::Parse(argc, argv);
    } catch (const CCommandLine::UsageError& error) {
        std::fprintf(stderr, "quarncode-cli: %s\n\n%s", error.what(), CCommandLine::Usage());
        return 2;
    }
    if (line.Help) {
        std::fputs(CCommandLine::Usage(), stdout);
        return 0;
    }
    CCommandLineTool tool(line);
    return tool.Run();
}
