// Fuzz target: arbitrary bytes as "settings.cfg": read, written to the log as at start-up,
// saved back in place and under another name, and used to lay out a small program.
#include "CFuzzWorkspace.h"

#include "app/CAppContext.h"
#include "layout/CFixedViewUnits.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzWorkspace& workspace = CFuzzWorkspace::Get();
    CProgram* sample = workspace.SampleProgram();
    workspace.WriteFile("settings.cfg", data, size);
    CLayoutSettings layout;
    CLooksSettings looks;
    ReadSettings(layout, looks, "settings.cfg");
    DumpLayoutSettings(layout);
    DumpLooksSettings(looks);
    SaveSettings(layout, looks, "copy.cfg");
    SaveSettings(layout, looks, "");

    CAppContext::SetSettings(&layout, &looks);
    {
        CFixedViewUnits view(800);
        CRectArea treemap(sample, &view);
        for (int i = -4; i <= 4; ++i) {
            if (CSqRectangle* hit = treemap.GetRoot()->FindAt(i * 0.24f, i * -0.2f))
                hit->GetDescription();
        }
    }
    CAppContext::SetSettings(nullptr, nullptr);
    return 0;
}
