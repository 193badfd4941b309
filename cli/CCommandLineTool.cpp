#include "cli/CCommandLineTool.h"

#include "cli/CHeadlessViewHost.h"
#include "cli/CTerminalProgress.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "model/CModelCounts.h"
#include "model/CProgram.h"
#include "render/COffscreenContext.h"
#include "render/CViewRenderer.h"
#include "render/FragmentPrograms.h"
#include "render/GLErrors.h"
#include "render/PngFile.h"
#include "view/CBasicView.h"
#include "view/CElementFilter.h"

#include <chrono>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

} // namespace

CCommandLineTool::CCommandLineTool(CCommandLine line)
    : Started(Clock::now()), Line(std::move(line)) {
    if (!Workspace.Log.Open(Line.LogFile))
        std::fprintf(stderr, "quarncode-cli: Could not create log file %s\n", Line.LogFile.c_str());
    Workspace.LoadSettings(Line.SettingsFile);
    if (Line.Jobs >= 0)
        Workspace.FrontEnd.Jobs = Line.Jobs;
    Workspace.FrontEnd.QueryDrivers.insert(Workspace.FrontEnd.QueryDrivers.end(),
                                           Line.QueryDrivers.begin(), Line.QueryDrivers.end());
}

CCommandLineTool::~CCommandLineTool() {
    Release();
}

void CCommandLineTool::Release() {
    Treemap.reset();
    Data.Clear();
}

int CCommandLineTool::Run() {
    Timing("start-up", Milliseconds(Started, Clock::now()));
    int status = 1;
    // Laying out can run out of memory too: it ends as a failed load does, not in an abort.
    try {
        if (!Load())
            return 1;
        status = Line.Command == "stats"    ? Stats()
                 : Line.Command == "dump"   ? Dump()
                 : Line.Command == "render" ? Render()
                                            : Find();
    } catch (...) {
        std::fprintf(stderr, "%s\n", CWorkspace::FailureText(Line.File).c_str());
        return 1;
    }
    // What the command leaves behind goes before the figure: the model, the tree and, after a
    // render, the view and the GL context.
    std::fflush(stdout);
    Clock::time_point done = Clock::now();
    Release();
    Timing("exit", Milliseconds(WorkDone ? *WorkDone : done, Clock::now()));
    return status;
}

bool CCommandLineTool::Load() {
    CTerminalProgress progress(isatty(STDERR_FILENO) != 0);
    progress.SetValue(0);
    progress.Refresh();
    Clock::time_point sizingEnd;
    try {
        CLoadRequest request;
        request.Scope = Line.Scope;
        Data.SetProgram(Workspace.Load(Line.File, &progress, request));
        sizingEnd = Clock::now();
    } catch (...) {
        std::string text = CWorkspace::FailureText(Line.File);
        progress.End();
        std::fprintf(stderr, "%s\n", text.c_str());
        return false;
    }
    progress.End();
    if (!Workspace.Notice.empty())
        std::fprintf(stderr, "%s\n", Workspace.Notice.c_str());
    if (progress.Saw("Reading compilation database"))
        Timing("compile and merge", Milliseconds(progress.TimeOf("Reading compilation database"),
                                                 progress.TimeOf("Reading nodes")));
    if (progress.Saw("Compiling project"))
        Timing("compile", Milliseconds(progress.TimeOf("Compiling project"),
                                       progress.TimeOf("Reading nodes")));
    Timing("pass 1",
           Milliseconds(progress.TimeOf("Reading nodes"), progress.TimeOf("Connecting nodes")));
    Timing("pass 2",
           Milliseconds(progress.TimeOf("Connecting nodes"), progress.TimeOf("Squarifying...")));
    Timing("sizing", Milliseconds(progress.TimeOf("Squarifying..."), sizingEnd));
    return true;
}

void CCommandLineTool::Timing(const char* phase, double milliseconds) const {
    if (Line.Timings)
        std::fprintf(stderr, "%s: %.1f ms\n", phase, milliseconds);
}

void CCommandLineTool::LayOut(int width) {
    View = CFixedViewUnits(width);
    Clock::time_point start = Clock::now();
    Treemap = Workspace.LayOut(*Data.GetProgram(), View);
    Timing("layout", Milliseconds(start, Clock::now()));
}

int CCommandLineTool::Stats() {
    const CProgram* program = Data.GetProgram();
    CModelCounts counts(*program);
    std::printf("namespaces: %d\n", counts.Namespaces);
    std::printf("classes: %d\n", counts.Classes);
    std::printf("functions: %d\n", counts.Functions);
    std::printf("fields: %d\n", counts.Fields);
    std::printf("typedefs: %d\n", counts.Typedefs);
    std::printf("enumerations: %d\n", counts.Enumerations);
    std::printf("fundamental_types: %d\n", counts.FundamentalTypes);
    std::printf("derived_types: %d\n", counts.DerivedTypes);
    std::printf("files: %d\n", counts.Files);
    std::printf("program_size: %d\n", program->GetSize());
    std::printf("program_lines: %d\n", program->GetLines());
    std::printf("files_size: %d\n", program->FilesSize);
    return 0;
}

int CCommandLineTool::Dump() {
    LayOut(800);
    // Depth first, children in list order, with an explicit stack (deep trees are fine).
    std::vector<const CSqRectangle*> pending{Treemap->GetRoot()};
    while (!pending.empty()) {
        const CSqRectangle* rect = pending.back();
        pending.pop_back();
        ISquarable* element = rect->GetElement();
        const CRectPoints& screen = rect->GetScreen();
        std::printf("%d\t%s\t%.6g %.6g %.6g %.6g\t%.6g %.6g %.6g %.6g\t%.6g\t%s\n", rect->Depth,
                    rect->GetClassName(), rect->MinX, rect->MinY, rect->MaxX, rect->MaxY,
                    screen.MinX, screen.MinY, screen.MaxX, screen.MaxY, rect->Area,
                    element != nullptr ? element->GetName().c_str() : "");
        for (auto child = rect->Children.rbegin(); child != rect->Children.rend(); ++child)
            pending.push_back(child->get());
    }
    return 0;
}

int CCommandLineTool::Find() {
    LayOut(800);
    CElementFilter filter;
    CNameCriterion* criterion = filter.AddNameCriterion();
    criterion->Name = Line.Name;
    criterion->WholeName = !Line.Substring;
    criterion->MatchCase = !Line.IgnoreCase;
    filter.SearchProgram(Data.GetProgram());
    int found = 0;
    for (ISquarable* element : filter.Results) {
        CSqRectangle* rect = Treemap->RectOf(element);
        if (rect == nullptr)
            continue;
        std::printf("%s\n", rect->GetDescription().c_str());
        ++found;
    }
    std::printf("found: %d\n", found);
    return 0;
}

int CCommandLineTool::Render() {
    Clock::time_point start = Clock::now();
    COffscreenContext gl(Workspace.Log);
    if (!gl.Create(Line.Width, Line.Height))
        std::fprintf(stderr, "quarncode-cli: %s\n", gl.GetError().c_str());
    if (!gl.InitGL()) {
        std::fprintf(stderr,
                     "Opengl initialization failed: Could not load the 'ARB fragment program' "
                     "extension\n");
        return 1;
    }
    gl.BindProgram(Line.Shader == "specular" ? SpecularProgram
                   : Line.Shader == "debug"  ? DebugProgram
                                             : NormalProgram);
    Timing("gl start-up", Milliseconds(start, Clock::now()));
    // The desktop program's window, step by step: the canvas's size event, the view shown the
    // loaded document, the selection made as Find makes it, one paint.
    CHeadlessViewHost host(Line.Width, Line.Height);
    CBasicView view(&host, Workspace.Log);
    view.SetLayoutSettings(Workspace.Layout);
    // Labels only when asked for, whatever the settings say: the pictures stay as they were.
    CLooksSettings looks = Workspace.Looks;
    looks.Labels = Line.Labels;
    view.SetLooksSettings(looks);
    CViewRenderer renderer(gl.GetFunctions(), Workspace.Log);
    glClearColor(1, 1, 1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    view.Resize(Line.Width, Line.Height);
    start = Clock::now();
    view.SetViewData(&Data);
    Timing("layout", Milliseconds(start, Clock::now()));
    for (const std::string& name : Line.Selections) {
        CElementFilter filter;
        filter.AddNameCriterion()->Name = name;
        if (view.FindElements(filter) == 0)
            std::fprintf(stderr, "quarncode-cli: nothing named %s to select\n", name.c_str());
    }
    start = Clock::now();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderer.Draw(view);
    glFinish();
    CheckGLError(Workspace.Log);
    Timing("draw", Milliseconds(start, Clock::now()));
    start = Clock::now();
    std::vector<unsigned char> pixels = gl.ReadPixels();
    Timing("read-back", Milliseconds(start, Clock::now()));
    start = Clock::now();
    std::string error;
    bool written = WritePng(Line.Output, Line.Width, Line.Height, pixels, &error);
    Timing("png", Milliseconds(start, Clock::now()));
    WorkDone = Clock::now();
    if (!written) {
        std::fprintf(stderr, "quarncode-cli: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
