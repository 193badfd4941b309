// Fuzz target: arbitrary bytes as a front-end document, through everything the desktop
// program does with an opened file: read, sized, laid out for an 800-pixel view with screen
// boxes and cushions, every rectangle described, hit-tested across the view, searched, both
// class queries run, the looks changed, and everything destroyed.
#include "CFuzzWorkspace.h"
#include "import/ImportTestSupport.h"
#include "support/ExploreProgram.h"

#include "import/LoadProgram.h"
#include "model/CProgram.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzWorkspace::Get().WriteFile("input.xml", data, size);
    CRecordingProgress progress;
    std::unique_ptr<CProgram> program;
    try {
        program = LoadProgram("input.xml", &progress);
        program->ComputeSize();
    } catch (const char*) {
        return 0;
    }
    ExploreProgram(program.get());
    return 0;
}
