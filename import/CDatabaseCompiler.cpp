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
                 const std::set<std::string>& outputs) {
    DIR* folder = opendir(directory.c_str());
    if (folder == nullptr)
        return;
    while (dirent* entry = readdir(folder)) {
        std::string path = directory + "/" + entry->d_name;
        std::string name = entry->d_name;
        // An output is named after a fingerprint: 16 hexadecimal digits and ".xml".
        bool output = name.size() >= 20 && name.compare(16, 4, ".xml") == 0 &&
                      name.find_first_not_of("0123456789abcdef") == 16;
        bool stale = output ? outputs.count(path.substr(0, path.size() - name.size() + 20)) == 0
                            : name.compare(0, 7, "merged-") == 0 && path != keep;
        if (stale)
            unlink(path.c_str());
    }
    closedir(folder);
}

} // namespace

CDatabaseCompiler::CDatabaseCompiler(CLogFile& log, IProgress* progress, CFrontEndSettings settings)
    : Log(log), Progress(progress), Settings(std::move(settings)) {}

CDatabaseCompiler::~CDatabaseCompiler() = default;

void CDatabaseCompiler::Fail(const CCompileEntry& entry, const std::string& reason) {
    ++Failed;
    Log.Error("Could not compile", CCompilationDatabase::Describe(entry) + ": " + reason);
}

std::string CDatabaseCompiler::Compile(const std::string& databaseFile, std::string& notice) {
    notice.clear();
    Runs = 0;
    Failed = 0;
    Report(Progress, 0, "Reading compilation database");
    CCompilationDatabase database = CCompilationDatabase::Read(databaseFile);
    std::string castxml = FindProgram("castxml");
    if (castxml.empty())
        throw CError("The front end, castxml, was not found");
    Cache = std::make_unique<CCacheDirectory>(Settings.CacheDirectory, databaseFile, Log);
    if (!Cache->Lock(Progress))
        throw CError("Loading cancelled");

    std::vector<CJob> jobs = Plan(database.GetEntries(), castxml);
    RunAll(jobs);
    std::vector<const CJob*> compiled;
    for (const CJob& job : jobs) {
        if (IsFile(job.Output)) {
            compiled.push_back(&job);
            continue;
        }
        std::string messages = ReadText(job.Output + ".log");
        for (const CCompileEntry* entry : job.Entries) {
            Fail(*entry, messages.empty() ? "the front end wrote no output"
                                          : "the front end failed:\n" + messages);
        }
    }
    if (compiled.empty())
        throw CError("Could not open Xml file");
    std::string merged = Merge(compiled);
    std::set<std::string> outputs;
    for (const CJob& job : jobs)
        outputs.insert(job.Output);
    RemoveStale(Cache->GetPath(), merged, outputs);
    if (Progress != nullptr)
        Progress->SetValue(MergeEnd);
    if (Failed > 0) {
        std::string logName = Log.GetFileName().empty() ? "log.txt" : Log.GetFileName();
        notice = StringPrintf("%d of %d files could not be compiled; see %s", Failed,
                              static_cast<int>(database.GetEntries().size()), logName.c_str());
    }
    return merged;
}

std::vector<CDatabaseCompiler::CJob>
CDatabaseCompiler::Plan(const std::vector<CCompileEntry>& entries, const std::string& castxml) {
    CCompilerAllowlist allowlist(Settings.QueryDrivers);
    std::vector<CJob> jobs;
    std::map<std::string, std::size_t> jobOf; // by output
    std::set<std::string> refused;            // compilers logged as not allowed
    for (const CCompileEntry& entry : entries) {
        if (!entry.Error.empty()) {
            Fail(entry, entry.Error);
            continue;
        }
        if (!IsDirectory(entry.Directory)) {
            Fail(entry, "the directory " + entry.Directory + " does not exist");
            continue;
        }
        if (!IsFile(entry.Source)) {
            Fail(entry, "the source " + entry.Source + " does not exist");
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
        std::vector<std::string> options = ParseOptions(arguments, entry.Directory);
        command.insert(command.end(), options.begin(), options.end());
        // The output is named after everything that makes it: one per distinct command.
        std::string identity = entry.Directory;
        for (const std::string& word : command)
            identity += std::string(1, '\0') + word;
        identity += std::string(1, '\0') + entry.Source;
        std::string output = Cache->GetPath() + "/" + Fingerprint(identity) + ".xml";
        auto known = jobOf.find(output);
        if (known != jobOf.end()) {
            jobs[known->second].Entries.push_back(&entry);
            continue;
        }
        // Written under another name and moved into place once complete, so that an output
        // that exists is whole; the front end's messages go to a file of their own.
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
    return jobs;
}

void CDatabaseCompiler::RunAll(const std::vector<CJob>& jobs) {
    if (jobs.empty())
        return;
    std::vector<CNinjaEdge> edges;
    for (const CJob& job : jobs)
        edges.push_back({job.Output, job.Command, job.Description});
    CNinjaRunner ninja(Log, Progress);
    int cores = static_cast<int>(std::thread::hardware_concurrency());
    int parallel = Settings.Jobs > 0 ? Settings.Jobs : std::max(cores, 1);
    CNinjaRunner::Result result = ninja.WriteBuildFile(Cache->GetPath(), edges)
                                      ? ninja.Run(Cache->GetPath(), parallel, 0, RunsEnd)
                                      : CNinjaRunner::Result::Failed;
    Runs = ninja.GetRan();
    if (result == CNinjaRunner::Result::Cancelled)
        throw CError("Loading cancelled");
}

std::string CDatabaseCompiler::Merge(const std::vector<const CJob*>& compiled) {
    // Named after the outputs it holds; made again when one of them is newer.
    std::string identity = MergeVersion;
    for (const CJob* job : compiled)
        identity += "\n" + job->Output;
    std::string merged = Cache->GetPath() + "/merged-" + Fingerprint(identity) + ".xml";
    long long mergedAt = ModifiedAt(merged);
    bool fresh = mergedAt >= 0;
    for (const CJob* job : compiled)
        fresh = fresh && ModifiedAt(job->Output) <= mergedAt;
    if (fresh)
        return merged;
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
                Fail(*entry, "its front-end output could not be merged");
        }
    }
    if (!merger.Finish())
        throw CError("Could not open Xml file");
    return merged;
}
