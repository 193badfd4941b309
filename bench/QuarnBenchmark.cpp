// quarn_benchmark FILE: loads, sizes and lays out one front-end output file once and prints
// the duration of every phase and the peak resident memory, one "key value" line each. The
// benchmark script runs it several times per input and reports medians.

#include "app/CModelCounts.h"
#include "import/IProgress.h"
#include "import/LoadProgram.h"
#include "layout/CFixedViewUnits.h"
#include "layout/CProgramRect.h"
#include "layout/CRectArea.h"
#include "model/CProgram.h"

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Remembers when each progress message arrived: the passes announce themselves.
class CMarkingProgress : public IProgress {
public:
    void SetMessage(const char* text) override { Marks.emplace(text, Clock::now()); }
    int GetValue() const override { return Value; }
    void SetValue(int value) override { Value = value; }
    void Refresh() override {}

    std::map<std::string, Clock::time_point> Marks;
    int Value = 0;
};

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
    CMarkingProgress progress;
    std::unique_ptr<CProgram> program;
    Clock::time_point sized;
    try {
        program = LoadProgram(file, &progress);
        program->ComputeSize();
        sized = Clock::now();
    } catch (const char* message) {
        std::fprintf(stderr, "%s\n", message);
        return 1;
    }
    Clock::time_point layoutStart = Clock::now();
    CFixedViewUnits view(1600);
    auto treemap = std::make_unique<CRectArea>(program.get(), &view);
    Clock::time_point layoutEnd = Clock::now();
    treemap->GetRoot()->ComputeScreenRects();
    Clock::time_point screensEnd = Clock::now();
    treemap->GetRoot()->ComputeCushion(true);
    Clock::time_point cushionsEnd = Clock::now();
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);

    double screens = Milliseconds(layoutEnd, screensEnd);
    double cushions = Milliseconds(screensEnd, cushionsEnd);
    double layout = Milliseconds(layoutStart, layoutEnd);
    std::printf("file_bytes %lld\n", static_cast<long long>(status.st_size));
    std::printf("elements %d\n", CModelCounts(*program).Total());
    std::printf("pass1_ms %.3f\n",
                Milliseconds(progress.Marks["Reading nodes"], progress.Marks["Connecting nodes"]));
    std::printf("pass2_ms %.3f\n",
                Milliseconds(progress.Marks["Connecting nodes"], progress.Marks["Squarifying..."]));
    std::printf("sizing_ms %.3f\n", Milliseconds(progress.Marks["Squarifying..."], sized));
    std::printf("layout_ms %.3f\n", layout);
    std::printf("layout_tree_ms %.3f\n", layout - screens - cushions);
    std::printf("layout_screens_ms %.3f\n", screens);
    std::printf("layout_cushions_ms %.3f\n", cushions);
    std::printf("peak_rss_kb %ld\n", usage.ru_maxrss);
    return 0;
}
