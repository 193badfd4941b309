#pragma once

#include "base/CConsoleMessageBox.h"
#include "cli/CCommandLine.h"
#include "layout/CFixedViewUnits.h"
#include "view/CViewData.h"
#include "view/CWorkspace.h"

#include <chrono>
#include <memory>
#include <optional>

class CRectArea;

// The command-line tool: loads a file as the desktop program's Open does and runs one
// command on the model.
class CCommandLineTool {
public:
    explicit CCommandLineTool(CCommandLine line);
    ~CCommandLineTool();
    CCommandLineTool(const CCommandLineTool&) = delete;
    CCommandLineTool& operator=(const CCommandLineTool&) = delete;

    // Runs the command, then destroys what it made; returns the exit status (0 done, 1 the file
    // could not be loaded or laid out, which prints the text of CWorkspace::FailureText). With
    // --timings each phase's duration goes to standard error: the start-up, the load's phases,
    // the layout, for a render the GL start-up, the drawing, the read-back and the PNG, and last
    // the exit (destroying the model, the tree, the view and the GL context).
    int Run();

private:
    // Loads the program and gives it to the view data, which sizes it. On failure prints the
    // text the desktop program would show in its "Error loading" box to standard error and
    // returns false.
    bool Load();
    // Lays the sized program out for a canvas of the given pixel width at zoom 1.
    void LayOut(int width);
    int Stats();
    int Dump();
    int Find();
    // Shows the program in a view on an offscreen canvas, selects the --select names as the
    // Find command does, paints once and writes the PNG; 1 when no suitable OpenGL is
    // available or the file cannot be written.
    int Render();
    // Prints one phase's duration when --timings was given.
    void Timing(const char* phase, double milliseconds) const;
    // Destroys the tree and the model.
    void Release();

    using Clock = std::chrono::steady_clock;
    Clock::time_point Started;                 // the tool's construction
    std::optional<Clock::time_point> WorkDone; // a command's last step, when it has local state
    CCommandLine Line;
    CConsoleMessageBox Messages;
    CWorkspace Workspace{Messages};
    CViewData Data; // owns the program
    CFixedViewUnits View{800};
    std::unique_ptr<CRectArea> Treemap; // owned; destroyed before the program
};
