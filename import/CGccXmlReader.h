#pragma once

#include "import/RunCommand.h"
#include "settings/CFrontEndSettings.h"

#include <memory>
#include <string>

class CLogFile;
class CProgram;
class IProgress;

// Reads one file into a program model: a compilation database (a file whose text starts with
// a JSON array) is compiled entry by entry and the merged output read (CDatabaseCompiler);
// otherwise by its root element: a project file is first compiled with its front end
// (CFrontEndRunner) and the front end's output read; a front-end (GCC-XML format) file is read
// directly (CGccXmlParser). Failures are written to the log.
class CGccXmlReader {
public:
    // log and progress are borrowed (progress may be null); runner starts a project's front
    // end; frontEnd says how a compilation database is compiled.
    CGccXmlReader(std::string fileName, CLogFile& log, IProgress* progress, CommandRunner runner,
                  CFrontEndSettings frontEnd = CFrontEndSettings());

    // Opens the file and reads it. Returns the complete model, not yet sized; null when the
    // file is not one of the two kinds or cannot be read (the log says why). Throws CError
    // "Could not open Xml file" (a project's front end wrote no output) and "Invalid file or
    // xml document" (a project file that is not well-formed), and for a compilation database
    // the texts of CDatabaseCompiler::Compile.
    std::unique_ptr<CProgram> Load();

    // What the user should know about the last load although it succeeded ("3 of 120 files
    // could not be compiled; see log.txt"); empty when there is nothing.
    const std::string& GetNotice() const { return Notice; }

private:
    std::string FileName;
    CLogFile& Log;
    IProgress* Progress; // borrowed; may be null
    CommandRunner Runner;
    CFrontEndSettings FrontEnd;
    std::string Notice;
};
