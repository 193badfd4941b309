#pragma once

#include "import/RunCommand.h"

#include <string>

class CLogFile;

// Compiles a project file: runs the front end the project names, with the GCC-XML command
// line "-fxml=<output>" followed by the project's options, and waits for it.
class CFrontEndRunner {
public:
    // log (borrowed) hears of an incomplete project; runner starts the front end.
    CFrontEndRunner(CLogFile& log, CommandRunner runner);

    // Reads the project file and runs its front end; output receives the name of the file the
    // front end was to write. False when the project names no front end or no output file
    // (logged). Throws CError "Invalid file or xml document" for a project that is not
    // well-formed.
    bool Compile(const std::string& projectFile, std::string& output);

private:
    CLogFile& Log;
    CommandRunner Runner;
};
