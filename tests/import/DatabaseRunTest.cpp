// Opening a compilation database end to end: real CastXML runs through Ninja over a small
// program of three translation units (tests/fixtures/project), in a fresh cache directory.
#include "support/RunCli.h"

#include "base/CError.h"
#include "import/CDatabaseCompiler.h"
#include "import/CGccXmlReader.h"
#include "model/CModelCounts.h"
#include "model/CProgram.h"
#include "model/CSourceFile.h"
#include "model/HideOutside.h"
#include "support/CRecordingMessageBox.h"
#include "support/CRecordingProgress.h"
#include "support/CTempDir.h"
#include "view/CWorkspace.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

const std::string Project = QUARN_SOURCE_DIR "/tests/fixtures/project";

// The files of a directory whose names end with suffix.
std::vector<std::string> FilesEndingWith(const std::string& directory, const std::string& suffix) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(directory)) {
        std::string name = entry.path().string();
        if (name.size() > suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            files.push_back(name);
    }
    return files;
}

// Whether a running process has text in its command line.
bool ProcessMentions(const std::string& text) {
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::string command = ReadWholeFile(entry.path().string() + "/cmdline");
        if (command.find(text) != std::string::npos)
            return true;
    }
    return false;
}

// The first lines of the command-line tool's stats.
std::string StatsLines(const CModelCounts& counts) {
    const std::pair<const char*, int> lines[] = {
        {"namespaces", counts.Namespaces}, {"classes", counts.Classes},
        {"functions", counts.Functions},   {"fields", counts.Fields},
        {"typedefs", counts.Typedefs},     {"enumerations", counts.Enumerations}};
    std::string text;
    for (const auto& [name, count] : lines)
        text += std::string(name) + ": " + std::to_string(count) + "\n";
    return text;
}

} // namespace

class DatabaseRun : public testing::Test {
protected:
    DatabaseRun() {
        Workspace.Log.Open("log.txt");
        Workspace.FrontEnd.CacheDirectory = Dir.Path() + "/cache";
        Workspace.FrontEnd.Jobs = 2;
    }

    // Writes compile_commands.json: an entry per source of directory (the last ones in the
    // "command" form), compiled by compiler as CMake would.
    void WriteDatabase(const std::string& directory, const std::vector<std::string>& sources,
                       const std::string& compiler = "/usr/bin/c++") {
        std::string text = "[";
        for (std::size_t i = 0; i < sources.size(); ++i) {
            text += i > 0 ? ",\n" : "\n";
            text += "{\"directory\": \"" + directory + "\", \"file\": \"" + sources[i] + "\", ";
            text += i == 0 ? "\"arguments\": [\"" + compiler +
                                 "\", \"-std=c++17\", \"-O2\", "
                                 "\"-o\", \"x.o\", \"-c\", \"" +
                                 sources[i] + "\"]}"
                           : "\"command\": \"" + compiler + " -std=c++17 -Wall -c " + sources[i] +
                                 "\"}";
        }
        Dir.WriteFile("compile_commands.json", text + "]\n");
    }
    // Compiles the database as the reader does, reads the merged document and counts it.
    CModelCounts Compile(int expectedRuns) {
        CDatabaseCompiler compiler(Workspace.Log, nullptr, Workspace.FrontEnd);
        std::string notice;
        Merged = compiler.Compile("compile_commands.json", notice);
        EXPECT_EQ("", notice);
        EXPECT_EQ(expectedRuns, compiler.GetRuns());
        std::unique_ptr<CProgram> program =
            CGccXmlReader(Merged, Workspace.Log, nullptr, RunCommand).Load();
        EXPECT_NE(nullptr, program);
        return program != nullptr ? CModelCounts(*program) : CModelCounts(CProgram());
    }
    std::string LogText() const { return ReadWholeFile(Dir.Path() + "/log.txt"); }
    // Copies the project here, with a database of its three units in directory (the project's
    // own unless given); returns the project's path after one front-end run over all.cpp,
    // which includes every unit, into all.xml.
    std::string CopyProject(const std::string& directory = "") {
        fs::copy(Project, "project");
        const std::string project = Dir.Path() + "/project";
        WriteDatabase(project, {"main.cpp", "circle.cpp", "registry.cpp"});
        if (!directory.empty()) {
            fs::create_directory(directory);
            fs::rename("compile_commands.json", directory + "/compile_commands.json");
        }
        EXPECT_EQ(0, RunCommand("castxml", {"--castxml-gccxml", "--castxml-cc-gnu", "/usr/bin/c++",
                                            "-fsized-deallocation", "-std=c++17", "-o", "all.xml",
                                            project + "/all.cpp"})
                         .Status);
        return project;
    }

    CTempDir Dir;
    CRecordingMessageBox Messages;
    CWorkspace Workspace{Messages};
    std::string Merged;
};

// The merged outputs hold what one run over a source that includes every unit holds; an
// unchanged project is opened again without a front-end run nor a new merge; a changed header
// makes the units that include it (and only those) compile again.
TEST_F(DatabaseRun, CompilesOnceMergesAsOneRunAndCompilesAgainWhatChanged) {
    const std::string project = CopyProject();
    CModelCounts counts = Compile(3);
    CModelCounts all(*Workspace.Load("all.xml", nullptr));
    EXPECT_EQ(StatsLines(all) + std::to_string(all.Files),
              StatsLines(counts) + std::to_string(counts.Files));

    auto mergedAt = fs::last_write_time(Merged);
    EXPECT_EQ(counts.Total(), Compile(0).Total());
    EXPECT_EQ(mergedAt, fs::last_write_time(Merged));
    fs::last_write_time(project + "/fwd.h", mergedAt + std::chrono::seconds(5));
    EXPECT_EQ(counts.Total(), Compile(2).Total());
    EXPECT_LT(mergedAt, fs::last_write_time(Merged));
}

// With --scope all, the database counts as one front-end run over every unit; with --scope
// project, its default, as that run's declarations in the project's files (under the sources'
// directory here, the database lying elsewhere), and the namespaces that hold any.
TEST_F(DatabaseRun, ScopesCountAsOneRunOverEveryUnitAndItsProjectDeclarations) {
    const std::string project = CopyProject("build");
    CLoadRequest everything;
    everything.Scope = EScope::All;
    std::unique_ptr<CProgram> all = Workspace.Load("all.xml", nullptr, everything);
    const CModelCounts whole(*all);
    HideOutside(*all,
                [&](const CSourceFile& file) { return file.Name.rfind(project + "/", 0) == 0; });
    const CModelCounts own(*all);
    ASSERT_GT(own.Classes, 0);
    ASSERT_LT(own.Classes, whole.Classes);
    setenv("XDG_CACHE_HOME", (Dir.Path() + "/xdg").c_str(), 1);
    std::string ownStats = RunCli("stats --scope project build/compile_commands.json").Out;
    EXPECT_EQ(0u, ownStats.rfind(StatsLines(own), 0)) << ownStats;
    EXPECT_EQ(ownStats, RunCli("stats build/compile_commands.json").Out);
    std::string allStats = RunCli("stats build/compile_commands.json --scope all").Out;
    unsetenv("XDG_CACHE_HOME");
    EXPECT_EQ(0u, allStats.rfind(StatsLines(whole), 0)) << allStats;
}

// Entries that cannot be compiled are left out with a notice and their reasons in the log;
// a compiler off the allowlist is never run: the front end uses its own defaults instead.
// One run at a time: the failure comes first, and the runs go on after it.
TEST_F(DatabaseRun, LeavesOutWhatCannotBeCompiledWithANotice) {
    Workspace.FrontEnd.Jobs = 1;
    Dir.WriteFile("broken.cpp", "int broken = ;\n");
    Dir.WriteFile("evil-c++", "#!/bin/sh\ntouch " + Dir.Path() + "/ran\n");
    fs::permissions("evil-c++", fs::perms::owner_all);
    WriteDatabase(Dir.Path(), {"broken.cpp", "missing.cpp", Project + "/circle.cpp"},
                  Dir.Path() + "/evil-c++");
    std::string text = ReadWholeFile("compile_commands.json");
    Dir.WriteFile("compile_commands.json", text.substr(0, text.rfind(']')) +
                                               ",{\"file\": \"x.cpp\", \"command\": \"c++\"}]");
    CLoadRequest everything;
    everything.Scope = EScope::All;
    std::unique_ptr<CProgram> program =
        Workspace.Load("compile_commands.json", nullptr, everything);
    EXPECT_EQ("3 of 4 files could not be compiled; see log.txt", Workspace.Notice);
    std::vector<std::string> outputs = FilesEndingWith("cache", ".xml");
    ASSERT_EQ(2u, outputs.size()); // circle.cpp's output and the merged document
    std::string output = outputs[0].find("merged-") == std::string::npos ? outputs[0] : outputs[1];
    EXPECT_EQ(CModelCounts(*Workspace.Load(output, nullptr)).Total(),
              CModelCounts(*program).Total());
    for (const std::string& logged :
         {std::string("Could not compile: entry 1 (broken.cpp): the front end failed:\n"),
          std::string("broken.cpp:1:14: error: expected expression"),
          "entry 2 (missing.cpp): the source " + Dir.Path() + "/missing.cpp does not exist",
          std::string("Could not compile: entry 4 (x.cpp): "),
          "entry 1 (broken.cpp): the compiler " + Dir.Path() + "/evil-c++ is not on the list"})
        EXPECT_NE(std::string::npos, LogText().find(logged)) << logged;
    EXPECT_FALSE(fs::exists("ran"));

    WriteDatabase(Dir.Path(), {"broken.cpp"});
    try {
        Workspace.Load("compile_commands.json", nullptr);
        ADD_FAILURE() << "no entry compiles, yet the load succeeded";
    } catch (const CError& error) {
        EXPECT_STREQ("Could not open Xml file", error.what());
    }
}

// Cancel stops ninja and the front end it runs: the load ends with a CError, the runs that had
// not finished leave no output and no process behind.
TEST_F(DatabaseRun, CancelStopsTheRuns) {
    WriteDatabase(Project, {"main.cpp", "circle.cpp", "registry.cpp"});
    Workspace.FrontEnd.Jobs = 1;
    struct CCancelAfterOne : CRecordingProgress {
        bool IsCancelled() override {
            return std::any_of(Events.begin(), Events.end(), [](const std::string& event) {
                return event.rfind("message:Compiling 1 ", 0) == 0;
            });
        }
    } progress;
    try {
        Workspace.Load("compile_commands.json", &progress);
        ADD_FAILURE() << "not cancelled";
    } catch (const CError& error) {
        EXPECT_STREQ("Loading cancelled", error.what());
    }
    EXPECT_EQ(1u, FilesEndingWith("cache", ".xml").size());
    // The front end's processes end on ninja's signal, moments after ninja itself.
    for (int wait = 0; wait < 50 && ProcessMentions(Dir.Path() + "/cache"); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(ProcessMentions(Dir.Path() + "/cache"));
}
