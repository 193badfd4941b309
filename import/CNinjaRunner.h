#pragma once

#include <string>
#include <vector>

class CLogFile;
class IProgress;

// One command of a build, as an edge of a Ninja build file.
struct CNinjaEdge {
    std::string Output;      // the file the command makes (absolute path)
    std::string Command;     // a /bin/sh command line; writes a Make-style dependency file
                             // named Output + ".d"
    std::string Description; // what the progress shows while it runs
};

// Runs commands through Ninja: a build file with one edge per command, "ninja -k 0 -j N" in its
// directory. Ninja runs them in parallel, runs only those whose output is missing or older than
// a file the dependency file names (or whose command changed), and keeps going after a failure.
class CNinjaRunner {
public:
    enum class Result {
        Finished,  // ninja ended; some commands may have failed (see their outputs)
        Failed,    // ninja could not be started, or the build file not written
        Cancelled, // the user cancelled; ninja and its commands were stopped
    };

    // log and progress are borrowed; progress may be null.
    CNinjaRunner(CLogFile& log, IProgress* progress);

    // Writes directory/build.ninja with one edge per command (replaced in one step; left alone
    // when it already holds the same text). False (logged) when it cannot be written.
    bool WriteBuildFile(const std::string& directory, const std::vector<CNinjaEdge>& edges);

    // Runs ninja in directory with jobs commands at once. Each finished command shows
    // "Compiling k of n: DESCRIPTION" and moves the gauge from gaugeFrom towards gaugeTo (at
    // most twenty times a second); what ninja says besides goes to the log. Asks the progress
    // about cancelling about ten times a second; on yes stops ninja, which stops its commands.
    Result Run(const std::string& directory, int jobs, int gaugeFrom, int gaugeTo);

    // The commands ninja ran in the last Run (none when everything was up to date).
    int GetRan() const { return Ran; }

    // A text as one Ninja path: blanks, colons and dollars escaped.
    static std::string EscapePath(const std::string& path);

private:
    // Handles one line of ninja's output.
    void OnLine(const std::string& line, int gaugeFrom, int gaugeTo, bool force);

    CLogFile& Log;
    IProgress* Progress; // borrowed; may be null
    int Ran = 0;
    long long LastShown = 0; // when the progress last changed, in milliseconds
};
