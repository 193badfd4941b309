#pragma once

#include "import/RunCommand.h"

#include <memory>
#include <string>

class CLogFile;
class CProgram;
class IProgress;

// The reading steps of a load: shows "Reading XML file", reads the file (compiling a project
// first, with runner starting its front end), shows "Squarifying...", and returns the filled
// program, not yet sized. Throws CError "Could not load file" followed by the reader's cause
// (CGccXmlReader::GetCause) on the lines below when the reader fails (details in the log), and
// passes on the errors the reader throws. progress is borrowed and may be null.
std::unique_ptr<CProgram> LoadProgram(const std::string& fileName, IProgress* progress,
                                      CLogFile& log, const CommandRunner& runner);
