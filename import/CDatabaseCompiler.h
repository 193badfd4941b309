#pragma once

#include "settings/CFrontEndSettings.h"

#include <memory>
#include <string>
#include <vector>

class CCacheDirectory;
class CLogFile;
class IProgress;
struct CCompileEntry;

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
    // One front-end run and the entries it stands for (all with the same command).
    struct CJob {
        std::string Output; // the output file, in the cache directory
        std::string Directory;
        std::string Description; // the entry's file, for the progress
        std::string Command;     // the shell command that makes Output
        std::vector<const CCompileEntry*> Entries;
    };

    // The runs the entries need, one per distinct command; an entry that cannot run fails.
    std::vector<CJob> Plan(const std::vector<CCompileEntry>& entries, const std::string& castxml);
    // Runs the front end through Ninja where an output is missing or out of date. Throws
    // CError "Loading cancelled".
    void RunAll(const std::vector<CJob>& jobs);
    // The merged document of the outputs, made when there is none newer than every output.
    // Throws CError "Loading cancelled", and "Could not open Xml file" when none merges.
    std::string Merge(const std::vector<const CJob*>& compiled);
    // Logs why an entry cannot be compiled and counts it.
    void Fail(const CCompileEntry& entry, const std::string& reason);

    CLogFile& Log;
    IProgress* Progress; // borrowed; may be null
    CFrontEndSettings Settings;
    std::unique_ptr<CCacheDirectory> Cache; // held (and locked) until destroyed
    int Runs = 0;
    int Failed = 0; // entries that could not be compiled in the last Compile
};
