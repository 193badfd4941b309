#pragma once

#include "import/RunCommand.h"
#include "settings/CFrontEndSettings.h"

#include <memory>
#include <string>

class CLogFile;
class CProgram;
class IProgress;

// The reading steps of a load: shows "Reading XML file", reads the file (compiling a project
// first, with runner starting its front end; a compilation database as frontEnd says), shows
// "Squarifying...", and returns the filled program, not yet sized. Throws CError "Could not
// load file" followed by the reader's cause (CGccXmlReader::GetCause) on the lines below when
// the reader fails (details in the log), and passes on the errors the reader throws. progress
// is borrowed and may be null; notice, when not null, receives what the user should know about
// a load that succeeded (empty when nothing).
std::unique_ptr<CProgram> LoadProgram(const std::string& fileName, IProgress* progress,
                                      CLogFile& log, const CommandRunner& runner,
                                      const CFrontEndSettings& frontEnd = CFrontEndSettings(),
                                      std::string* notice = nullptr);
