#include "CFuzzWorkspace.h"

#include "model/CProgram.h"

#include <filesystem>
#include <fstream>

CFuzzWorkspace& CFuzzWorkspace::Get() {
    static CFuzzWorkspace workspace;
    return workspace;
}

CFuzzWorkspace::CFuzzWorkspace() {
    Workspace.Log.Open("/dev/null");
    // A project among the inputs starts nothing unless a target says otherwise.
    Workspace.Runner = [](const std::string&, const std::vector<std::string>&) {
        return CommandResult{1, "", ""};
    };
}

CFuzzWorkspace::~CFuzzWorkspace() = default;

void CFuzzWorkspace::WriteFile(const std::string& name, const std::uint8_t* data,
                               std::size_t size) const {
    std::ofstream out(Dir.Path() + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void CFuzzWorkspace::WriteSample(const std::string& name) const {
    std::error_code failed; // a name such as "." takes no file, as a front end would fail to write
    std::filesystem::copy_file(QUARN_SOURCE_DIR "/tests/fuzz/sample.xml", Dir.Path() + "/" + name,
                               std::filesystem::copy_options::overwrite_existing, failed);
}

CProgram& CFuzzWorkspace::SampleProgram() {
    if (!Sample) {
        WriteSample("sample.xml");
        Sample = Workspace.Load("sample.xml", nullptr);
    }
    return *Sample;
}
