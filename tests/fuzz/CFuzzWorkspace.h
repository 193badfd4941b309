#pragma once

#include "base/IMessageBox.h"
#include "support/CTempDir.h"
#include "view/CWorkspace.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class CProgram;

// The working directory of a fuzzing process: a fresh directory under the system's temporary
// directory, entered on first use and removed when the process ends, and a workspace whose log
// goes to /dev/null and whose messages are dropped, so that millions of runs leave nothing
// behind and print nothing.
class CFuzzWorkspace : private IMessageBox {
public:
    // The workspace, created and entered on the first call.
    static CFuzzWorkspace& Get();

    // Writes data to the file name in the directory, replacing it.
    void WriteFile(const std::string& name, const std::uint8_t* data, std::size_t size) const;
    // Copies sample.xml, a small complete front-end document cut down from the front end's
    // output for a header (a namespace, classes with bases, methods, fields, typedefs, an
    // enumeration, derived and fundamental types), to name.
    void WriteSample(const std::string& name) const;
    // The sample document read and sized once with the default settings; owned here.
    CProgram& SampleProgram();

    CWorkspace Workspace{*this};

private:
    CFuzzWorkspace();
    ~CFuzzWorkspace();
    void ShowMessage(const std::string&, const std::string&) override {}

    CTempDir Dir;
    std::unique_ptr<CProgram> Sample; // null until SampleProgram
};
