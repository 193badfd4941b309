// Fuzz target: arbitrary bytes as "settings.cfg": read, written to the log as at start-up,
// saved back in place and under another name, and used to lay out and explore a small program.
#include "CFuzzWorkspace.h"
#include "ExploreProgram.h"

#include "settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzWorkspace& fuzz = CFuzzWorkspace::Get();
    CProgram& sample = fuzz.SampleProgram();
    fuzz.WriteFile("settings.cfg", data, size);
    CWorkspace& workspace = fuzz.Workspace;
    workspace.LoadSettings("settings.cfg");
    SaveSettings(workspace.Layout, workspace.Looks, "copy.cfg", workspace.Messages);
    SaveSettings(workspace.Layout, workspace.Looks, "", workspace.Messages);
    ExploreProgram(workspace, sample);
    return 0;
}
