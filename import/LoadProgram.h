#pragma once

#include "import/LoadScope.h"
#include "import/RunCommand.h"
#include "settings/CFrontEndSettings.h"

#include <memory>
#include <string>

class CLogFile;
class CProgram;
class IProgress;

// How a load is asked for, beyond its file.
struct CLoadRequest {
    EScope Scope = EScope::FileDefault;
    // False: a project's front-end output is taken as it is, when it exists, without running
    // the front end again (the project was loaded before; only the scope changes).
    bool Compile = true;
};

// What a load that succeeded tells beyond the model.
struct CLoadOutcome {
    // What the user should know ("3 of 120 files could not be compiled; see log.txt"); empty
    // when nothing.
    std::string Notice;
    bool HasProject = false;  // the file names a project: a project file or a database
    bool ProjectOnly = false; // the model holds the project's own declarations alone
};

// The reading steps of a load: shows "Reading XML file", reads the file (compiling a project
// first, with runner starting its front end; a compilation database as frontEnd says) with the
// scope request asks for, shows "Squarifying...", and returns the filled program, not yet
// sized. Throws CError "Could not load file" followed by the reader's cause
// (CGccXmlReader::GetCause) on the lines below when the reader fails (details in the log), and
// passes on the errors the reader throws. progress is borrowed and may be null; outcome, when
// not null, receives what the load tells.
std::unique_ptr<CProgram> LoadProgram(const std::string& fileName, IProgress* progress,
                                      CLogFile& log, const CommandRunner& runner,
                                      const CFrontEndSettings& frontEnd = CFrontEndSettings(),
                                      const CLoadRequest& request = CLoadRequest(),
                                      CLoadOutcome* outcome = nullptr);
