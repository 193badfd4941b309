// quarn_benchmark FILE: loads, sizes and lays out one front-end output file once and prints
// the duration of every phase and the peak resident memory, one "key value" line each. The
// benchmark script runs it several times per input and reports medians.

#include "base/CConsoleMessageBox.h"
#include "cli/CHeadlessViewHost.h"
#include "cli/CTerminalProgress.h"
#include "layout/CFixedViewUnits.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "model/CClassType.h"
#include "model/CModelCounts.h"
#include "model/CProgram.h"
#include "render/CCushionRenderer.h"
#include "render/COffscreenContext.h"
#include "render/CViewRenderer.h"
#include "view/CBasicView.h"
#include "view/CElementFilter.h"
#include "view/CViewData.h"
#include "view/CWorkspace.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// A pixel of the view where its hit test finds the rectangle itself rather than one of its
// children (its border band, or room its members leave free).
bool FindOwnPixel(const CBasicView& view, CSqRectangle* rect, int width, int height, int& px,
                  int& py) {
    CSqRectangle* root = rect->Treemap->GetRoot();
    const CRectPoints& box = rect->GetScreen();
    int left = static_cast<int>((box.MinX + 1) / 2 * width);
    int right = static_cast<int>((box.MaxX + 1) / 2 * width);
    int top = static_cast<int>((1 - box.MaxY) / 2 * height);
    int bottom = static_cast<int>((1 - box.MinY) / 2 * height);
    for (py = top; py <= bottom; ++py) {
        for (px = left; px <= right; ++px) {
            float x, y;
            view.ToView(static_cast<float>(px), static_cast<float>(py), x, y);
            if (root->FindAt(x, y) == rect)
                return true;
        }
    }
    return false;
}

// The class with the most direct subclasses among those whose own rectangle a pointer can
// reach; null when there is none. px and py receive a pixel over it.
CClassType* MostDerivedFrom(const CBasicView& view, CProgram* program, int width, int height,
                            int& px, int& py) {
    const CRectArea& treemap = *view.GetTreemap();
    CElementFilter everyClass;
    everyClass.AddClassCriterion();
    everyClass.SearchProgram(program);
    std::unordered_map<CClassType*, int> subclasses;
    for (ISquarable* element : everyClass.Results) {
        for (CClassType* base : dynamic_cast<CClassType*>(element)->Bases)
            ++subclasses[base];
    }
    std::vector<std::pair<int, CClassType*>> ranked;
    for (const auto& entry : subclasses)
        ranked.emplace_back(entry.second, entry.first);
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second->GetName() < b.second->GetName();
    });
    for (const auto& entry : ranked) {
        CSqRectangle* rect = treemap.RectOf(entry.second);
        if (rect != nullptr && FindOwnPixel(view, rect, width, height, px, py))
            return entry.second;
    }
    return nullptr;
}

// Draws the way the desktop program repaints, and waits until the pixels are there.
double TimedDraw(CViewRenderer& renderer, CBasicView& view) {
    Clock::time_point start = Clock::now();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderer.Draw(view);
    glFinish();
    return Milliseconds(start, Clock::now());
}

// The median of five timings.
template <class TTimed> double Median(TTimed timed) {
    std::vector<double> times;
    for (int i = 0; i < 5; ++i)
        times.push_back(timed());
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The shading floor: one rectangle covering the whole window, lit by the bound program with
// a flat cushion, so that every pixel is shaded exactly once. The cushion's coefficients go
// both into the program parameters and into the texture coordinates the tree's vertices carry.
double ShadingFloor(const CGLFunctions& functions, CLogFile& log, const CLooksSettings& looks) {
    Clock::time_point start = Clock::now();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    CCushionRenderer(functions, log).SetFrameParameters(looks);
    const GLfloat flat[4] = {0, 0, 0, 0}, lit[4] = {0, 0, 1, 0};
    functions.SetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, 0, flat);
    functions.SetEnvParameter(GL_FRAGMENT_PROGRAM_ARB, 1, lit);
    glEnable(GL_FRAGMENT_PROGRAM_ARB);
    glMultiTexCoord4f(GL_TEXTURE1, 0, 0, 0, 0);
    glMultiTexCoord4f(GL_TEXTURE2, 0, 0, 1, 0);
    glColor4f(0.2f, 0, 1, 1);
    glBegin(GL_QUADS);
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (const auto& corner : corners) {
        glTexCoord2f((corner[0] + 1) * 0.5f, (corner[1] + 1) * 0.5f);
        glVertex2f(corner[0], corner[1]);
    }
    glEnd();
    glDisable(GL_FRAGMENT_PROGRAM_ARB);
    glFinish();
    return Milliseconds(start, Clock::now());
}

// The interactive figures at 1600 x 1200 offscreen: the first paint of the tree in a new GL
// context (which also compiles the driver's shaders), the full tree draw (median of repaints
// after a pan, which fill the vertex buffer and draw the whole tree again) and the shading
// floor, a hover over the class with the most subclasses (hit test and relations) and the
// overlay repaint that follows it (median of five), then, with the mouse gone and the view
// panned a little, a resize of the window and a change of looks, each with the paint that
// follows it. Neither may lay the tree out again: a new layout would put the pan back.
void MeasureView(CWorkspace& workspace, CViewData& data) {
    const int width = 1600, height = 1200;
    COffscreenContext gl(workspace.Log);
    if (!gl.Create(width, height) || !gl.InitGL()) {
        std::fprintf(stderr, "no offscreen OpenGL: %s\n", gl.GetError().c_str());
        return;
    }
    gl.BindProgram(NormalProgram);
    CHeadlessViewHost host(width, height);
    CBasicView view(&host, workspace.Log);
    view.SetLayoutSettings(workspace.Layout);
    view.SetLooksSettings(workspace.Looks);
    CViewRenderer renderer(gl.GetFunctions(), workspace.Log);
    glClearColor(1, 1, 1, 1);
    view.Resize(width, height);
    view.SetViewData(&data);
    std::printf("render_ms %.3f\n", TimedDraw(renderer, view));
    // The full tree draw and the floor in pairs, so that both meet the same load of the
    // machine; the ratio is the median of the pairs' ratios.
    std::vector<double> draws, floors, ratios;
    for (int i = 0; i < 5; ++i) {
        view.Drag(0, 0, 0, 0); // a pan by nothing: the whole tree is drawn again
        draws.push_back(TimedDraw(renderer, view));
        floors.push_back(ShadingFloor(gl.GetFunctions(), workspace.Log, workspace.Looks));
        ratios.push_back(draws.back() / floors.back());
    }
    for (auto* figures : {&draws, &floors, &ratios})
        std::sort(figures->begin(), figures->end());
    std::printf("draw_ms %.3f\n", draws[2]);
    std::printf("floor_ms %.3f\n", floors[2]);
    std::printf("draw_floor %.3f\n", ratios[2]);
    int px = 0, py = 0;
    if (MostDerivedFrom(view, data.GetProgram(), width, height, px, py) == nullptr)
        return;
    Clock::time_point start = Clock::now();
    view.MouseMove(px, py);
    std::printf("hover_ms %.3f\n", Milliseconds(start, Clock::now()));
    std::printf("hover_marked %zu\n", view.GetSelection().HoverRelations.Rects.size());
    std::printf("hover_arrows %zu\n", view.GetSelection().HoverRelations.Arrows.size());
    std::printf("overlay_ms %.3f\n", Median([&] { return TimedDraw(renderer, view); }));

    // Without the hover, panned a little: a new layout would put the pan back.
    view.MouseMove(-1, -1);
    view.Drag(0, 0, 3, 2);
    TimedDraw(renderer, view);
    const CCamera panned = view.GetCamera();
    int renders = renderer.GetTreeRenders();
    start = Clock::now();
    glViewport(0, 0, width * 7 / 8, height * 7 / 8);
    view.Resize(width * 7 / 8, height * 7 / 8);
    double resize = Milliseconds(start, Clock::now()) + TimedDraw(renderer, view);
    std::printf("resize_ms %.3f\n", resize);
    CLooksSettings looks = workspace.Looks;
    looks.LightX += 0.25f;
    looks.CushionH *= 1.1f;
    start = Clock::now();
    view.SetLooksSettings(looks);
    double restyle = Milliseconds(start, Clock::now()) + TimedDraw(renderer, view);
    std::printf("looks_ms %.3f\n", restyle);
    // New light alone (the Settings dialog's light sliders) leaves the cushions' shape.
    looks.LightY += 0.25f;
    start = Clock::now();
    view.SetLooksSettings(looks);
    double relight = Milliseconds(start, Clock::now()) + TimedDraw(renderer, view);
    std::printf("light_ms %.3f\n", relight);
    // Each of the three paints renders the tree once, on the layout it had.
    std::printf("resize_looks_relayout %d\n", view.GetCamera().PanX != panned.PanX ||
                                                  view.GetCamera().PanY != panned.PanY ||
                                                  renderer.GetTreeRenders() != renders + 3);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: quarn_benchmark FILE\n");
        return 2;
    }
    std::string file = argv[1];
    struct stat status;
    if (stat(file.c_str(), &status) != 0) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
    }
    CTerminalProgress progress(false); // records when each phase announced itself
    CConsoleMessageBox messages;
    CWorkspace workspace(messages);
    CViewData data;
    Clock::time_point sized;
    try {
        data.SetProgram(workspace.Load(file, &progress));
        sized = Clock::now();
    } catch (...) {
        std::fprintf(stderr, "%s\n", CWorkspace::FailureText(file).c_str());
        return 1;
    }
    CProgram* program = data.GetProgram();
    Clock::time_point layoutStart = Clock::now();
    CFixedViewUnits view(1600);
    std::unique_ptr<CRectArea> treemap = workspace.LayOut(*program, view);
    Clock::time_point layoutEnd = Clock::now();
    // Every rectangle's screen box and cushion, as the command-line tool's dump asks for them.
    treemap->ComputeScreen();
    std::vector<const CSqRectangle*> pending{treemap->GetRoot()};
    while (!pending.empty()) {
        const CSqRectangle* rect = pending.back();
        pending.pop_back();
        rect->GetCushion();
        for (const auto& child : rect->Children)
            pending.push_back(child.get());
    }
    Clock::time_point screensEnd = Clock::now();
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);

    // The treemap's construction lays out the tree; screen boxes and cushions are computed as
    // they are asked for, here all of them.
    double tree = Milliseconds(layoutStart, layoutEnd);
    double screens = Milliseconds(layoutEnd, screensEnd);
    std::printf("file_bytes %lld\n", static_cast<long long>(status.st_size));
    std::printf("elements %d\n", CModelCounts(*program).Total());
    std::printf("pass1_ms %.3f\n", Milliseconds(progress.TimeOf("Reading nodes"),
                                                progress.TimeOf("Connecting nodes")));
    std::printf("pass2_ms %.3f\n", Milliseconds(progress.TimeOf("Connecting nodes"),
                                                progress.TimeOf("Squarifying...")));
    std::printf("sizing_ms %.3f\n", Milliseconds(progress.TimeOf("Squarifying..."), sized));
    std::printf("layout_ms %.3f\n", tree + screens);
    std::printf("layout_tree_ms %.3f\n", tree);
    std::printf("layout_screens_ms %.3f\n", screens);
    std::printf("peak_rss_kb %ld\n", usage.ru_maxrss);
    treemap.reset();
    MeasureView(workspace, data);
    return 0;
}
