// Prints how long loading and sizing front-end files takes, and how big their models are.
// Usage: quarn_import_benchmark [file.xml ...] (default: the build's fixtures).
#include "import/CGccXmlReader.h"
#include "model/CProgram.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> files(argv + 1, argv + argc);
    if (files.empty()) {
        for (const char* name : {"iostream", "vector", "map", "string", "wx"})
            files.push_back(QUARN_BINARY_DIR "/fixtures/" + std::string(name) + ".xml");
    }
    std::printf("%-12s %10s %9s %9s %9s %9s\n", "file", "bytes", "types", "files", "load ms",
                "size ms");
    for (const std::string& file : files) {
        using Clock = std::chrono::steady_clock;
        auto program = std::make_unique<CProgram>();
        Clock::time_point start = Clock::now();
        bool loaded = CGccXmlReader(file, program.get(), nullptr).Load();
        Clock::time_point read = Clock::now();
        if (loaded)
            program->ComputeSize();
        Clock::time_point sized = Clock::now();
        std::FILE* in = std::fopen(file.c_str(), "rb");
        long bytes = 0;
        if (in != nullptr) {
            std::fseek(in, 0, SEEK_END);
            bytes = std::ftell(in);
            std::fclose(in);
        }
        std::string name = file.substr(file.find_last_of('/') + 1);
        std::printf("%-12s %10ld %9zu %9zu %9.1f %9.1f%s\n", name.c_str(), bytes,
                    program->Elements.size(), program->SourceFiles.size(),
                    std::chrono::duration<double, std::milli>(read - start).count(),
                    std::chrono::duration<double, std::milli>(sized - read).count(),
                    loaded ? "" : "  (failed)");
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident set: %ld MiB\n", usage.ru_maxrss / 1024);
    return 0;
}
