// Fuzz target: arbitrary bytes as a front-end document, through everything the desktop
// program does with an opened file: read, sized, laid out for an 800-pixel view with screen
// boxes and cushions, every rectangle described, hit-tested across the view, searched, both
// class queries run, the looks changed, and everything destroyed.
#include "CFuzzWorkspace.h"
#include "ExploreProgram.h"

#include "base/CError.h"
#include "model/CProgram.h"
#include "support/CRecordingProgress.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzWorkspace& fuzz = CFuzzWorkspace::Get();
    fuzz.WriteFile("input.xml", data, size);
    CRecordingProgress progress;
    std::unique_ptr<CProgram> program;
    try {
        program = fuzz.Workspace.Load("input.xml", &progress);
    } catch (const CError&) {
        return 0;
    }
    ExploreProgram(fuzz.Workspace, *program);
    return 0;
}
