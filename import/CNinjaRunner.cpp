#include "import/CNinjaRunner.h"

#include "base/CLogFile.h"
#include "base/ReplaceFile.h"
#include "base/StringPrintf.h"
#include "import/IProgress.h"
#include "import/RunCommand.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

long long NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A text as a Ninja variable value: dollars doubled (line breaks cannot occur in one).
std::string EscapeValue(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '$')
            escaped += '$';
        escaped += c == '\n' ? ' ' : c;
    }
    return escaped;
}

// Waits for the process to end, for at most milliseconds, reading on from fd so that it does
// not block on a full pipe. True when it ended.
bool WaitFor(pid_t pid, int fd, int milliseconds) {
    long long deadline = NowMs() + milliseconds;
    char buffer[4096];
    for (;;) {
        int status = 0;
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR))
            return true;
        if (NowMs() >= deadline)
            return false;
        struct pollfd wait = {fd, POLLIN, 0};
        if (poll(&wait, 1, 20) > 0 && read(fd, buffer, sizeof buffer) <= 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace

CNinjaRunner::CNinjaRunner(CLogFile& log, IProgress* progress) : Log(log), Progress(progress) {}

std::string CNinjaRunner::EscapePath(const std::string& path) {
    std::string escaped;
    for (char c : path) {
        if (c == '$' || c == ' ' || c == ':')
            escaped += '$';
        escaped += c;
    }
    return escaped;
}

bool CNinjaRunner::WriteBuildFile(const std::string& directory,
                                  const std::vector<CNinjaEdge>& edges) {
    std::string text = "# Written by Quarn Code: one front-end run per translation unit.\n"
                       "rule run\n"
                       "  command = $command\n"
                       "  description = $description\n"
                       "  depfile = $out.d\n"
                       "  deps = gcc\n";
    for (const CNinjaEdge& edge : edges) {
        text += "build " + EscapePath(edge.Output) + ": run\n";
        text += "  command = " + EscapeValue(edge.Command) + "\n";
        text += "  description = " + EscapeValue(edge.Description) + "\n";
    }
    std::string fileName = directory + "/build.ninja";
    std::ifstream old(fileName, std::ios::binary);
    std::stringstream oldText;
    if (old && (oldText << old.rdbuf()) && oldText.str() == text)
        return true;
    if (!ReplaceFile(fileName, text.data(), text.size())) {
        Log.Error("Could not write the build file", fileName + ": " + std::strerror(errno));
        return false;
    }
    return true;
}

void CNinjaRunner::OnLine(const std::string& line, int gaugeFrom, int gaugeTo, bool force) {
    int done = 0, total = 0, consumed = 0;
    if (std::sscanf(line.c_str(), "[%d/%d] %n", &done, &total, &consumed) == 2 && consumed > 0 &&
        total > 0) {
        ++Ran;
        long long now = NowMs();
        if (Progress == nullptr || (!force && done < total && now - LastShown < 50))
            return;
        LastShown = now;
        Progress->SetValue(gaugeFrom + (gaugeTo - gaugeFrom) * done / total);
        Progress->SetMessage(
            StringPrintf("Compiling %d of %d: %s", done, total, line.c_str() + consumed).c_str());
        return;
    }
    if (!line.empty() && line != "ninja: no work to do.")
        Log.Write("Front end", line, "");
}

CNinjaRunner::Result CNinjaRunner::Run(const std::string& directory, int jobs, int gaugeFrom,
                                       int gaugeTo) {
    Ran = 0;
    std::string ninja = FindProgram("ninja");
    if (ninja.empty()) {
        Log.Error("Could not run the front end", "ninja was not found along PATH");
        return Result::Failed;
    }
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        Log.Error("Could not run the front end", std::strerror(errno));
        return Result::Failed;
    }
    std::vector<std::string> arguments = {ninja, "-C", directory,           "-k",
                                          "0",   "-j", std::to_string(jobs)};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    // Ninja's progress line in a form this reader knows, whatever the user's NINJA_STATUS.
    std::string status = "NINJA_STATUS=[%f/%t] ";
    std::vector<char*> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (std::strncmp(*variable, "NINJA_STATUS=", 13) != 0)
            environment.push_back(*variable);
    }
    environment.push_back(status.data());
    environment.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    pid_t pid = 0;
    int error =
        posix_spawn(&pid, ninja.c_str(), &actions, nullptr, argv.data(), environment.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    int fd = pipeFds[0];
    if (error != 0) {
        close(fd);
        Log.Error("Could not run the front end", ninja + ": " + std::strerror(error));
        return Result::Failed;
    }

    std::string pending;
    std::string last; // the last progress line, shown in any case at the end
    long long lastAsked = 0;
    bool cancelled = false;
    char buffer[8192];
    for (;;) {
        if (Progress != nullptr && NowMs() - lastAsked >= 50) {
            lastAsked = NowMs();
            if (Progress->IsCancelled()) {
                cancelled = true;
                break;
            }
        }
        struct pollfd wait = {fd, POLLIN, 0};
        int ready = poll(&wait, 1, 100);
        if (ready < 0 && errno != EINTR)
            break;
        if (ready <= 0)
            continue;
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break; // ninja closed its output: it is ending
        pending.append(buffer, static_cast<std::size_t>(got));
        std::string::size_type end;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (line.compare(0, 1, "[") == 0)
                last = line;
            OnLine(line, gaugeFrom, gaugeTo, false);
        }
    }
    if (cancelled) {
        // Ninja stops the commands it runs (each in a process group of its own) when it is
        // told to stop, and removes what they had begun to write.
        kill(pid, SIGTERM);
        if (!WaitFor(pid, fd, 5000)) {
            kill(pid, SIGKILL);
            WaitFor(pid, fd, 5000);
        }
        close(fd);
        Log.Write("Front end", "cancelled", "");
        return Result::Cancelled;
    }
    close(fd);
    if (!pending.empty())
        OnLine(pending, gaugeFrom, gaugeTo, false);
    if (!last.empty()) {
        --Ran; // shown again, not run again
        OnLine(last, gaugeFrom, gaugeTo, true);
    }
    int waited = 0;
    while (waitpid(pid, &waited, 0) < 0 && errno == EINTR) {
    }
    return Result::Finished;
}
