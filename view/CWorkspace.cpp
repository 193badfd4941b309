#include "view/CWorkspace.h"

#include "base/CError.h"
#include "import/LoadProgram.h"
#include "layout/CRectArea.h"
#include "model/CProgram.h"
#include "model/CSizing.h"
#include "settings/SettingsFile.h"

#include <algorithm>
#include <filesystem>
#include <new>

CWorkspace::CWorkspace(IMessageBox& messages, CommandRunner runner)
    : Messages(messages), Runner(std::move(runner)) {}

void CWorkspace::LoadSettings(const std::string& fileName) {
    ReadSettings(Layout, Looks, fileName);
    ReadFrontEndSettings(FrontEnd, fileName);
    std::error_code error;
    if (!std::filesystem::exists(fileName, error) && !error) {
        Log.Write("Config file not found", fileName + ", the defaults are used", "");
        Log.Write("Default settings, layout: ", DumpLayoutSettings(Layout), "");
        Log.Write("Default settings, looks: ", DumpLooksSettings(Looks), "");
        return;
    }
    Log.Write("Config file loaded, layout: ", DumpLayoutSettings(Layout), "");
    Log.Write("Config file loaded, looks: ", DumpLooksSettings(Looks), "");
}

std::unique_ptr<CProgram> CWorkspace::Load(const std::string& fileName, IProgress* progress) {
    Notice.clear();
    std::string notice;
    std::unique_ptr<CProgram> program =
        LoadProgram(fileName, progress, Log, Runner, FrontEnd, &notice);
    try {
        program->ComputeSize(CSizing(Log, Layout.UseFunctionLength));
    } catch (const CError& error) {
        // The file's name goes below the sizing's message, above its cause.
        std::string text = error.what();
        throw CError(text.insert(std::min(text.find('\n'), text.size()), "\nFile: " + fileName));
    }
    Notice = notice;
    return program;
}

std::unique_ptr<CRectArea> CWorkspace::LayOut(CProgram& program, const IViewUnits& view) const {
    return std::make_unique<CRectArea>(program, view, Layout, Looks);
}

std::string CWorkspace::FailureText(const std::string& fileName) {
    const std::string failed = "Could not load file\nFile: " + fileName + "\n";
    try {
        throw;
    } catch (const CError& error) {
        return error.what();
    } catch (const std::bad_alloc&) {
        return failed + "Out of memory";
    } catch (const std::exception& error) {
        return failed + error.what();
    } catch (...) {
        return failed + "An unknown error";
    }
}
