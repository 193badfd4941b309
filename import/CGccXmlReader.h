#pragma once

#include "import/RunCommand.h"
#include "settings/CFrontEndSettings.h"

#include <memory>
#include <string>

class CLogFile;
class CProgram;
class CXmlTextReader;
class IProgress;

// Reads one file into a program model: a compilation database (a file whose text starts with
// a JSON array) is compiled entry by entry and the merged output read (CDatabaseCompiler);
// otherwise by its root element: a project file is first compiled with its front end
// (CFrontEndRunner) and the front end's output read; a front-end (GCC-XML format) file is read
// directly (CGccXmlParser). Failures are written to the log, and the reader says why in words
// the user reads.
class CGccXmlReader {
public:
    // log and progress are borrowed (progress may be null); runner starts a project's front
    // end; frontEnd says how a compilation database is compiled.
    CGccXmlReader(std::string fileName, CLogFile& log, IProgress* progress, CommandRunner runner,
                  CFrontEndSettings frontEnd = CFrontEndSettings());

    // Opens the file and reads it. Returns the complete model, not yet sized; null when the
    // file is not one of the two kinds or cannot be read (GetCause says why, the log too).
    // Throws CError "Could not open Xml file" (a project's front end wrote no output) and
    // "Invalid file or xml document" (a project file that is not well-formed), each followed
    // by its cause on the lines below, and for a compilation database the texts of
    // CDatabaseCompiler::Compile.
    std::unique_ptr<CProgram> Load();

    // Why Load failed, one line each: "File: <name>" (for a project's output, also the
    // project's name), then what went wrong: the system's reason a file cannot be opened, the
    // parser's message and line, the root element that was found, or the project's fault; for
    // a project's output, the front end's report (CFrontEndRunner::GetReport) last.
    const std::string& GetCause() const { return Cause; }

    // What the user should know about the last load although it succeeded ("3 of 120 files
    // could not be compiled; see log.txt"); empty when there is nothing.
    const std::string& GetNotice() const { return Notice; }

private:
    // Compiles the project (its root was read from xml, which is closed) and reads the output.
    std::unique_ptr<CProgram> LoadProject(std::unique_ptr<CXmlTextReader> xml);
    // Parses the front-end output open in xml, named file; on failure the cause's second line
    // says why.
    std::unique_ptr<CProgram> Parse(CXmlTextReader& xml, const std::string& file);

    std::string FileName;
    CLogFile& Log;
    IProgress* Progress; // borrowed; may be null
    CommandRunner Runner;
    CFrontEndSettings FrontEnd;
    std::string Cause;
    std::string Notice;
};
