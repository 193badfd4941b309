// Fuzz target: arbitrary bytes as a project file, read as the desktop program's Open reads
// it, with the front end replaced by a stand-in that starts no process: it writes a small
// front-end document to the output file when the project names a plain file (so that it lands
// in the workspace); the output is then read and sized.
#include "CFuzzWorkspace.h"

#include "base/CError.h"
#include "model/CProgram.h"
#include "support/CRecordingProgress.h"

namespace {

CommandResult StandInFrontEnd(const std::string&, const std::vector<std::string>& arguments) {
    const std::string option = "-fxml=";
    const CommandResult failed{1, "", "stand-in: no output\n"};
    if (arguments.empty() || arguments[0].compare(0, option.size(), option) != 0)
        return failed;
    std::string output = arguments[0].substr(option.size());
    if (output.empty() || output.find('/') != std::string::npos || output == "project.xml")
        return failed;
    CFuzzWorkspace::Get().WriteSample(output);
    return CommandResult{0, "", ""};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzWorkspace& fuzz = CFuzzWorkspace::Get();
    fuzz.WriteFile("project.xml", data, size);
    fuzz.Workspace.Runner = StandInFrontEnd;
    CRecordingProgress progress;
    try {
        fuzz.Workspace.Load("project.xml", &progress);
    } catch (const CError&) {
    }
    return 0;
}
