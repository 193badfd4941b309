#include "import/RunCommand.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Reads the pipe until every writer has closed it, keeping what arrives and copying it to
// our standard error.
void Drain(int fd, std::string& output) {
    char buffer[4096];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            output.append(buffer, static_cast<size_t>(n));
            std::fwrite(buffer, 1, static_cast<size_t>(n), stderr);
        } else if (n == 0 || errno != EINTR) {
            return;
        }
    }
}

} // namespace

CommandResult RunCommand(const std::string& program, const std::vector<std::string>& arguments) {
    CommandResult result;
    std::vector<std::string> copies(arguments);
    std::string name = program;
    std::vector<char*> argv;
    argv.push_back(name.data());
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    // Both of the program's output streams go into one pipe; our end is not inherited.
    int pipeEnds[2];
    int error = pipe2(pipeEnds, O_CLOEXEC) == 0 ? 0 : errno;
    pid_t pid = 0;
    if (error == 0) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
        error = posix_spawnp(&pid, name.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        if (error == 0)
            Drain(pipeEnds[0], result.Output);
        close(pipeEnds[0]);
    }
    if (error != 0) {
        result.StartError = std::strerror(error);
        std::fprintf(stderr, "Could not start %s: %s\n", name.c_str(), result.StartError.c_str());
        return result;
    }

    int status = 0;
    while (waitpid(pid, &status, 0) == -1) {
        if (errno != EINTR)
            return result;
    }
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string FindProgram(const std::string& program) {
    if (program.find('/') != std::string::npos)
        return access(program.c_str(), X_OK) == 0 ? program : std::string();
    const char* searchPath = std::getenv("PATH");
    std::string list = searchPath != nullptr ? searchPath : "/usr/local/bin:/usr/bin:/bin";
    std::string::size_type start = 0;
    while (start <= list.size()) {
        std::string::size_type colon = list.find(':', start);
        if (colon == std::string::npos)
            colon = list.size();
        std::string folder = list.substr(start, colon - start);
        start = colon + 1;
        std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::string();
}
