#include "app/CQuarnCode.h"
#include "app/DesktopCommandLine.h"

#include <cstdio>

// The desktop program's entry point: the command line is read before the toolkit starts, so
// that --help and usage errors need no display; then the application object, which opens the
// file the command line names, is made and the toolkit runs it.

int main(int argc, char** argv) {
    CDesktopCommandLine line =
        CDesktopCommandLine::Parse(std::vector<std::string>(argv + (argc > 0), argv + argc));
    if (line.Help) {
        std::fputs(CDesktopCommandLine::Usage(), stdout);
        return 0;
    }
    if (!line.Error.empty()) {
        std::fprintf(stderr, "quarncode: %s\n\n%s", line.Error.c_str(),
                     CDesktopCommandLine::Usage());
        return 2;
    }
    wxApp::SetInstance(new CQuarnCode(line.File)); // the toolkit deletes it
    return wxEntry(argc, argv);
}
