// Fuzz target: arbitrary bytes as "settings.cfg": read, written to the log as at start-up,
// saved back in place and under another name, and used to lay out a small program.
#include "CFuzzWorkspace.h"

#include "layout/CFixedViewUnits.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzWorkspace& fuzz = CFuzzWorkspace::Get();
    CProgram& sample = fuzz.SampleProgram();
    fuzz.WriteFile("settings.cfg", data, size);
    CWorkspace& workspace = fuzz.Workspace;
    workspace.LoadSettings("settings.cfg");
    SaveSettings(workspace.Layout, workspace.Looks, "copy.cfg", workspace.Messages);
    SaveSettings(workspace.Layout, workspace.Looks, "", workspace.Messages);
    CFixedViewUnits view(800);
    std::unique_ptr<CRectArea> treemap = workspace.LayOut(sample, view);
    for (int i = -4; i <= 4; ++i) {
        if (CSqRectangle* hit = treemap->GetRoot()->FindAt(i * 0.24f, i * -0.2f))
            hit->GetDescription();
    }
    return 0;
}
