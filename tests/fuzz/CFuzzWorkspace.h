#pragma once

#include "app/CLogFile.h"
#include "support/CTempDir.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class CProgram;

// The working directory of a fuzzing process: a fresh directory under the system's temporary
// directory, entered on first use and removed when the process ends. The core's log is
// written to /dev/null and its messages are dropped, so that millions of runs leave nothing
// behind and print nothing.
class CFuzzWorkspace {
public:
    // The workspace, created and entered on the first call.
    static CFuzzWorkspace& Get();

    // Writes data to the file name in the workspace, replacing it.
    void WriteFile(const std::string& name, const std::uint8_t* data, std::size_t size) const;
    // Writes a small, complete front-end document (a namespace, classes with bases, methods,
    // fields, typedefs, an enumeration, derived and fundamental types) to name.
    void WriteSample(const std::string& name) const;
    // The sample document read and sized once with the default settings; owned by the
    // workspace.
    CProgram* SampleProgram();

private:
    CFuzzWorkspace();
    ~CFuzzWorkspace();

    CTempDir Dir;
    CLogFile Log;
    std::unique_ptr<CProgram> Sample; // owned; null until SampleProgram
};
