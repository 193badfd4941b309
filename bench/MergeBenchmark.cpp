// quarn_merge_benchmark OUT DIRECTORY OUTPUT...: merges front-end outputs (relative file names
// taken from DIRECTORY) into OUT as opening a compilation database does, and prints the
// merge's duration and the peak resident memory of the process, one "key value" line each.
// bench/run compares them with two xmllint passes over the outputs and with loading OUT.

#include "base/CLogFile.h"
#include "import/CGccXmlMerger.h"

#include <chrono>
#include <cstdio>
#include <sys/resource.h>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "Usage: quarn_merge_benchmark OUT DIRECTORY OUTPUT...\n");
        return 2;
    }
    CLogFile log;
    log.Open("/dev/stderr");
    auto start = std::chrono::steady_clock::now();
    CGccXmlMerger merger(argv[1], log);
    int merged = 0;
    for (int i = 3; i < argc; ++i)
        merged += merger.Add(argv[i], argv[2]) ? 1 : 0;
    if (!merger.Finish())
        return 1;
    double milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    std::printf("outputs %d\n", merged);
    std::printf("merge_ms %.3f\n", milliseconds);
    std::printf("peak_rss_kb %ld\n", usage.ru_maxrss);
    return merged == argc - 3 ? 0 : 1;
}
