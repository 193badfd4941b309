#include "import/CDatabaseCompiler.h"

#include "base/CError.h"
#include "base/CLogFile.h"
#include "base/StringPrintf.h"
#include "import/CCacheDirectory.h"
#include "import/CCompilationDatabase.h"
#include "import/CCompilerAllowlist.h"
#include "import/CGccXmlMerger.h"
#include "import/CNinjaRunner.h"
#include "import/Fingerprint.h"
#include "import/IProgress.h"
#include "import/ParseOptions.h"
#include "import/RunCommand.h"
#include "import/ShellWords.h"

#include <algorithm>
#include <dirent.h>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Changes whenever the merged document would come out differently from the same outputs.
const char* const MergeVersion = "merge 1";

// Gauge positions: the runs, then the merge; the reader goes on from there.
const int RunsEnd = 60;
const int MergeEnd = 70;

// One front-end run: the entries it stands for (all with the same command).
struct CJob {
    std::string Output;
    std::string Directory;
    std::string Description;
    std::string Command;
    std::vector<const CCompileEntry*> Entries;
};

// A program that compilers run as a wrapper, with the real compiler as its first argument.
bool IsLauncher(const std::string& program) {
    std::string name = program.substr(program.rfind('/') + 1);
    return name == "ccache" || name == "sccache" || name == "distcc";
}

bool IsDirectory(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool IsFile(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// The modification time of a file in nanoseconds; -1 when it does not exist.
long long ModifiedAt(const std::string& path) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
        return -1;
    return static_cast<long long>(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string result = text.str();
    while (!result.empty() && (result.back() == '\n' || result.back() == ' '))
        result.pop_back();
    return result;
}

void Report(IProgress* progress, int value, const std::string& message) {
    if (progress == nullptr)
        return;
    progress->SetValue(value);
    progress->SetMessage(message.c_str());
}

// Removes what the database no longer needs: the merged documents of other sets of outputs,
// and the outputs of commands it no longer has (with their messages and temporary files), so
// that the cache does not grow with every change of a command.
void RemoveStale(const std::string& directory, const std::string& keep,
                 const std::map<std::string, std::size_t>& outputs) {
    DIR* folder = opendir(directory.c_str());
    if (folder == nullptr)
        return;
    while (dirent* entry = readdir(folder)) {
        std::string name = entry->d_name;
        // An output is named after a fingerprint: 16 hexadecimal digits and ".xml".
        bool output = name.size() >= 20 && name.compare(16, 4, ".xml") == 0 &&
                      name.find_first_not_of("0123456789abcdef") == 16;
        bool stale = output ? outputs.count(directory + "/" + name.substr(0, 20)) == 0
                            : name.compare(0, 7, "merged-") == 0 && name != keep;
        if (stale)
            unlink((directory + "/" + name).c_str());
    }
    closedir(folder);
}

} // namespace

CDatabaseCompiler::CDatabaseCompiler(CLogFile& log, IProgress* progress, CFrontEndSettings settings)
    : Log(log), Progress(progress), Settings(std::move(settings)) {}

CDatabaseCompiler::~CDatabaseCompiler() = default;

std::string CDatabaseCompiler::Compile(const std::string& databaseFile, std::string& notice) {
    notice.clear();
    Runs = 0;
    Report(Progress, 0, "Reading compilation database");
    CCompilationDatabase database = CCompilationDatabase::Read(databaseFile);
    const std::vector<CCompileEntry>& entries = database.GetEntries();
    std::string castxml = FindProgram("castxml");
    if (castxml.empty())
        throw CError("The front end, castxml, was not found");
    Cache = std::make_unique<CCacheDirectory>(Settings.CacheDirectory, databaseFile, Log);
    const std::string& cache = Cache->GetPath();
    if (!Cache->Lock(Progress))
        throw CError("Loading cancelled");

    // One job per distinct command; an entry that cannot run fails at once.
    CCompilerAllowlist allowlist(Settings.QueryDrivers);
    std::vector<CJob> jobs;
    std::map<std::string, std::size_t> jobOf; // by output
    std::set<std::string> refused;            // compilers logged as not allowed
    int failed = 0;
    auto fail = [&](const CCompileEntry& entry, const std::string& reason) {
        ++failed;
        std::string text = CCompilationDatabase::Describe(entry) + ": " + reason;
        Log.Error("Could not compile", text);
    };
    for (const CCompileEntry& entry : entries) {
        if (!entry.Error.empty()) {
            fail(entry, entry.Error);
            continue;
        }
        if (!IsDirectory(entry.Directory)) {
            fail(entry, "the directory " + entry.Directory + " does not exist");
            continue;
        }
        if (!IsFile(entry.Source)) {
            fail(entry, "the source " + entry.Source + " does not exist");
            continue;
        }
        std::vector<std::string> arguments = entry.Arguments;
        if (arguments.size() > 1 && IsLauncher(arguments[0]))
            arguments.erase(arguments.begin());
        std::string compiler = CCompilerAllowlist::Locate(arguments[0], entry.Directory);
        bool isC =
            entry.Source.size() > 2 && entry.Source.compare(entry.Source.size() - 2, 2, ".c") == 0;
        std::vector<std::string> command = {castxml, "--castxml-gccxml"};
        if (allowlist.Allows(compiler)) {
            command.push_back(isC ? "--castxml-cc-gnu-c" : "--castxml-cc-gnu");
            command.push_back(compiler);
        } else if (refused.insert(arguments[0]).second) {
            Log.Write("Compilation database",
                      CCompilationDatabase::Describe(entry) + ": the compiler " + arguments[0] +
                          " is not on the list of compilers the front end may run (add it with "
                          "--query-driver or the query_driver setting); the front end uses "
                          "its own defaults for it",
                      "");
        }
        if (!isC)
            command.push_back("-fsized-deallocation");
        std::vector<std::string> options = ParseOptions(arguments);
        command.insert(command.end(), options.begin(), options.end());
        std::string identity = entry.Directory;
        for (const std::string& word : command)
            identity += std::string(1, '\0') + word;
        identity += std::string(1, '\0') + entry.Source;
        std::string output = cache + "/" + Fingerprint(identity) + ".xml";
        auto known = jobOf.find(output);
        if (known != jobOf.end()) {
            jobs[known->second].Entries.push_back(&entry);
            continue;
        }
        command.insert(command.end(), {"-o", output + ".tmp", "-MD", "-MF", output + ".d", "-MT",
                                       output, entry.Source});
        std::string shell = "cd " + QuoteShellWord(entry.Directory) + " && rm -f " +
                            QuoteShellWord(output) + " && ";
        for (const std::string& word : command)
            shell += QuoteShellWord(word) + " ";
        shell += "> " + QuoteShellWord(output + ".log") + " 2>&1 && mv -f " +
                 QuoteShellWord(output + ".tmp") + " " + QuoteShellWord(output);
        jobOf.emplace(output, jobs.size());
        jobs.push_back({output, entry.Directory, entry.File, shell, {&entry}});
    }

    // The runs.
    if (!jobs.empty()) {
        std::vector<CNinjaEdge> edges;
        for (const CJob& job : jobs)
            edges.push_back({job.Output, job.Command, job.Description});
        CNinjaRunner ninja(Log, Progress);
        int cores = static_cast<int>(std::thread::hardware_concurrency());
        int parallel = Settings.Jobs > 0 ? Settings.Jobs : std::max(cores, 1);
        CNinjaRunner::Result result = ninja.WriteBuildFile(cache, edges)
                                          ? ninja.Run(cache, parallel, 0, RunsEnd)
                                          : CNinjaRunner::Result::Failed;
        Runs = ninja.GetRan();
        if (result == CNinjaRunner::Result::Cancelled)
            throw CError("Loading cancelled");
    }
    std::vector<const CJob*> compiled;
    for (const CJob& job : jobs) {
        if (IsFile(job.Output)) {
            compiled.push_back(&job);
            continue;
        }
        std::string messages = ReadText(job.Output + ".log");
        for (const CCompileEntry* entry : job.Entries) {
            fail(*entry, messages.empty() ? "the front end wrote no output"
                                          : "the front end failed:\n" + messages);
        }
    }
    if (compiled.empty())
        throw CError("Could not open Xml file");

    // The merged document: made again when an output is newer than it.
    std::string identity = MergeVersion;
    for (const CJob* job : compiled)
        identity += "\n" + job->Output;
    std::string name = "merged-" + Fingerprint(identity) + ".xml";
    std::string merged = cache + "/" + name;
    long long mergedAt = ModifiedAt(merged);
    bool fresh = mergedAt >= 0;
    for (const CJob* job : compiled)
        fresh = fresh && ModifiedAt(job->Output) <= mergedAt;
    if (!fresh) {
        CGccXmlMerger merger(merged, Log);
        int count = static_cast<int>(compiled.size());
        for (int k = 0; k < count; ++k) {
            const CJob& job = *compiled[static_cast<std::size_t>(k)];
            if (Progress != nullptr) {
                if (Progress->IsCancelled())
                    throw CError("Loading cancelled");
                Report(Progress, RunsEnd + (MergeEnd - RunsEnd) * k / count,
                       StringPrintf("Merging %d of %d: %s", k + 1, count, job.Description.c_str()));
            }
            if (!merger.Add(job.Output, job.Directory)) {
                // Made again by the next run: a bad output is not kept.
                unlink(job.Output.c_str());
                for (const CCompileEntry* entry : job.Entries)
                    fail(*entry, "its front-end output could not be merged");
            }
        }
        if (!merger.Finish())
            throw CError("Could not open Xml file");
    }
    RemoveStale(cache, name, jobOf);
    if (Progress != nullptr)
        Progress->SetValue(MergeEnd);
    if (failed > 0) {
        std::string logName = Log.GetFileName().empty() ? "log.txt" : Log.GetFileName();
        notice = StringPrintf("%d of %d files could not be compiled; see %s", failed,
                              static_cast<int>(entries.size()), logName.c_str());
    }
    return merged;
}
