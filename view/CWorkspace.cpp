#include "view/CWorkspace.h"

#include "base/CError.h"
#include "import/LoadProgram.h"
#include "layout/CRectArea.h"
#include "model/CProgram.h"
#include "model/CSizing.h"
#include "settings/SettingsFile.h"

CWorkspace::CWorkspace(IMessageBox& messages, CommandRunner runner)
    : Messages(messages), Runner(std::move(runner)) {}

void CWorkspace::LoadSettings(const std::string& fileName) {
    ReadSettings(Layout, Looks, fileName);
    ReadFrontEndSettings(FrontEnd, fileName);
    Log.Write("Config file loaded, layout: ", DumpLayoutSettings(Layout), "");
    Log.Write("Config file loaded, looks: ", DumpLooksSettings(Looks), "");
}

std::unique_ptr<CProgram> CWorkspace::Load(const std::string& fileName, IProgress* progress) {
    Notice.clear();
    std::string notice;
    std::unique_ptr<CProgram> program =
        LoadProgram(fileName, progress, Log, Runner, FrontEnd, &notice);
    program->ComputeSize(CSizing(Log, Layout.UseFunctionLength));
    Notice = notice;
    return program;
}

std::unique_ptr<CRectArea> CWorkspace::LayOut(CProgram& program, const IViewUnits& view) const {
    return std::make_unique<CRectArea>(program, view, Layout, Looks);
}

std::string CWorkspace::FailureText() {
    try {
        throw;
    } catch (const CError& error) {
        return error.what();
    } catch (...) {
        return "Could not load file";
    }
}
