#pragma once

#include "base/CLogFile.h"
#include "import/RunCommand.h"
#include "settings/CFrontEndSettings.h"
#include "settings/CLayoutSettings.h"
#include "settings/CLooksSettings.h"

#include <memory>
#include <string>

class CProgram;
class CRectArea;
class IMessageBox;
class IProgress;
class IViewUnits;

// What every program that loads files shares: the run's log, the current settings, the way
// messages reach the user and the way a project's front end is started; and the load pipeline
// written once for all of them: read, size, lay out. The desktop program, the command-line
// tool and the benchmark each own one.
class CWorkspace {
public:
    // messages is borrowed; runner starts the front end of a project.
    explicit CWorkspace(IMessageBox& messages, CommandRunner runner = RunCommand);
    CWorkspace(const CWorkspace&) = delete;
    CWorkspace& operator=(const CWorkspace&) = delete;

    // Reads the settings file into Layout, Looks and FrontEnd (the defaults when it is missing
    // or unreadable; FrontEnd keeps its cache directory) and logs the first two records
    // ("Config file loaded, layout: ", "..., looks: "); a missing file is logged as "Config
    // file not found" and the records as "Default settings, layout: " and "..., looks: ".
    void LoadSettings(const std::string& fileName);
    // Reads fileName (a project or a compilation database is compiled first) and sizes the
    // model: "Reading XML file", the reader's steps and "Squarifying..." go to progress
    // (borrowed, may be null). Throws CError with the text the user is shown: "Could not load
    // file" and the reader's texts, or the sizing's with "File: <fileName>" inserted below its
    // first line; each says its cause on the lines below. Notice receives what the user should
    // be shown about a load that succeeded; the caller shows it.
    std::unique_ptr<CProgram> Load(const std::string& fileName, IProgress* progress);
    // Lays a sized program out for a view with the current settings; program and view must
    // outlive the result.
    std::unique_ptr<CRectArea> LayOut(CProgram& program, const IViewUnits& view) const;

    // The text a load boundary shows for the exception being handled while loading fileName
    // (call it inside a catch block): a CError's own text; for anything else "Could not load
    // file", "File: <fileName>" and the cause, one line each: "Out of memory" for
    // std::bad_alloc, the text of another std::exception, "An unknown error" otherwise.
    static std::string FailureText(const std::string& fileName);

    CLogFile Log; // open it before use; entries are dropped until then
    IMessageBox& Messages;
    CommandRunner Runner;
    CLayoutSettings Layout;
    CLooksSettings Looks;
    CFrontEndSettings FrontEnd;
    // After a load that succeeded: what the user should know ("3 of 120 files could not be
    // compiled; see log.txt"), empty when nothing.
    std::string Notice;
};
