// Fuzz target: arbitrary bytes as a project file, read as the desktop program's Open reads
// it, with the front end replaced by a stand-in that starts no process: it writes a small
// front-end document to the output file when the project names a plain file (so that it lands
// in the workspace); the output is then read and sized.
#include "CFuzzWorkspace.h"
#include "import/ImportTestSupport.h"

#include "import/LoadProgram.h"
#include "import/RunCommand.h"
#include "model/CProgram.h"

namespace {

int StandInFrontEnd(std::string, const std::string* arguments, int count) {
    const std::string option = "-fxml=";
    if (count < 1 || arguments[0].compare(0, option.size(), option) != 0)
        return 1;
    std::string output = arguments[0].substr(option.size());
    if (output.empty() || output.find('/') != std::string::npos || output == "project.xml")
        return 1;
    CFuzzWorkspace::Get().WriteSample(output);
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzWorkspace::Get().WriteFile("project.xml", data, size);
    SetCommandRunner(StandInFrontEnd);
    CRecordingProgress progress;
    try {
        std::unique_ptr<CProgram> program = LoadProgram("project.xml", &progress);
        program->ComputeSize();
    } catch (const char*) {
    }
    SetCommandRunner(nullptr);
    return 0;
}
