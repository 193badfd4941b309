#pragma once

#include <memory>
#include <string>

class CProgram;
class IProgress;

// The reading steps of a load, shared by the desktop program and the command-line tool: shows
// "Reading XML file", reads the file (compiling a project first), shows "Squarifying...", and
// returns the filled program, not yet sized. Throws "Could not load file" when the reader
// fails (details in the log), and passes on the texts the reader throws. progress is
// borrowed and may be null.
std::unique_ptr<CProgram> LoadProgram(const std::string& fileName, IProgress* progress);
