// Fuzz target: arbitrary bytes as one translation unit's front-end output, merged between two
// copies of a small complete document as a compilation database's outputs are merged; the
// merged document is then read, sized and explored as the desktop program does.
#include "CFuzzWorkspace.h"
#include "ExploreProgram.h"

#include "base/CError.h"
#include "import/CGccXmlMerger.h"
#include "model/CProgram.h"

#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzWorkspace& fuzz = CFuzzWorkspace::Get();
    fuzz.WriteSample("sample.xml");
    fuzz.WriteFile("input.xml", data, size);
    std::string directory = std::filesystem::current_path().string();
    {
        CGccXmlMerger merger("merged.xml", fuzz.Workspace.Log);
        for (const char* output : {"sample.xml", "input.xml", "sample.xml"})
            merger.Add(output, directory);
        if (!merger.Finish())
            return 0;
    }
    try {
        std::unique_ptr<CProgram> program = fuzz.Workspace.Load("merged.xml", nullptr);
        ExploreProgram(fuzz.Workspace, *program);
    } catch (const CError&) {
    }
    return 0;
}
