#pragma once

#include "import/RunCommand.h"

#include <string>

class CLogFile;

// Compiles a project file: runs the front end the project names, with the GCC-XML command
// line "-fxml=<output>" followed by the project's options, and waits for it.
class CFrontEndRunner {
public:
    // The number of lines of the front end's output that GetReport quotes, the last ones.
    static constexpr int ReportedLines = 20;

    // log (borrowed) hears of an incomplete project and of the front end's run; runner starts
    // the front end.
    CFrontEndRunner(CLogFile& log, CommandRunner runner);

    // Reads the project file and runs its front end; output receives the name of the file the
    // front end was to write. Everything the front end writes goes to the log, one
    // "[front end] <front end>: <line>" entry a line, followed by its exit status. False when
    // the project names no front end or no output file (logged). Throws CXmlParseError for a
    // project that is not well-formed.
    bool Compile(const std::string& projectFile, std::string& output);

    // What the user is told of the compilation: why the project is incomplete, that the front
    // end could not be started and why, or its exit status followed by the last ReportedLines
    // lines it wrote. Empty before Compile.
    const std::string& GetReport() const { return Report; }

private:
    // Logs what the front end wrote and how it ended, and makes the report.
    void Record(const std::string& frontEnd, const CommandResult& result);

    CLogFile& Log;
    CommandRunner Runner;
    std::string Report;
};
