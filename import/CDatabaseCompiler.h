#pragma once

#include "settings/CFrontEndSettings.h"

#include <memory>
#include <string>

class CCacheDirectory;
class CLogFile;
class IProgress;

// Compiles a compilation database into one front-end document: runs the front end (CastXML)
// on every entry through Ninja, in the entry's directory, with the entry's compiler when the
// allowlist lets it run and the options that change what the compiler sees; then merges the
// outputs (CGccXmlMerger). Everything lives in the database's cache directory: the build file,
// one output per distinct command (named after the command), and the merged document (named
// after the outputs it holds), which is made again only when an output is newer. The cache
// directory stays locked until the compiler is destroyed, so read the document before that.
class CDatabaseCompiler {
public:
    // log and progress are borrowed; progress may be null.
    CDatabaseCompiler(CLogFile& log, IProgress* progress, CFrontEndSettings settings);
    ~CDatabaseCompiler();
    CDatabaseCompiler(const CDatabaseCompiler&) = delete;
    CDatabaseCompiler& operator=(const CDatabaseCompiler&) = delete;

    // Compiles the database; returns the merged document's path. An entry that cannot be
    // compiled (the database's entry is broken, its directory or source is missing, its front
    // end fails) is left out: the log says why, and notice receives "K of N files could not be
    // compiled; see LOG" (empty when all were). Throws CError when the database cannot be read
    // (the text names the fault), "Could not open Xml file" when no entry could be compiled,
    // and "Loading cancelled" when the user cancelled.
    std::string Compile(const std::string& databaseFile, std::string& notice);

    // The front-end runs of the last Compile (none when every output was up to date).
    int GetRuns() const { return Runs; }

private:
    CLogFile& Log;
    IProgress* Progress; // borrowed; may be null
    CFrontEndSettings Settings;
    std::unique_ptr<CCacheDirectory> Cache; // held (and locked) until destroyed
    int Runs = 0;
};
